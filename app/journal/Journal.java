package app.journal;

import app.report.Problems;
import app.report.Refusal;
import java.io.File;
import java.io.IOException;
import java.nio.ByteBuffer;
import java.nio.MappedByteBuffer;
import java.nio.channels.FileChannel;
import java.nio.file.FileAlreadyExistsException;
import java.nio.file.Files;
import java.nio.file.StandardOpenOption;

/**
 * The journal of one run: every change to the music folder, written before the change is made and
 * confirmed after it, so that a run killed at any moment leaves a journal that tells all it did.
 * The file is mapped into memory, so each intent, with the confirmation of the change before it,
 * is in the system's hands as soon as it is copied there, without a call of its own: a killed
 * process loses none of it. The file is forced to the disk when the run moves on to another folder
 * and at the end. Each stretch of it is written with zeros before it is mapped, so that a full
 * disk refuses that write rather than a copy into the mapping; the zeros past the last line are
 * cut off at the end. Those that a killed run, or a system that cannot cut a mapped file
 * (Windows), leaves have no line feed: readers take them for a line cut short. It is made with the first change: a run
 * that changes nothing leaves none. When it cannot be written, the run goes on without it and
 * says so once.
 */
public final class Journal {
    /** Kept for nothing: a run that is not to be undone, and the measure of what journals cost. */
    public static final Journal NONE = new Journal(null, null, null, null);

    private final File folder;
    private final File musicFolder;
    private final String version;
    private final Problems problems;
    /** How much of the file is written with zeros and mapped at a time. */
    static final int STRETCH = 256 << 10;

    /** What is to go with the next write. */
    private final JournalLine.Lines pending = new JournalLine.Lines();
    private FileChannel out;
    /** The stretch of the file being written, and where in the file it begins. */
    private MappedByteBuffer stretch;
    private long stretchStart;
    private boolean unusable;
    private long next = 1;
    private File lastFolder;

    private Journal(File folder, File musicFolder, String version, Problems problems) {
        this.folder = folder;
        this.musicFolder = musicFolder;
        this.version = version;
        this.problems = problems;
        unusable = folder == null;
    }

    /** The journal of a run over the music folder, kept in the folder of journals. */
    public static Journal of(File folder, File musicFolder, String version, Problems problems) {
        return new Journal(folder, musicFolder, version, problems);
    }

    /**
     * Writes that a change in the folder is about to be made, with what it takes to undo it;
     * gives its number, or 0 when no journal is kept. The folder is null for a step of a change
     * announced before, in the same folder.
     */
    long intent(File changedFolder, Change change) {
        long number = announce(changedFolder, change);
        write();
        return number;
    }

    /**
     * Notes what a group of changes is to do, without a change of its own: it goes with the
     * intent of the first of them.
     */
    long announce(File changedFolder, Change change) {
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
        pending.add(JournalFormat.change(change, number));
        return number;
    }

    /** The change was made; what it left, as its kind confirms it, may come along. Written with the next intent. */
    void confirm(long number, String... confirmation) {
        if (number != 0 && !unusable) {
            pending.add(JournalFormat.confirmation(number, confirmation));
        }
    }

    /** The change was refused. */
    void failed(long number) {
        if (number != 0 && !unusable) {
            pending.add(JournalFormat.failure(number));
        }
    }

    /** Writes what is left and forces it to the disk. */
    public void close() {
        if (out == null) {
            return;
        }
        // Tells the next run that this one was not killed: it has no rename left half made.
        if (!unusable) {
            pending.add(JournalFormat.closing());
        }
        write();
        force();
        if (!unusable) {
            try {
                out.truncate(stretchStart + stretch.position());
            } catch (IOException e) {
                // Windows keeps a mapped file's length; the zeros stay, and readers pass over them.
            }
        }
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
                    out = FileChannel.open(journal.toPath(), StandardOpenOption.CREATE_NEW, StandardOpenOption.READ,
                            StandardOpenOption.WRITE);
                } catch (FileAlreadyExistsException e) {
                    // Another run took the name meanwhile (or a broken link bears it): the next one.
                    if (attempt == 100) {
                        throw e;
                    }
                }
            }
            JournalFormat.header(pending, canonical, System.currentTimeMillis(), version);
            mapStretch(0);
            write();
            if (!unusable) {
                JournalFolder.prune(folder, canonical);
            }
        } catch (IOException | RuntimeException e) {
            problems.report("This run cannot be undone: its journal cannot be written in " + folder + ": "
                    + (e instanceof IOException ? Refusal.reason((IOException) e) : e.toString()));
            unusable = true;
        }
        return !unusable;
    }

    private void write() {
        if (pending.length == 0 || unusable) {
            return;
        }
        int written = 0;
        try {
            while (written < pending.length) {
                if (!stretch.hasRemaining()) {
                    // What the stretch holds is forced before the next one takes the lines.
                    stretch.force();
                    mapStretch(stretchStart + STRETCH);
                }
                int length = Math.min(pending.length - written, stretch.remaining());
                stretch.put(pending.bytes, written, length);
                written += length;
            }
        } catch (IOException e) {
            giveUp(e);
        } catch (InternalError e) {
            // The runtime's word for a fault of the mapped memory: the system could not write the file.
            giveUp(new IOException(e.getMessage(), e));
        }
        pending.length = 0;
    }

    /** Writes zeros over the stretch that begins there, then maps it. */
    private void mapStretch(long start) throws IOException {
        ByteBuffer zeros = ByteBuffer.allocate(STRETCH);
        for (long position = start; zeros.hasRemaining(); ) {
            position += out.write(zeros, position);
        }
        stretch = out.map(FileChannel.MapMode.READ_WRITE, start, STRETCH);
        stretchStart = start;
    }

    private void force() {
        if (unusable) {
            return;
        }
        try {
            stretch.force();
        } catch (RuntimeException | InternalError e) {
            giveUp(new IOException(e.getMessage(), e));
        }
    }

    private void giveUp(IOException e) {
        if (!unusable) {
            problems.report("The rest of this run cannot be undone: its journal cannot be written: " + Refusal.reason(e));
        }
        unusable = true;
        try {
            out.close();
        } catch (IOException alsoFailed) {
            // Closed or not, it is written no more.
        }
    }
}
