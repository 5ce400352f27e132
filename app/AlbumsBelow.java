package app;

import app.disk.Disk;
import app.report.Progress;
import app.report.Refusal;
import app.steps.TrackFolder;
import java.io.File;
import java.io.IOException;
import java.nio.file.InvalidPathException;
import java.nio.file.NoSuchFileException;
import java.nio.file.attribute.BasicFileAttributes;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;

/**
 * The album folders of a --recursive run: the folders below the music folder, at any depth, that
 * hold an MP3 track of their own (see TrackFolder), an album's own sub-folders included (a
 * multi-disc album's CD1 and CD2). The walk goes depth first, each folder before its sub-folders,
 * each folder's entries in listing order, and ends before any album is touched. It holds the
 * albums found and the entries of the folders on its path, never all the folders it walked.
 * Passed over without a word: links and junctions, folders whose name begins with "." or "$",
 * and folders that Windows marks hidden and system (a recycle bin holds $R….mp3 files). Reported
 * and passed over: a folder that cannot be listed or whose kind cannot be told, and one that
 * leads to a folder on its own path (a bind mount).
 */
final class AlbumsBelow {
    private final Disk disk;
    private final Diagnostics diagnostics;
    private final Progress progress;
    /** The folders on the walk's path, the music folder and those above it, by file key; null where the system has none. */
    private final Map<Object, File> onPath;
    private final List<File> albums = new ArrayList<>();
    private int folders;

    private AlbumsBelow(File musicFolder, Disk disk, Diagnostics diagnostics, Progress progress) {
        this.disk = disk;
        this.diagnostics = diagnostics;
        this.progress = progress;
        onPath = AlbumFolders.keysOfMusicFolderAndAbove(musicFolder);
    }

    static List<File> of(File musicFolder, Disk disk, Diagnostics diagnostics, Progress progress) {
        AlbumsBelow walk = new AlbumsBelow(musicFolder, disk, diagnostics, progress);
        walk.walk(musicFolder, false);
        return walk.albums;
    }

    private void walk(File folder, boolean mayBeAlbum) {
        List<File> entries;
        try {
            entries = disk.listing(folder, entry -> true);
        } catch (IOException e) {
            cannotList(folder, e);
            return;
        }
        progress.looking(++folders, albums.size());
        List<File> below = new ArrayList<>();
        List<Object> keys = new ArrayList<>();
        boolean holdsTrack = false;
        for (File entry : entries) {
            BasicFileAttributes attributes = attributesOf(entry);
            if (attributes == null) {
                continue;
            }
            holdsTrack = holdsTrack || isTrack(entry, attributes);
            if (TrackFolder.isWalked(entry, attributes)) {
                below.add(entry);
                keys.add(attributes.fileKey());
            }
        }
        if (holdsTrack && mayBeAlbum) {
            albums.add(folder);
        }
        for (int i = 0; i < below.size(); i++) {
            walkBelow(below.get(i), keys.get(i));
        }
    }

    /** A folder below, its file key on the path while it is walked. */
    private void walkBelow(File folder, Object key) {
        if (onPath == null || key == null) {
            walk(folder, true);
            return;
        }
        File same = onPath.get(key);
        if (same != null) {
            diagnostics.report("Cannot work on " + folder + ": it leads to " + same + ", the music folder or a folder above it");
            return;
        }
        onPath.put(key, folder);
        walk(folder, true);
        onPath.remove(key);
    }

    /** The entry's own attributes, a link's not followed; null for one that went or whose kind cannot be told, which is reported. */
    private BasicFileAttributes attributesOf(File entry) {
        try {
            return TrackFolder.ownAttributes(entry);
        } catch (NoSuchFileException e) {
            return null;
        } catch (IOException | InvalidPathException e) {
            cannotList(entry, e);
            return null;
        }
    }

    private static boolean isTrack(File entry, BasicFileAttributes attributes) {
        return TrackFolder.isTrackName(entry)
                && (attributes.isRegularFile() || attributes.isSymbolicLink() && TrackFolder.isTrack(entry));
    }

    private void cannotList(File folder, Exception e) {
        diagnostics.report("Cannot list the entries of " + folder + ", so it is passed over: " + Refusal.reason(e));
    }
}
