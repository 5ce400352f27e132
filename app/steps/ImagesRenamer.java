package app.steps;

import app.Context;
import app.Step;
import app.disk.Disk;
import java.io.File;
import java.io.PrintStream;

/** Puts "00-" and the directory's name in front of every image, keeping a tidied form of its own name. */
public class ImagesRenamer implements Step {
    private final EntryRenamer renamer;

    public ImagesRenamer(PrintStream out, Disk disk) {
        this(out, disk, false);
    }

    /** With `keepsAlbumFolders`, album folders below are no images (see EntryRenamer). */
    public ImagesRenamer(PrintStream out, Disk disk, boolean keepsAlbumFolders) {
        renamer = new EntryRenamer(out, disk, new ExtensionFilter(".jpg", ".jpeg", ".gif", ".png", ".bmp"),
                ImagesRenamer::newName, keepsAlbumFolders);
    }

    @Override
    public void execute(File directory, Context context) {
        renamer.renameAll(directory, context.getText());
    }

    /**
     * The prefix, then the current name with every literal occurrence of the prefix taken out,
     * blanks made "_" and all lower-cased; so a second run leaves the name as it is.
     */
    static String newName(String currentName, String text) {
        String prefix = AlbumName.of(text, "-");
        return prefix + currentName.replace(prefix, "").replace(' ', '_').toLowerCase();
    }
}
