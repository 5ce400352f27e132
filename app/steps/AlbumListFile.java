package app.steps;

import app.Context;
import app.Diagnostics;
import app.Step;
import app.disk.Disk;
import app.disk.ListEncoding;
import java.io.File;
import java.io.IOException;
import java.io.Writer;
import java.nio.charset.CharsetEncoder;
import java.util.List;

/**
 * The step that writes one of an album directory's lists, the playlist or the checksum list:
 * deletes the old lists of its kind, then writes the new one, named after the directory, in the
 * system's code page. Reports what goes wrong; an input/output failure ends the list there. Each
 * kind of list gives only what sets it apart: its header, its lines and line end.
 */
abstract class AlbumListFile implements Step {
    /** The extension of the list's name; every entry with it is an old list of this kind. */
    private final String extension;
    /** What the list is called in diagnostics. */
    private final String title;
    private final Disk disk;
    private final Diagnostics diagnostics;
    /** Made once: an encoder takes longer to make than to check a name. */
    private final CharsetEncoder nameCheck = ListEncoding.LISTS.newEncoder();

    AlbumListFile(String extension, String title, Disk disk, Diagnostics diagnostics) {
        this.extension = extension;
        this.title = title;
        this.disk = disk;
        this.diagnostics = diagnostics;
    }

    /** Makes the tracks' lines of one album's list. */
    interface TrackLines {
        /** A track's line; an exception means the track gets no line, and the next one goes on. */
        String line(File track) throws IOException;
    }

    /** The lines above the tracks. */
    abstract List<String> header();

    /** How the album's tracks get their lines; asked before the old lists are deleted. */
    abstract TrackLines trackLines(Context context, List<File> oldLists);

    abstract String lineEnd();

    @Override
    public void execute(File directory, Context context) {
        try {
            List<File> oldLists = disk.entries(directory, new ExtensionFilter(extension));
            TrackLines lines = trackLines(context, oldLists);
            // Entries that will not go, such as folders with entries, are reported and stay.
            for (File old : oldLists) {
                disk.delete(old);
            }
            File list = new File(context.canonicalPath(directory), AlbumName.of(context.getText(), extension));
            try (Writer out = disk.create(list)) {
                for (String line : header()) {
                    out.write(line + lineEnd());
                }
                for (File track : context.getFiles()) {
                    writeLine(out, lines, track);
                }
            }
        } catch (IOException e) {
            diagnostics.report("Cannot write the " + title + " of " + directory, e);
        }
    }

    private void writeLine(Writer out, TrackLines lines, File track) throws IOException {
        String line;
        try {
            line = lines.line(track);
        } catch (IOException e) {
            diagnostics.report("Cannot read the track " + track, e);
            return;
        }
        reportUnwritableName(track, nameCheck, diagnostics);
        out.write(line + lineEnd());
    }

    /**
     * A name that the encoding cannot represent is written with replacement characters and so
     * names no track: that is reported.
     */
    static void reportUnwritableName(File track, CharsetEncoder encoder, Diagnostics diagnostics) {
        if (!encoder.canEncode(track.getName())) {
            diagnostics.report("The name of " + track + " cannot be written in the " + encoder.charset().name()
                    + " encoding of the lists; its line names no file");
        }
    }
}
