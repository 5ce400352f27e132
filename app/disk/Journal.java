package app.disk;

import app.Diagnostics;
import app.Refusal;
import java.io.File;
import java.io.FileOutputStream;
import java.io.IOException;
import java.nio.file.FileAlreadyExistsException;
import java.nio.file.Files;
import java.nio.file.StandardOpenOption;
import java.util.Arrays;

/**
 * The journal of one run: every change to the music folder, written before the change is made and
 * confirmed after it, so that a run killed at any moment leaves a journal that tells all it did.
 * Each intent goes to the system in one write, which carries the confirmation of the change
 * before it as well, so that a killed process loses none of it; the file is forced to the disk
 * when the run moves on to another folder and at the end. It is made with the first change: a run
 * that changes nothing leaves none. When it cannot be written, the run goes on without it and
 * says so once.
 */
public final class Journal {
    /** Kept for nothing: a run that is not to be undone, and the measure of what journals cost. */
    public static final Journal NONE = new Journal(null, null, null, null);
    static final String VERSION_1 = "1";

    private final File folder;
    private final File musicFolder;
    private final String version;
    private final Diagnostics diagnostics;
    /** What is to go with the next write. */
    private byte[] pending = new byte[8192];
    private int pendingLength;
    /** A plain stream: each write is one system call, without a out's bookkeeping. */
    private FileOutputStream out;
    private boolean unusable;
    private long next = 1;
    private File lastFolder;

    private Journal(File folder, File musicFolder, String version, Diagnostics diagnostics) {
        this.folder = folder;
        this.musicFolder = musicFolder;
        this.version = version;
        this.diagnostics = diagnostics;
        unusable = folder == null;
    }

    /** The journal of a run over the music folder, kept in the folder of journals. */
    public static Journal of(File folder, File musicFolder, String version, Diagnostics diagnostics) {
        return new Journal(folder, musicFolder, version, diagnostics);
    }

    /**
     * Writes that a change in the folder is about to be made, with what it takes to undo it;
     * gives its number, or 0 when no journal is kept. The folder is null for a step of a change
     * announced before, in the same folder.
     */
    long intent(File changedFolder, String kind, String... fields) {
        long number = announce(changedFolder, kind, fields);
        write();
        return number;
    }

    /**
     * Notes what a group of changes is to do, without a change of its own: it goes with the
     * intent of the first of them.
     */
    long announce(File changedFolder, String kind, String... fields) {
        if (unusable || out == null && !open()) {
            return 0;
        }
        if (changedFolder != null) {
            if (lastFolder != null && !lastFolder.equals(changedFolder)) {
                write();
                force();
            }
            lastFolder = changedFolder;
        }
        long number = next++;
        append(kind, number, fields);
        return number;
    }

    /** The change was made; what it left may come along. Written with the next intent. */
    void confirm(long number, String... fields) {
        if (number != 0 && !unusable) {
            append("ok", number, fields);
        }
    }

    /** The change was refused. */
    void failed(long number) {
        if (number != 0 && !unusable) {
            append("failed", number);
        }
    }

    /** Writes what is left and forces it to the disk. */
    public void close() {
        if (out == null) {
            return;
        }
        write();
        force();
        try {
            out.close();
        } catch (IOException e) {
            giveUp(e);
        }
        out = null;
        unusable = true;
    }

    private boolean open() {
        try {
            String canonical = musicFolder.getCanonicalPath();
            Files.createDirectories(folder.toPath());
            long begins = System.currentTimeMillis();
            for (int attempt = 0; out == null; attempt++) {
                File journal = JournalFolder.fresh(folder, begins + attempt);
                try {
                    // Made new here, so that no other run's journal is ever written to.
                    Files.newOutputStream(journal.toPath(), StandardOpenOption.CREATE_NEW).close();
                    out = new FileOutputStream(journal, true);
                } catch (FileAlreadyExistsException e) {
                    // Another run took the name meanwhile (or a broken link bears it): the next one.
                    if (attempt == 100) {
                        throw e;
                    }
                }
            }
            appendLine(JournalLine.bytesOf("journal", VERSION_1));
            appendLine(JournalLine.bytesOf("folder", canonical));
            // In milliseconds since 1970: formatting it would load the runtime's locale data, at a cost.
            appendLine(JournalLine.bytesOf("time", Long.toString(System.currentTimeMillis())));
            appendLine(JournalLine.bytesOf("version", version));
            write();
            if (!unusable) {
                JournalFolder.prune(folder, canonical);
            }
        } catch (IOException | RuntimeException e) {
            diagnostics.report("This run cannot be undone: its journal cannot be written in " + folder + ": "
                    + (e instanceof IOException ? Refusal.reason((IOException) e) : e.toString()));
            unusable = true;
        }
        return !unusable;
    }

    private void append(String kind, long number, String... fields) {
        String[] line = new String[fields.length + 2];
        line[0] = kind;
        line[1] = Long.toString(number);
        System.arraycopy(fields, 0, line, 2, fields.length);
        appendLine(JournalLine.bytesOf(line));
    }

    private void appendLine(byte[] line) {
        if (pendingLength + line.length > pending.length) {
            pending = Arrays.copyOf(pending, Math.max(2 * pending.length, pendingLength + line.length));
        }
        System.arraycopy(line, 0, pending, pendingLength, line.length);
        pendingLength += line.length;
    }

    private void write() {
        if (pendingLength == 0 || unusable) {
            return;
        }
        int length = pendingLength;
        pendingLength = 0;
        try {
            out.write(pending, 0, length);
        } catch (IOException e) {
            giveUp(e);
        }
    }

    private void force() {
        if (unusable) {
            return;
        }
        try {
            // The data and the size: the times can wait.
            out.getChannel().force(false);
        } catch (IOException e) {
            giveUp(e);
        }
    }

    private void giveUp(IOException e) {
        if (!unusable) {
            diagnostics.report("The rest of this run cannot be undone: its journal cannot be written: " + Refusal.reason(e));
        }
        unusable = true;
        try {
            out.close();
        } catch (IOException alsoFailed) {
            // Closed or not, it is written no more.
        }
    }
}
