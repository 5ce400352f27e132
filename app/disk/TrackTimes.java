package app.disk;

import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.attribute.FileTime;
import java.util.Map;

/**
 * When a track's bytes were last written and, where the system keeps one, when its entry last
 * changed at all: the inode change time of Linux and the other POSIX systems, which a rename or a
 * write moves on and no program can set back.
 */
public final class TrackTimes {
    public final FileTime modified;
    /** Null where the system keeps no change time (Windows). */
    public final FileTime changed;

    /** The track's times, links followed, in one look at the disk. */
    static TrackTimes of(File track) throws IOException {
        try {
            Map<String, Object> unix = Files.readAttributes(track.toPath(), "unix:lastModifiedTime,ctime");
            return new TrackTimes((FileTime) unix.get("lastModifiedTime"), (FileTime) unix.get("ctime"));
        } catch (UnsupportedOperationException | IllegalArgumentException e) {
            return new TrackTimes(Files.getLastModifiedTime(track.toPath()), null);
        }
    }

    public TrackTimes(FileTime modified, FileTime changed) {
        this.modified = modified;
        this.changed = changed;
    }
}
