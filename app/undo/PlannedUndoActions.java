package app.undo;

import app.disk.PlannedFolder;
import app.journal.Deletion;
import app.rename.RenameOutcome;
import app.report.Problems;
import app.report.Refusal;
import java.io.File;
import java.io.IOException;
import java.io.PrintStream;
import java.nio.channels.FileChannel;
import java.nio.file.LinkOption;
import java.nio.file.StandardOpenOption;
import java.util.HashMap;
import java.util.Map;

/**
 * The undo of a dry run: nothing changes. Each folder is read when first met and then followed as
 * the undo would leave it, also when the undo comes back to it (an album the run reached twice,
 * through a link); what the system would refuse is foreseen as a dry run foresees it.
 */
final class PlannedUndoActions extends UndoActions {
    private final Problems problems;
    private final ListContents contents;
    private final Map<File, PlannedFolder> folders = new HashMap<>();

    PlannedUndoActions(PrintStream out, Problems problems, ListContents contents) {
        super(out);
        this.problems = problems;
        this.contents = contents;
    }

    @Override
    PlannedFolder folder(File directory) {
        return folders.computeIfAbsent(canonical(directory), PlannedFolder::read);
    }

    @Override
    boolean removeName(File name, PlannedFolder.Entry entry) {
        PlannedFolder folder = folder(name.getParentFile());
        IOException refusal = folder.refusalToDelete(entry, name);
        if (refusal != null) {
            Refusal.reportDeletion(name, refusal, problems);
            return false;
        }
        folder.remove(entry);
        return true;
    }

    @Override
    RenameOutcome rename(File at, PlannedFolder.Entry entry, File oldName) {
        PlannedFolder folder = folder(at.getParentFile());
        IOException refusal = folder.refusalToChange(at);
        if (refusal != null) {
            Refusal.reportRename(at, oldName, refusal, problems);
            return RenameOutcome.REFUSED;
        }
        folder.rename(entry, oldName.getName());
        return RenameOutcome.RENAMED;
    }

    /** Opened to write, not written: what the real undo would meet. */
    @Override
    void writeOver(File list, PlannedFolder.Entry entry, Deletion deletion) throws IOException {
        if (entry.original() != null) {
            FileChannel.open(entry.original().toPath(), StandardOpenOption.WRITE, LinkOption.NOFOLLOW_LINKS).close();
        }
        contents.plan(entry, deletion);
    }

    @Override
    void restore(File list, Deletion deletion) throws IOException {
        PlannedFolder folder = folder(list.getParentFile());
        IOException refusal = folder.refusalToChange(list);
        if (refusal != null) {
            throw refusal;
        }
        folder.create(list.getName());
        contents.plan(folder.find(list.getName()), deletion);
    }
}
