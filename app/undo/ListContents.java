package app.undo;

import app.disk.PlannedFolder;
import app.journal.JournalReader;
import app.journal.JournalingDisk;
import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.LinkOption;
import java.nio.file.attribute.BasicFileAttributes;
import java.util.Arrays;
import java.util.Base64;
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
    private final Map<PlannedFolder.Entry, JournalReader.Change> planned = new IdentityHashMap<>();

    /** The plan brought the entry back as the run deleted it. */
    void plan(PlannedFolder.Entry entry, JournalReader.Change deletion) {
        planned.put(entry, deletion);
    }

    /** The entry is what the run deleted (its kind and bytes; a folder's or link's time aside). */
    boolean isAsDeleted(PlannedFolder.Entry holder, JournalReader.Change deletion) {
        JournalReader.Change plannedAs = planned.get(holder);
        if (plannedAs != null) {
            return plannedAs.fields[1].equals(deletion.fields[1]) && plannedAs.fields[3].equals(deletion.fields[3]);
        }
        File entry = holder.original();
        if (entry == null) {
            return false;
        }
        try {
            switch (deletion.fields[1]) {
                case "folder":
                    return Files.isDirectory(entry.toPath(), LinkOption.NOFOLLOW_LINKS);
                case "symlink":
                    return Files.isSymbolicLink(entry.toPath())
                            && Files.readSymbolicLink(entry.toPath()).toString().equals(deletion.fields[3]);
                case "file":
                    byte[] bytes = bytes(holder);
                    return bytes != null && Arrays.equals(bytes, Base64.getDecoder().decode(deletion.fields[3]));
                default:
                    return false;
            }
        } catch (IOException | RuntimeException e) {
            return false;
        }
    }

    /** The entry is what the run deleted, its modification time too where it is a file. */
    boolean isAsDeletedWithTime(PlannedFolder.Entry holder, JournalReader.Change deletion) {
        return isAsDeleted(holder, deletion) && (!deletion.fields[1].equals("file") || hasTime(holder, deletion.fields[2]));
    }

    boolean hasTime(PlannedFolder.Entry entry, String modified) {
        JournalReader.Change plannedAs = planned.get(entry);
        if (plannedAs != null) {
            return plannedAs.fields[2].equals(modified);
        }
        try {
            return entry.original() != null && JournalingDisk.nanos(
                    Files.getLastModifiedTime(entry.original().toPath(), LinkOption.NOFOLLOW_LINKS)).equals(modified);
        } catch (IOException | InvalidPathException e) {
            return false;
        }
    }

    /** The entry holds what the run wrote: its confirmation's CRC-32 and size. */
    boolean holdsWhatWasWritten(PlannedFolder.Entry entry, String[] written) {
        byte[] bytes = bytes(entry);
        return bytes != null && Long.toHexString(JournalingDisk.crc(bytes)).equals(written[0])
                && Integer.toString(bytes.length).equals(written[1]);
    }

    /**
     * The entry is a regular file whose bytes begin the old list that the journal kept, or are all
     * of them: writing the old list over it loses nothing.
     */
    boolean holdsTheStartOf(PlannedFolder.Entry entry, JournalReader.Change deletion) {
        if (!deletion.fields[1].equals("file")) {
            return false;
        }
        byte[] bytes = bytes(entry);
        byte[] kept;
        try {
            kept = Base64.getDecoder().decode(deletion.fields[3]);
        } catch (IllegalArgumentException e) {
            return false;
        }
        return bytes != null && bytes.length <= kept.length && Arrays.equals(bytes, Arrays.copyOf(kept, bytes.length));
    }

    /** What the entry holds where it is a regular file of a list's size; null for anything else. */
    byte[] bytes(PlannedFolder.Entry entry) {
        JournalReader.Change plannedAs = planned.get(entry);
        if (plannedAs != null) {
            return plannedAs.fields[1].equals("file") ? Base64.getDecoder().decode(plannedAs.fields[3]) : null;
        }
        return read(entry.original());
    }

    /** The bytes of a regular file of a list's size; null for anything else. */
    static byte[] read(File file) {
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
