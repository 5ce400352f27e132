package app.steps;

import app.Listing;
import java.io.File;
import java.io.IOException;

/** Where the playlist and the checksum list of an album directory go. */
final class AlbumListFile {
    private AlbumListFile() {
    }

    /**
     * Deletes the directory's old lists with this extension (entries that will not go, such
     * as non-empty folders, stay) and gives the path of the new list.
     */
    static File replacing(File directory, String text, String extension) throws IOException {
        for (File old : Listing.entries(directory, new ExtensionFilter(extension))) {
            old.delete();
        }
        return new File(directory.getCanonicalPath(), AlbumName.of(text, extension));
    }
}
