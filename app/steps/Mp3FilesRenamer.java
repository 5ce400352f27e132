package app.steps;

import app.Context;
import app.Diagnostics;
import app.Step;
import app.disk.Disk;
import app.disk.TrackTimes;
import app.rename.RenameOutcome;
import java.io.File;
import java.io.IOException;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

/** Renames the MP3 tracks of an album directory after their ID3v2 tags and lists where they are. */
public class Mp3FilesRenamer implements Step {
    static final ExtensionFilter TRACKS = new ExtensionFilter(".mp3");

    private final Disk disk;
    private final Diagnostics diagnostics;
    /** Whether each track's times before its rename are kept, for a quick run's checksum list. */
    private final boolean keepsTimes;

    public Mp3FilesRenamer(Disk disk, Diagnostics diagnostics) {
        this(disk, diagnostics, false);
    }

    public Mp3FilesRenamer(Disk disk, Diagnostics diagnostics, boolean keepsTimes) {
        this.disk = disk;
        this.diagnostics = diagnostics;
        this.keepsTimes = keepsTimes;
    }

    /**
     * Lists each track that has a readable tag: under its new name, or under its old one when
     * the new name is taken, so later steps always find the track. Keeps the old name of each
     * renamed track, under which an old checksum list knows it, and, for a quick run, its times
     * before the rename, which moves a track's change time on.
     */
    @Override
    public void execute(File directory, Context context) {
        List<File> handled = new ArrayList<>();
        Map<File, String> previousNames = new HashMap<>();
        Map<File, TrackTimes> timesBefore = new HashMap<>();
        for (File track : disk.entriesWithAttributes(directory, TRACKS)) {
            String newName = TrackNameFromTag.of(track, disk.bytesOf(track), diagnostics);
            if (newName == null) {
                continue;
            }
            TrackTimes times = keepsTimes ? timesOf(track) : null;
            File renamed = new File(directory, newName);
            File handledAs = disk.rename(track, renamed) == RenameOutcome.RENAMED ? renamed : track;
            handled.add(handledAs);
            if (handledAs == renamed) {
                previousNames.put(renamed, track.getName());
            }
            if (times != null) {
                timesBefore.put(handledAs, times);
            }
        }
        context.setFiles(handled);
        context.setPreviousNames(previousNames);
        context.setTimesBefore(timesBefore);
    }

    /** Null where they cannot be read: the checksum list then reads the track. */
    private TrackTimes timesOf(File track) {
        try {
            return disk.times(track);
        } catch (IOException e) {
            return null;
        }
    }
}
