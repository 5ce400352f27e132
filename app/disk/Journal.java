package app.disk;

import app.Diagnostics;
import app.Refusal;
import java.io.File;
import java.io.IOException;
import java.nio.ByteBuffer;
import java.nio.channels.FileChannel;
import java.nio.charset.StandardCharsets;
import java.nio.file.StandardOpenOption;
import java.time.Instant;

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
    private final StringBuilder pending = new StringBuilder();
    private FileChannel channel;
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
     * gives its number, or 0 when no journal is kept.
     */
    long intent(File changedFolder, String kind, String... fields) {
        if (unusable || channel == null && !open()) {
            return 0;
        }
        if (lastFolder != null && !lastFolder.equals(changedFolder)) {
            write();
            force();
        }
        lastFolder = changedFolder;
        long number = next++;
        append(kind, number, fields);
        write();
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
        if (channel == null) {
            return;
        }
        write();
        force();
        try {
            channel.close();
        } catch (IOException e) {
            giveUp(e);
        }
        channel = null;
        unusable = true;
    }

    private boolean open() {
        try {
            String canonical = musicFolder.getCanonicalPath();
            java.nio.file.Files.createDirectories(folder.toPath());
            File journal = JournalFolder.fresh(folder, System.currentTimeMillis());
            channel = FileChannel.open(journal.toPath(), StandardOpenOption.CREATE_NEW, StandardOpenOption.WRITE);
            pending.append(JournalLine.of("journal", VERSION_1))
                    .append(JournalLine.of("folder", canonical))
                    .append(JournalLine.of("time", Instant.now().toString()))
                    .append(JournalLine.of("version", version));
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
        pending.append(JournalLine.of(line));
    }

    private void write() {
        if (pending.length() == 0 || unusable) {
            return;
        }
        ByteBuffer bytes = ByteBuffer.wrap(pending.toString().getBytes(StandardCharsets.UTF_8));
        pending.setLength(0);
        try {
            while (bytes.hasRemaining()) {
                channel.write(bytes);
            }
        } catch (IOException e) {
            giveUp(e);
        }
    }

    private void force() {
        if (unusable) {
            return;
        }
        try {
            channel.force(false);
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
            channel.close();
        } catch (IOException alsoFailed) {
            // Closed or not, it is written no more.
        }
    }
}
