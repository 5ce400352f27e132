package app.steps;

import app.disk.Disk;
import java.io.File;
import java.nio.file.Path;

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
    private final Path albumPath;
    private final Disk disk;

    OtherTracks(File album, Disk disk) {
        this.album = album;
        this.albumPath = album.getAbsoluteFile().toPath().normalize();
        this.disk = disk;
    }

    /** Whether the entry of a list in the album folder names such a track that exists. */
    boolean named(String entry) {
        Path path = ListEntryPath.resolve(album, entry);
        if (path == null || path.getFileName() == null) {
            return false;
        }
        File name = new File(path.getFileName().toString());
        // Only these two kinds cost a look at the disk: most entries are the album's own tracks.
        boolean counts = OTHER_AUDIO.accept(name) || Mp3FilesRenamer.TRACKS.accept(name) && isBelowTheAlbum(path);
        return counts && disk.isRegularFile(path.toFile());
    }

    private boolean isBelowTheAlbum(Path path) {
        Path folder = path.toAbsolutePath().normalize().getParent();
        return folder != null && folder.startsWith(albumPath) && !folder.equals(albumPath);
    }
}
