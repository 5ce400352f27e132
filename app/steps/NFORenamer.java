package app.steps;

import app.Context;
import app.Step;
import app.disk.Disk;
import java.io.File;
import java.io.PrintStream;

/** Gives the directory's info file the name "00-", the directory's name and ".nfo". */
public class NFORenamer implements Step {
    private final EntryRenamer renamer;

    public NFORenamer(PrintStream out, Disk disk) {
        this(out, disk, false);
    }

    /** With `keepsAlbumFolders`, album folders below are no info files (see EntryRenamer). */
    public NFORenamer(PrintStream out, Disk disk, boolean keepsAlbumFolders) {
        renamer = new EntryRenamer(out, disk, new ExtensionFilter(".nfo", ".txt"),
                (currentName, text) -> AlbumName.of(text, ".nfo"), keepsAlbumFolders);
    }

    @Override
    public void execute(File directory, Context context) {
        renamer.renameAll(directory, context.getText());
    }
}
