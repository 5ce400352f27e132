package app.journal;

import java.io.File;
import java.nio.file.attribute.BasicFileAttributes;
import java.util.ArrayList;
import java.util.Collections;
import java.util.List;

/**
 * An entry is to take a new name in its folder: `rename n old-path new-path size modified`, with
 * the size and modification time the entry had (size -1 and no time where the rename's first look
 * at the entry tells them, as an `entry` record among its steps), then its steps, then `ok n
 * renamed` or `ok n kept`.
 */
public final class Rename extends Change {
    static final String KIND = "rename";
    private static final String RENAMED = "renamed";
    private static final String KEPT = "kept";
    /** The size that tells that the entry record among the steps has the entry's identity. */
    static final String UNKNOWN_SIZE = "-1";

    public final File oldPath;
    public final File newPath;
    private String size;
    private String modified;
    private boolean sizeFromEntryRecord;
    private boolean renamed;
    private final List<RenameStep> steps = new ArrayList<>();

    public Rename(File oldPath, File newPath, String size, String modified) {
        super(oldPath);
        this.oldPath = oldPath;
        this.newPath = newPath;
        this.size = size;
        this.modified = modified;
    }

    static Rename read(String[] fields) {
        return fields.length == 4 ? new Rename(new File(fields[0]), new File(fields[1]), fields[2], fields[3]) : null;
    }

    @Override
    String kind() {
        return KIND;
    }

    @Override
    String[] fields() {
        return new String[] {oldPath.getPath(), newPath.getPath(), size, modified};
    }

    /** What the confirmation of a rename holds. */
    static String[] confirmation(boolean renamed) {
        return new String[] {renamed ? RENAMED : KEPT};
    }

    @Override
    void confirm(String[] confirmation) {
        super.confirm(confirmation);
        renamed = confirmation.length == 1 && confirmation[0].equals(RENAMED);
    }

    /** Confirmed as renamed: the entry took the new name. */
    public boolean isRenamed() {
        return renamed;
    }

    /** The attributes are the entry's as the run found it before the rename: its size and modification time. */
    public boolean isAsFound(BasicFileAttributes attributes) {
        return Long.toString(attributes.size()).equals(size) && JournalFormat.time(attributes.lastModifiedTime()).equals(modified);
    }

    /** The steps the rename made or was about to make, in their order. */
    public List<RenameStep> steps() {
        return Collections.unmodifiableList(steps);
    }

    void add(RenameStep step) {
        steps.add(step);
    }

    /** The entry record's identity counts over the rename's own: the first one only. */
    void found(String entrySize, String entryModified) {
        if (!sizeFromEntryRecord) {
            size = entrySize;
            modified = entryModified;
            sizeFromEntryRecord = true;
        }
    }

    /** `entry n size modified`: the entry a rename moves, as the rename's first look at it found it. */
    static final class Found extends Change {
        static final String KIND = "entry";
        final String size;
        final String modified;

        Found(String size, String modified) {
            super(null);
            this.size = size;
            this.modified = modified;
        }

        static Found read(String[] fields) {
            return fields.length == 2 ? new Found(fields[0], fields[1]) : null;
        }

        @Override
        String kind() {
            return KIND;
        }

        @Override
        String[] fields() {
            return new String[] {size, modified};
        }
    }
}
