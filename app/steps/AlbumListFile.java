package app.steps;

import app.Context;
import app.Diagnostics;
import app.Step;
import app.disk.Disk;
import app.disk.ListEncoding;
import app.disk.ListText;
import java.io.File;
import java.io.IOException;
import java.io.Writer;
import java.nio.charset.CharsetEncoder;
import java.nio.file.attribute.FileTime;
import java.util.ArrayList;
import java.util.List;

/**
 * The step that writes one of an album directory's lists, the playlist or the checksum list:
 * deletes the old lists of its kind, then writes the new one, named after the directory, in the
 * system's code page. An old list that names tracks the run does not list (see OtherTracks) is
 * kept as it is, and where it holds the new list's name no new list is written. Reports what goes
 * wrong; an input/output failure ends the list there. Each kind of list gives only what sets it
 * apart: how its old lists are read, its header, its lines and line end.
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

    /** How one album's old lists of this kind are read, and what the new list learns from them. */
    interface OldLists {
        /** The entry that a line of an old list names, or null for a comment or any other line (see ListText.Lines). */
        String entry(File list, FileTime written, String line, boolean whole);

        /** Whether a list is read to its end even once an entry has decided to keep it. */
        boolean readsEveryLine();

        /** How the album's tracks get their lines, once the old lists are read. */
        TrackLines trackLines();
    }

    /** The lines above the tracks. */
    abstract List<String> header();

    /** Made anew for each album. */
    abstract OldLists oldLists(Context context);

    abstract String lineEnd();

    @Override
    public void execute(File directory, Context context) {
        try {
            List<File> oldLists = disk.entries(directory, new ExtensionFilter(extension));
            OldLists reading = oldLists(context);
            List<File> kept = keptLists(new OtherTracks(directory, context.canonicalPath(directory), disk), oldLists, reading);
            // Entries that will not go, such as folders with entries, are reported and stay.
            for (File old : oldLists) {
                if (!kept.contains(old)) {
                    disk.delete(old);
                }
            }
            File list = new File(context.canonicalPath(directory), AlbumName.of(context.getText(), extension));
            if (!isKept(list, kept, context)) {
                write(list, context, reading.trackLines());
            }
        } catch (IOException e) {
            diagnostics.report("Cannot write the " + title + " of " + directory, e);
        }
    }

    /** Reads every old list; gives those that name tracks the run does not list, or are too large to read. */
    private List<File> keptLists(OtherTracks others, List<File> oldLists, OldLists reading) {
        List<File> kept = new ArrayList<>();
        for (File old : oldLists) {
            boolean[] namesOthers = {false};
            ListText.Outcome outcome = disk.readList(old, (line, written, whole) -> {
                String entry = reading.entry(old, written, line, whole);
                namesOthers[0] = namesOthers[0] || entry != null && others.named(entry);
                return !namesOthers[0] || reading.readsEveryLine();
            });
            if (namesOthers[0] || outcome == ListText.Outcome.TOO_LARGE) {
                kept.add(old);
            }
        }
        return kept;
    }

    /** A kept list holds the new list's name: it stays, said only where the album has tracks it would have listed. */
    private boolean isKept(File list, List<File> kept, Context context) {
        for (File old : kept) {
            if (disk.sameEntry(old, list)) {
                if (!context.getFiles().isEmpty()) {
                    diagnostics.report("Cannot write " + list + ": it lists other tracks, kept as it is");
                }
                return true;
            }
        }
        return false;
    }

    private void write(File list, Context context, TrackLines lines) throws IOException {
        try (Writer out = disk.create(list)) {
            for (String line : header()) {
                out.write(line + lineEnd());
            }
            for (File track : context.getFiles()) {
                writeLine(out, lines, track);
            }
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
