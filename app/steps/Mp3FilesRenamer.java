package app.steps;

import app.Context;
import app.Diagnostics;
import app.Step;
import app.disk.Disk;
import app.rename.RenameOutcome;
import java.io.File;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

/** Renames the MP3 tracks of an album directory after their ID3v2 tags and lists where they are. */
public class Mp3FilesRenamer implements Step {
    static final ExtensionFilter TRACKS = new ExtensionFilter(".mp3");

    private final Disk disk;
    private final Diagnostics diagnostics;

    public Mp3FilesRenamer(Disk disk, Diagnostics diagnostics) {
        this.disk = disk;
        this.diagnostics = diagnostics;
    }

    /**
     * Lists each track that has a readable tag: under its new name, or under its old one when
     * the new name is taken, so later steps always find the track. Keeps the old name of each
     * renamed track, under which an old checksum list knows it.
     */
    @Override
    public void execute(File directory, Context context) {
        List<File> handled = new ArrayList<>();
        Map<File, String> previousNames = new HashMap<>();
        for (File track : disk.entriesWithAttributes(directory, TRACKS)) {
            String newName = TrackNameFromTag.of(track, disk.bytesOf(track), diagnostics);
            if (newName == null) {
                continue;
            }
            File renamed = new File(directory, newName);
            if (disk.rename(track, renamed) == RenameOutcome.RENAMED) {
                handled.add(renamed);
                previousNames.put(renamed, track.getName());
            } else {
                handled.add(track);
            }
        }
        context.setFiles(handled);
        context.setPreviousNames(previousNames);
    }
}
