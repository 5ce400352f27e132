package app.steps;

import app.Diagnostics;
import java.io.File;
import java.io.IOException;
import java.io.Writer;
import java.nio.charset.Charset;
import java.util.List;

/**
 * Writes one of an album directory's lists, the playlist or the checksum list: deletes the old
 * lists of its kind, then writes the new one, named after the directory, in the platform's
 * default encoding. Reports what goes wrong; an input/output failure ends the list there.
 */
final class AlbumListFile {
    /** What sets one kind of list apart. */
    interface Format {
        /** The extension of the list's name; every entry with it is an old list of this kind. */
        String extension();

        /** What the list is called in diagnostics. */
        String title();

        /** The lines above the tracks. */
        List<String> header();

        /** A track's line; an exception means the track gets no line, and the next one goes on. */
        String line(File track) throws IOException;

        String lineEnd();
    }

    private final Format format;
    private final Disk disk;
    private final Diagnostics diagnostics;

    AlbumListFile(Format format, Disk disk, Diagnostics diagnostics) {
        this.format = format;
        this.disk = disk;
        this.diagnostics = diagnostics;
    }

    void write(File directory, String text, List<File> tracks) {
        try {
            deleteOldLists(directory);
            File list = new File(directory.getCanonicalPath(), AlbumName.of(text, format.extension()));
            try (Writer out = disk.create(list)) {
                for (String line : format.header()) {
                    out.write(line + format.lineEnd());
                }
                for (File track : tracks) {
                    writeLine(out, track);
                }
            }
        } catch (IOException e) {
            diagnostics.report("Cannot write the " + format.title() + " of " + directory, e);
        }
    }

    /** Entries that will not go, such as non-empty folders, stay without a word. */
    private void deleteOldLists(File directory) {
        for (File old : disk.entries(directory, new ExtensionFilter(format.extension()))) {
            disk.delete(old);
        }
    }

    private void writeLine(Writer out, File track) throws IOException {
        String line;
        try {
            line = format.line(track);
        } catch (IOException e) {
            diagnostics.report("Cannot read the track " + track, e);
            return;
        }
        reportUnwritableName(track, Charset.defaultCharset(), diagnostics);
        out.write(line + format.lineEnd());
    }

    /**
     * A name that the encoding cannot represent is written with replacement characters and so
     * names no track: that is reported.
     */
    static void reportUnwritableName(File track, Charset encoding, Diagnostics diagnostics) {
        if (!encoding.newEncoder().canEncode(track.getName())) {
            diagnostics.report("The name of " + track + " cannot be written in the " + encoding.name()
                    + " encoding of the lists; its line names no file");
        }
    }
}
