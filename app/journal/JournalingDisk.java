package app.journal;

import app.disk.Disk;
import app.disk.ForwardingDisk;
import app.disk.ListedEntry;
import app.disk.RealDisk;
import app.rename.ExclusiveRename;
import app.rename.RenameCalls;
import app.rename.RenameOutcome;
import app.report.Problems;
import app.report.Progress;
import java.io.File;
import java.io.FilterWriter;
import java.io.IOException;
import java.io.Writer;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.LinkOption;
import java.nio.file.NoSuchFileException;
import java.nio.file.attribute.BasicFileAttributes;
import java.nio.file.attribute.FileTime;
import java.util.Base64;
import java.util.concurrent.TimeUnit;
import java.util.zip.CRC32;

/**
 * The disk of a real run that can be undone: each change is written to the run's journal, with
 * what it takes to undo it, before it is handed on to the real disk, and confirmed after it. A
 * rename's own steps are journaled by the calls that the real disk makes them through.
 * Journal records, fields apart by tabs:
 * <pre>
 * rename  n  old path  new path  size  modified   an entry is to take the new name (size -1:
 *                                                the entry record below tells them)
 * entry  n  size  modified        the entry the rename moves, as its first look at it found it
 * move / link  n  name  name     one step of it, in the entry's folder: a move, or a second name
 * unlink  n  name                one step of it: a name goes
 * record  n  name                one step of it: the record beside a spare name is made
 * delete  n  path  kind  modified  bytes         an old list goes; kind file (bytes in base64),
 *                                                folder, symlink (bytes: its target) or large
 * write   n  path                a list is written
 * ok  n  [fields]                the change n was made: a rename tells renamed or kept, a
 *                                written list its CRC-32 and size
 * failed  n                      the system refused the change n
 * </pre>
 */
public final class JournalingDisk extends ForwardingDisk {
    /** The largest list whose bytes are kept, to restore it. */
    public static final long LARGEST_KEPT_LIST = 1 << 20;

    private final Journal journal;
    /** The calls the disk's renames make; null when they are not journaled. */
    private final JournalingRenameCalls renameCalls;

    JournalingDisk(Disk disk, Journal journal) {
        this(disk, journal, null);
    }

    private JournalingDisk(Disk disk, Journal journal, JournalingRenameCalls renameCalls) {
        super(disk);
        this.journal = journal;
        this.renameCalls = renameCalls;
    }

    /** A real disk whose changes, and the steps of its renames, go to the journal first. */
    public static Disk over(Problems problems, Progress progress, Journal journal) {
        JournalingRenameCalls calls = new JournalingRenameCalls(RenameCalls.SYSTEM, journal);
        return new JournalingDisk(new RealDisk(problems, progress, calls), journal, calls);
    }

    @Override
    public RenameOutcome rename(File from, File to) {
        if (from.getPath().equals(to.getPath())) {
            return disk.rename(from, to);
        }
        String size = "-1";
        String modified = "";
        // A listed entry brings its size and modification time along. Else, where the move may
        // replace, the rename looks at the entry before it moves it, and that look journals them;
        // elsewhere they are taken here.
        BasicFileAttributes listed = ListedEntry.attributesOf(from);
        boolean identityFromRename = listed == null && renameCalls != null && ExclusiveRename.MOVE_MAY_REPLACE;
        if (listed != null) {
            size = Long.toString(listed.size());
            modified = nanos(listed.lastModifiedTime());
        } else if (!identityFromRename) try {
            BasicFileAttributes attributes = Files.readAttributes(from.toPath(), BasicFileAttributes.class,
                    LinkOption.NOFOLLOW_LINKS);
            size = Long.toString(attributes.size());
            modified = nanos(attributes.lastModifiedTime());
        } catch (IOException | InvalidPathException e) {
            // The rename reports why the entry cannot be reached.
        }
        long number = journal.announce(from.getAbsoluteFile().getParentFile(), "rename", from.getAbsolutePath(),
                to.getAbsolutePath(), size, modified);
        if (identityFromRename) {
            renameCalls.noteIdentityOfNextEntry(true);
        }
        RenameOutcome renamed;
        try {
            renamed = disk.rename(from, to);
        } finally {
            if (identityFromRename) {
                renameCalls.noteIdentityOfNextEntry(false);
            }
        }
        journal.confirm(number, renamed == RenameOutcome.RENAMED ? "renamed" : "kept");
        return renamed;
    }

    @Override
    public boolean delete(File entry) {
        String[] kept = keptForUndo(entry);
        if (kept == null) {
            return disk.delete(entry);
        }
        long number = journal.intent(entry.getAbsoluteFile().getParentFile(), "delete", entry.getAbsolutePath(),
                kept[0], kept[1], kept[2]);
        if (!disk.delete(entry)) {
            journal.failed(number);
            return false;
        }
        journal.confirm(number);
        return true;
    }

    /** Kind, modification time and bytes of an entry about to go; null for one that is not there. */
    private static String[] keptForUndo(File entry) {
        try {
            BasicFileAttributes attributes = Files.readAttributes(entry.toPath(), BasicFileAttributes.class,
                    LinkOption.NOFOLLOW_LINKS);
            String modified = nanos(attributes.lastModifiedTime());
            if (attributes.isDirectory()) {
                return new String[] {"folder", modified, ""};
            }
            if (attributes.isSymbolicLink()) {
                return new String[] {"symlink", modified, Files.readSymbolicLink(entry.toPath()).toString()};
            }
            if (attributes.isRegularFile() && attributes.size() <= LARGEST_KEPT_LIST) {
                return new String[] {"file", modified, Base64.getEncoder().encodeToString(Files.readAllBytes(entry.toPath()))};
            }
            return new String[] {"large", modified, ""};
        } catch (IOException | InvalidPathException e) {
            // Not there, or not to be read: the deletion tells.
            return e instanceof NoSuchFileException ? null : new String[] {"large", "", ""};
        }
    }

    @Override
    public Writer create(File file) throws IOException {
        long number = journal.intent(file.getAbsoluteFile().getParentFile(), "write", file.getAbsolutePath());
        Writer writer;
        try {
            writer = disk.create(file);
        } catch (IOException | RuntimeException e) {
            journal.failed(number);
            throw e;
        }
        return new FilterWriter(writer) {
            @Override
            public void close() throws IOException {
                super.close();
                byte[] written;
                try {
                    written = Files.readAllBytes(file.toPath());
                } catch (IOException e) {
                    // Left unconfirmed: an undo deletes the list whatever it holds.
                    return;
                }
                journal.confirm(number, Long.toHexString(crc(written)), Integer.toString(written.length));
            }
        };
    }

    /** A modification time as the journal keeps it: in nanoseconds, as exact as the system gives it. */
    public static String nanos(FileTime time) {
        return Long.toString(time.to(TimeUnit.NANOSECONDS));
    }

    public static long crc(byte[] bytes) {
        CRC32 crc = new CRC32();
        crc.update(bytes);
        return crc.getValue();
    }
}
