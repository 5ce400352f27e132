package app.undo;

import app.disk.PlannedFolder;
import app.journal.Deletion;
import app.journal.JournalFormat;
import app.journal.ListWrite;
import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.LinkOption;
import java.nio.file.attribute.BasicFileAttributes;
import java.util.Arrays;
import java.util.IdentityHashMap;
import java.util.Map;

/**
 * What the entries of lists hold, as the undo compares them with its journal: read from the disk,
 * or, for an entry that a planned undo brings back, what the journal kept for it, so that a plan
 * goes on from it as the real undo would.
 */
final class ListContents {
    private static final long LONGEST_LIST = 16L << 20;

    /** Each entry the plan brought back, with the deletion whose bytes and time it now holds. */
    private final Map<PlannedFolder.Entry, Deletion> planned = new IdentityHashMap<>();

    /** The plan brought the entry back as the run deleted it. */
    void plan(PlannedFolder.Entry entry, Deletion deletion) {
        planned.put(entry, deletion);
    }

    /** The entry is what the run deleted (its kind and bytes; a folder's or link's time aside). */
    boolean isAsDeleted(PlannedFolder.Entry holder, Deletion deletion) {
        Deletion plannedAs = planned.get(holder);
        if (plannedAs != null) {
            return plannedAs.keptAlike(deletion);
        }
        File entry = holder.original();
        if (entry == null) {
            return false;
        }
        try {
            switch (deletion.kept) {
                case FOLDER:
                    return Files.isDirectory(entry.toPath(), LinkOption.NOFOLLOW_LINKS);
                case SYMLINK:
                    return Files.isSymbolicLink(entry.toPath())
                            && Files.readSymbolicLink(entry.toPath()).toString().equals(deletion.target());
                case FILE:
                    byte[] bytes = bytes(holder);
                    return bytes != null && Arrays.equals(bytes, deletion.bytes());
                default:
                    return false;
            }
        } catch (IOException | RuntimeException e) {
            return false;
        }
    }

    /** The entry is what the run deleted, its modification time too where it is a file. */
    boolean isAsDeletedWithTime(PlannedFolder.Entry holder, Deletion deletion) {
        return isAsDeleted(holder, deletion) && (deletion.kept != Deletion.Kept.FILE || hasTime(holder, deletion.modified));
    }

    private boolean hasTime(PlannedFolder.Entry entry, String modified) {
        Deletion plannedAs = planned.get(entry);
        if (plannedAs != null) {
            return plannedAs.modified.equals(modified);
        }
        try {
            return entry.original() != null && JournalFormat.time(
                    Files.getLastModifiedTime(entry.original().toPath(), LinkOption.NOFOLLOW_LINKS)).equals(modified);
        } catch (IOException | InvalidPathException e) {
            return false;
        }
    }

    /** The entry holds what the run wrote, as its confirmation tells. */
    boolean holdsWhatWasWritten(PlannedFolder.Entry entry, ListWrite write) {
        byte[] bytes = bytes(entry);
        return bytes != null && write.isWhatWasWritten(bytes);
    }

    /**
     * The entry is a regular file whose bytes begin the old list that the journal kept, or are all
     * of them: writing the old list over it loses nothing.
     */
    boolean holdsTheStartOf(PlannedFolder.Entry entry, Deletion deletion) {
        if (deletion.kept != Deletion.Kept.FILE) {
            return false;
        }
        byte[] bytes = bytes(entry);
        byte[] kept = deletion.bytes();
        return bytes != null && bytes.length <= kept.length && Arrays.equals(bytes, Arrays.copyOf(kept, bytes.length));
    }

    /** What the entry holds where it is a regular file of a list's size; null for anything else. */
    private byte[] bytes(PlannedFolder.Entry entry) {
        Deletion plannedAs = planned.get(entry);
        if (plannedAs != null) {
            return plannedAs.kept == Deletion.Kept.FILE ? plannedAs.bytes() : null;
        }
        return read(entry.original());
    }

    /** The bytes of a regular file of a list's size; null for anything else. */
    private static byte[] read(File file) {
        if (file == null) {
            return null;
        }
        try {
            BasicFileAttributes attributes = Files.readAttributes(file.toPath(), BasicFileAttributes.class, LinkOption.NOFOLLOW_LINKS);
            return attributes.isRegularFile() && attributes.size() <= LONGEST_LIST ? Files.readAllBytes(file.toPath()) : null;
        } catch (IOException | InvalidPathException e) {
            return null;
        }
    }
}
