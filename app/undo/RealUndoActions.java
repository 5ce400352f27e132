package app.undo;

import app.disk.PlannedFolder;
import app.disk.RealDisk;
import app.journal.Deletion;
import app.journal.JournalFormat;
import app.journal.JournalMarks;
import app.rename.RenameOutcome;
import app.report.Problems;
import app.report.Refusal;
import java.io.File;
import java.io.IOException;
import java.io.PrintStream;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.nio.file.OpenOption;
import java.nio.file.Paths;
import java.nio.file.StandardOpenOption;

/**
 * The undo of a real run: renames and deletions go through the real disk, lists come back with the
 * bytes and time the journal kept, and the run's journal notes what the undo does, so that an undo
 * killed midway is finished by the next. A folder is read afresh after each change.
 */
final class RealUndoActions extends UndoActions {
    private final Problems problems;
    private final RealDisk disk;
    private final File journal;
    /** Where the undo notes what it does in the run's journal; null when it cannot. */
    private JournalMarks marks;
    private File currentPath;
    private PlannedFolder current;

    RealUndoActions(PrintStream out, Problems problems, File journal) {
        super(out);
        this.problems = problems;
        disk = new RealDisk(problems);
        this.journal = journal;
        try {
            marks = JournalMarks.open(journal);
        } catch (IOException e) {
            // Undone without notes: marking it undone at the end tells why not.
        }
    }

    @Override
    PlannedFolder folder(File directory) {
        File canonical = canonical(directory);
        if (current == null || !canonical.equals(currentPath)) {
            current = PlannedFolder.read(canonical);
            currentPath = canonical;
        }
        return current;
    }

    @Override
    boolean removeName(File name, PlannedFolder.Entry entry) {
        current = null;
        return disk.delete(name);
    }

    @Override
    RenameOutcome rename(File at, PlannedFolder.Entry entry, File oldName) {
        current = null;
        return disk.rename(at, oldName);
    }

    @Override
    void writeOver(File list, PlannedFolder.Entry entry, Deletion deletion) throws IOException {
        current = null;
        writeBack(list, deletion, StandardOpenOption.TRUNCATE_EXISTING, StandardOpenOption.WRITE, LinkOption.NOFOLLOW_LINKS);
    }

    @Override
    void restore(File list, Deletion deletion) throws IOException {
        current = null;
        if (deletion.kept == Deletion.Kept.FOLDER) {
            Files.createDirectory(list.toPath());
        } else if (deletion.kept == Deletion.Kept.SYMLINK) {
            Files.createSymbolicLink(list.toPath(), Paths.get(deletion.target()));
        } else {
            writeBack(list, deletion, StandardOpenOption.CREATE_NEW);
        }
    }

    /** Writes the bytes and time that the journal kept of a deleted list, the note of it first. */
    private void writeBack(File list, Deletion deletion, OpenOption... options) throws IOException {
        noteRestoring(deletion);
        Files.write(list.toPath(), deletion.bytes(), options);
        Files.setLastModifiedTime(list.toPath(), JournalFormat.time(deletion.modified));
    }

    /** Notes in the journal that the undo begins to write a list back, for a next undo should this one be killed. */
    private void noteRestoring(Deletion deletion) {
        if (marks == null) {
            return;
        }
        try {
            marks.restoring(deletion);
        } catch (IOException e) {
            // Without the note, a next undo reports a list that this one left half written as taken.
            close();
        }
    }

    /** So that the next undo takes the run before. */
    void markUndone() {
        try {
            if (marks == null) {
                marks = JournalMarks.open(journal);
            }
            marks.undone(System.currentTimeMillis());
        } catch (IOException e) {
            problems.report("Cannot mark the journal " + journal + " as undone, so the next undo takes this run"
                    + " again: " + Refusal.reason(e));
        }
    }

    void close() {
        if (marks == null) {
            return;
        }
        try {
            marks.close();
        } catch (IOException e) {
            // Forced already where it had to be, or reported.
        }
        marks = null;
    }
}
