package app.journal;

import java.util.ArrayList;
import java.util.Collections;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

/** What a journal tells of its run, as far as its lines are whole. */
public final class JournalRun {
    /** The canonical path of the music folder; null where the journal names none. */
    String musicFolder;
    /** The run ended rather than being killed. */
    boolean closed;
    boolean undone;
    private final List<Change> changes = new ArrayList<>();
    private final Map<String, Change> byNumber = new HashMap<>();
    /** The rename whose steps the lines now tell; null between renames. */
    private Rename openRename;

    /** An undo took the run back. */
    public boolean isUndone() {
        return undone;
    }

    /** The renames, deletions and writes of lists, in the order the run made them. */
    public List<Change> changes() {
        return Collections.unmodifiableList(changes);
    }

    void add(Change change) {
        byNumber.put(change.number, change);
        if (change instanceof Rename) {
            openRename = (Rename) change;
            changes.add(change);
        } else if (change instanceof RenameStep) {
            if (openRename != null) {
                openRename.add((RenameStep) change);
            }
        } else if (change instanceof Rename.Found) {
            if (openRename != null) {
                Rename.Found found = (Rename.Found) change;
                openRename.found(found.size, found.modified);
            }
        } else {
            changes.add(change);
        }
    }

    void confirm(String number, String[] confirmation) {
        Change change = byNumber.get(number);
        if (change != null) {
            change.confirm(confirmation);
            closeRename(change);
        }
    }

    void fail(String number) {
        Change change = byNumber.get(number);
        if (change != null) {
            change.fail();
            closeRename(change);
        }
    }

    void restoring(String number) {
        Change change = byNumber.get(number);
        if (change instanceof Deletion) {
            ((Deletion) change).markRestoring();
        }
    }

    /** A rename's steps end with its confirmation. */
    private void closeRename(Change change) {
        if (change == openRename) {
            openRename = null;
        }
    }
}
