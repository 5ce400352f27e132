package app.steps;

import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.LinkOption;
import java.nio.file.attribute.BasicFileAttributes;
import java.nio.file.attribute.DosFileAttributes;

/**
 * What holds an MP3 track: a folder one of whose own entries passes the track filter and is a
 * regular file or a link to one. A file without a tag, or with a damaged one, counts; a folder,
 * FIFO or device named so does not, nor does a link to nothing. No step makes or deletes a track,
 * nor gives one a name that another filter passes, so a plan's folders hold the tracks the disk
 * holds: these are asked of the disk itself, also by a dry run.
 */
public final class TrackFolder {
    private static final boolean WINDOWS = System.getProperty("os.name", "").startsWith("Windows");

    private TrackFolder() {
    }

    /** Whether a name passes the track filter. */
    public static boolean isTrackName(File entry) {
        return Mp3FilesRenamer.TRACKS.accept(entry);
    }

    /** Whether the entry is a track: named so, and a regular file or a link to one. */
    public static boolean isTrack(File entry) {
        try {
            return isTrackName(entry) && Files.isRegularFile(entry.toPath());
        } catch (InvalidPathException e) {
            return false;
        }
    }

    /** Whether the folder holds a track of its own; one that cannot be listed holds none, without a word. */
    public static boolean holdsTrack(File folder) {
        boolean[] found = {false};
        // Asked of no entry after the first track.
        folder.listFiles(entry -> {
            found[0] = found[0] || isTrack(entry);
            return false;
        });
        return found[0];
    }

    /** The entry's own attributes, a link's not followed; on Windows with its hidden and system marks. */
    public static BasicFileAttributes ownAttributes(File entry) throws IOException {
        Class<? extends BasicFileAttributes> kind = WINDOWS ? DosFileAttributes.class : BasicFileAttributes.class;
        return Files.readAttributes(entry.toPath(), kind, LinkOption.NOFOLLOW_LINKS);
    }

    /** A folder, not a link nor a junction (a folder that is also something else), nor one kept out of sight. */
    public static boolean isWalked(File entry, BasicFileAttributes attributes) {
        String name = entry.getName();
        boolean hiddenSystem = attributes instanceof DosFileAttributes && ((DosFileAttributes) attributes).isHidden()
                && ((DosFileAttributes) attributes).isSystem();
        return attributes.isDirectory() && !attributes.isOther() && !name.startsWith(".") && !name.startsWith("$")
                && !hiddenSystem;
    }

    /** Whether the entry, asked itself, is a folder that a --recursive run walks; one that cannot be told is not. */
    public static boolean isWalkedFolder(File entry) {
        try {
            return isWalked(entry, ownAttributes(entry));
        } catch (IOException | RuntimeException e) {
            return false;
        }
    }

    /**
     * Whether the entry is a folder that a --recursive run takes for an album: one it walks, that
     * holds a track of its own. The album above never renames it after an image or info file.
     */
    public static boolean isAlbumFolder(File entry) {
        return isWalkedFolder(entry) && holdsTrack(entry);
    }
}
