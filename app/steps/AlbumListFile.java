package app.steps;

import app.Diagnostics;
import app.Listing;
import java.io.BufferedWriter;
import java.io.File;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.OutputStreamWriter;
import java.nio.charset.Charset;

/** Where the playlist and the checksum list of an album directory go. */
final class AlbumListFile {
    private AlbumListFile() {
    }

    /**
     * Deletes the directory's old lists with this extension (entries that will not go, such
     * as non-empty folders, stay) and gives the path of the new list.
     */
    static File replacing(File directory, String text, String extension, Diagnostics diagnostics) throws IOException {
        for (File old : Listing.entries(directory, new ExtensionFilter(extension), diagnostics)) {
            old.delete();
        }
        return new File(directory.getCanonicalPath(), AlbumName.of(text, extension));
    }

    /** Creates or truncates a list, written in the platform's default encoding. */
    static BufferedWriter open(File list) throws IOException {
        return new BufferedWriter(new OutputStreamWriter(new FileOutputStream(list), Charset.defaultCharset()));
    }

    /**
     * The track's bare name for a list line. A name that the encoding cannot represent is
     * written with replacement characters and so names no track: that is reported.
     */
    static String lineName(File track, Charset encoding, Diagnostics diagnostics) {
        String name = track.getName();
        if (!encoding.newEncoder().canEncode(name)) {
            diagnostics.report("The name of " + track + " cannot be written in the " + encoding.name()
                    + " encoding of the lists; its line names no file");
        }
        return name;
    }
}
