package app.journal;

import java.io.File;

/**
 * One record of a journal that a run writes before a change, or a step of one, and confirms or
 * refuses after it: its kind, its fields by name, and how both are written and read back (see
 * JournalFormat for the lines).
 */
public abstract class Change {
    /** The number the journal gave it; none for a record not read from a journal. */
    String number = "";
    private final File path;
    private boolean confirmed;
    private boolean failed;

    /** `path`: the entry it changes, null for a step of a rename, which names only names. */
    Change(File path) {
        this.path = path;
    }

    /** The record's kind, the first field of its line. */
    abstract String kind();

    /** Its fields after the kind and the number, as they are written. */
    abstract String[] fields();

    /** The run made the change; its confirmation brings the fields its kind defines. */
    void confirm(String[] confirmation) {
        confirmed = true;
    }

    void fail() {
        failed = true;
    }

    /** The run confirmed the change: it was made. */
    public boolean isConfirmed() {
        return confirmed;
    }

    /** The system refused the change. */
    public boolean isFailed() {
        return failed;
    }

    /** The entry it changes, by its path; null for a step of a rename, which names only names. */
    public final File path() {
        return path;
    }
}
