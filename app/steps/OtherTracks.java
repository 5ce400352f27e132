package app.steps;

import app.disk.Disk;
import java.io.File;
import java.io.IOException;
import java.nio.file.InvalidPathException;
import java.nio.file.Path;
import java.util.HashMap;
import java.util.Map;

/**
 * Tells the entries of old lists that name tracks the run neither renames nor lists: a track of
 * another audio format, or an MP3 track in a folder below the album folder (a disc folder's). A
 * list that names one describes tracks of its own, such as a ripper's lists of a FLAC album, and
 * is kept. A list of the album's own MP3 tracks names none, and no step makes or moves one, so
 * the run, its plan and the next run all tell alike.
 */
final class OtherTracks {
    static final ExtensionFilter OTHER_AUDIO = new ExtensionFilter(".flac", ".ape", ".wv", ".ogg", ".oga", ".opus",
            ".m4a", ".aac", ".wav", ".aif", ".aiff", ".wma", ".mpc", ".mp2", ".tta", ".dsf", ".dff");

    private final File album;
    /** The album folder's canonical path: where it is, links followed. */
    private final Path albumFolder;
    private final Disk disk;
    /** Whether each folder that entries name is an album folder below this one. */
    private final Map<Path, Boolean> albumsBelow = new HashMap<>();

    OtherTracks(File album, String canonicalPath, Disk disk) {
        this.album = album;
        this.albumFolder = new File(canonicalPath).toPath();
        this.disk = disk;
    }

    /** Whether the entry of a list in the album folder names such a track that exists. */
    boolean named(String entry) {
        Path path = ListEntryPath.resolve(album, entry);
        if (path == null || path.getFileName() == null) {
            return false;
        }
        File name = new File(path.getFileName().toString());
        boolean otherAudio = OTHER_AUDIO.accept(name);
        // Only these cost a look at the disk: the entries of the album's own tracks are bare names.
        boolean bareName = album.toPath().equals(path.getParent());
        if (!bareName && isAlbumBelow(path.getParent())) {
            return true;
        }
        if (!otherAudio && (bareName || !Mp3FilesRenamer.TRACKS.accept(name))) {
            return false;
        }
        Path track = disk.regularFile(path.toFile());
        return track != null && (otherAudio || isBelowTheAlbum(track));
    }

    /**
     * Whether the folder is an album folder below this one, whatever the name of the entry in it:
     * a run over the albums below renames their tracks, and a list of them kept before must be
     * kept after that too. Asked once per folder.
     */
    private boolean isAlbumBelow(Path folder) {
        return albumsBelow.computeIfAbsent(folder, path -> {
            try {
                Path real = path.toRealPath();
                return isBelowTheAlbumFolder(real) && TrackFolder.holdsTrack(real.toFile());
            } catch (IOException | InvalidPathException e) {
                return false;
            }
        });
    }

    /**
     * Told where links lead: a disc folder may be a link, and a link may lead back into the album
     * or to another album, whose tracks the run renames.
     */
    private boolean isBelowTheAlbum(Path track) {
        return isBelowTheAlbumFolder(track.getParent());
    }

    private boolean isBelowTheAlbumFolder(Path folder) {
        return folder.startsWith(albumFolder) && !folder.equals(albumFolder);
    }
}
