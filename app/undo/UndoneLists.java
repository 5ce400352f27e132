package app.undo;

import app.disk.PlannedFolder;
import app.journal.Change;
import app.journal.Deletion;
import app.journal.ListWrite;
import app.report.Problems;
import app.report.Refusal;
import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.util.HashMap;
import java.util.IdentityHashMap;
import java.util.List;
import java.util.Map;

/**
 * Takes back what the run did to lists: a list the run wrote goes while it holds what the run
 * wrote, and an old list the run deleted, or could not delete and wrote over, comes back with the
 * bytes and time the journal kept, where its name is free or holds what the run wrote.
 */
final class UndoneLists {
    private static final String DELETED = "deleted";
    private static final String WROTE_OVER = "wrote over";

    private final UndoActions actions;
    private final Problems problems;
    private final ListContents contents;
    /**
     * For each list the run wrote, its deletion of what bore the name before, in the same visit of
     * the album or an earlier one: the run may reach an album twice, through a link to it.
     */
    private final Map<ListWrite, Deletion> deletionBeforeWrite = new IdentityHashMap<>();
    private final Map<String, String> canonicalFolders = new HashMap<>();

    UndoneLists(UndoActions actions, Problems problems, ListContents contents, List<Change> changes) {
        this.actions = actions;
        this.problems = problems;
        this.contents = contents;
        Map<String, Deletion> lastDeletionAt = new HashMap<>();
        for (Change change : changes) {
            if (change instanceof Deletion) {
                lastDeletionAt.put(location(change.path()), (Deletion) change);
            } else if (change instanceof ListWrite) {
                deletionBeforeWrite.put((ListWrite) change, lastDeletionAt.get(location(change.path())));
            }
        }
    }

    /**
     * A list the run wrote goes while it holds what the run wrote; one not confirmed goes as well.
     * Where the old list of its name would not go, the run wrote over it: its bytes come back.
     */
    void undo(ListWrite write) {
        File list = write.path();
        // By the folder's rule for letter case: where it ignores case the run wrote over an old
        // list spelt otherwise, which keeps its spelling.
        PlannedFolder.Entry entry = actions.folder(list.getParentFile()).find(list.getName());
        Deletion deletion = deletionBeforeWrite.get(write);
        if (entry == null || deletion != null && contents.isAsDeletedWithTime(entry, deletion)) {
            // Gone, or the old list of that name as the run found it (the run could not write over
            // it) or as an undo killed before it marked the journal brought it back.
            return;
        }
        boolean overOldList = deletion != null && deletion.isFailed();
        if (write.isConfirmedWithContent() && !contents.holdsWhatWasWritten(entry, write)) {
            keepChanged(list, entry, deletion, overOldList);
        } else if (overOldList) {
            restoreInPlace(list, entry, deletion, WROTE_OVER);
        } else if (actions.removeName(list, entry)) {
            actions.show("delete", list);
        }
    }

    /** The list holds other bytes than the run wrote: it stays, unless an undo was bringing the old one back. */
    private void keepChanged(File list, PlannedFolder.Entry entry, Deletion deletion, boolean overOldList) {
        if (deletion != null && deletion.isRestoring() && contents.holdsTheStartOf(entry, deletion)) {
            // The old list as far as an undo killed in the midst of bringing it back wrote it, or
            // without its time: the undo of the deletion finishes it.
            if (overOldList) {
                restoreInPlace(list, entry, deletion, WROTE_OVER);
            }
            return;
        }
        String changed = "it has changed since the run, so it stays";
        if (overOldList) {
            cannotRestore(list, WROTE_OVER, changed);
        } else {
            problems.report("Cannot delete " + list + ", the list the run wrote: " + changed);
        }
    }

    /** A list the run deleted comes back where its name is free. */
    void undo(Deletion deletion) {
        File list = deletion.path();
        PlannedFolder.Entry holder = actions.folder(list.getParentFile()).find(list.getName());
        if (holder != null) {
            if (deletion.isRestoring() && !contents.isAsDeletedWithTime(holder, deletion)
                    && contents.holdsTheStartOf(holder, deletion)) {
                // Brought back by an undo killed before it gave the list all its bytes, or its time.
                restoreInPlace(list, holder, deletion, DELETED);
            } else if (!contents.isAsDeleted(holder, deletion)) {
                cannotRestore(list, DELETED, "another entry holds its name");
            }
            return;
        }
        if (deletion.kept == Deletion.Kept.LARGE) {
            cannotRestore(list, DELETED, bytesNotKept());
            return;
        }
        try {
            actions.restore(list, deletion);
        } catch (IOException | RuntimeException e) {
            cannotRestore(list, DELETED, e);
            return;
        }
        actions.show("restore", list);
    }

    /** The old list gets its bytes and time back over the entry of its name: what the run did (how it went) tells. */
    private void restoreInPlace(File list, PlannedFolder.Entry entry, Deletion deletion, String whatTheRunDid) {
        if (deletion.kept != Deletion.Kept.FILE) {
            cannotRestore(list, whatTheRunDid, bytesNotKept());
            return;
        }
        if (entry.original() != null && !Files.isRegularFile(entry.original().toPath(), LinkOption.NOFOLLOW_LINKS)) {
            // Never opened: a pipe there would hold the undo up, a device take the bytes.
            cannotRestore(list, whatTheRunDid, "another entry holds its name");
            return;
        }
        try {
            actions.writeOver(list, entry, deletion);
        } catch (IOException | RuntimeException e) {
            cannotRestore(list, whatTheRunDid, e);
            return;
        }
        actions.show("restore", list);
    }

    private static String bytesNotKept() {
        return "it was larger than " + (Deletion.LARGEST_KEPT >> 20) + " MiB or could not be read, so the journal"
                + " kept not its bytes";
    }

    private void cannotRestore(File list, String whatTheRunDid, Exception e) {
        cannotRestore(list, whatTheRunDid, e instanceof IOException ? Refusal.reason((IOException) e) : e.toString());
    }

    private void cannotRestore(File list, String whatTheRunDid, String reason) {
        problems.report("Cannot restore " + list + ", which the run " + whatTheRunDid + ": " + reason);
    }

    /**
     * Where an entry is: its folder canonical, since the journal names a list's folder as listed
     * in one place and as canonical in another, and its name by the folder's rule for case.
     */
    private String location(File path) {
        String folder = path.getParent();
        String canonical = canonicalFolders.computeIfAbsent(folder, name -> UndoActions.canonical(new File(name)).getPath());
        return canonical + File.separator + actions.folder(new File(canonical)).key(path.getName());
    }
}
