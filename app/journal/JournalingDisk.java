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

/**
 * The disk of a real run that can be undone: each change is written to the run's journal, with
 * what it takes to undo it (see JournalFormat), before it is handed on to the real disk, and
 * confirmed after it. A rename's own steps are journaled by the calls that the real disk makes
 * them through.
 */
public final class JournalingDisk extends ForwardingDisk {
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
        String size = Rename.UNKNOWN_SIZE;
        String modified = "";
        // A listed entry brings its size and modification time along. Else, where the move may
        // replace, the rename looks at the entry before it moves it, and that look journals them;
        // elsewhere they are taken here.
        BasicFileAttributes listed = ListedEntry.attributesOf(from);
        boolean identityFromRename = listed == null && renameCalls != null && ExclusiveRename.MOVE_MAY_REPLACE;
        if (listed != null) {
            size = Long.toString(listed.size());
            modified = JournalFormat.time(listed.lastModifiedTime());
        } else if (!identityFromRename) try {
            BasicFileAttributes attributes = Files.readAttributes(from.toPath(), BasicFileAttributes.class,
                    LinkOption.NOFOLLOW_LINKS);
            size = Long.toString(attributes.size());
            modified = JournalFormat.time(attributes.lastModifiedTime());
        } catch (IOException | InvalidPathException e) {
            // The rename reports why the entry cannot be reached.
        }
        long number = journal.announce(from.getAbsoluteFile().getParentFile(),
                new Rename(from.getAbsoluteFile(), to.getAbsoluteFile(), size, modified));
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
        journal.confirm(number, Rename.confirmation(renamed == RenameOutcome.RENAMED));
        return renamed;
    }

    @Override
    public boolean delete(File entry) {
        Deletion deletion = keptForUndo(entry.getAbsoluteFile());
        if (deletion == null) {
            return disk.delete(entry);
        }
        long number = journal.intent(entry.getAbsoluteFile().getParentFile(), deletion);
        if (!disk.delete(entry)) {
            journal.failed(number);
            return false;
        }
        journal.confirm(number);
        return true;
    }

    /** The deletion of an entry about to go, with what it takes to bring it back; null for one that is not there. */
    private static Deletion keptForUndo(File entry) {
        try {
            BasicFileAttributes attributes = Files.readAttributes(entry.toPath(), BasicFileAttributes.class,
                    LinkOption.NOFOLLOW_LINKS);
            String modified = JournalFormat.time(attributes.lastModifiedTime());
            if (attributes.isDirectory()) {
                return Deletion.of(entry, Deletion.Kept.FOLDER, modified);
            }
            if (attributes.isSymbolicLink()) {
                return Deletion.ofLink(entry, modified, Files.readSymbolicLink(entry.toPath()).toString());
            }
            if (attributes.isRegularFile() && attributes.size() <= Deletion.LARGEST_KEPT) {
                return Deletion.ofFile(entry, modified, Files.readAllBytes(entry.toPath()));
            }
            return Deletion.of(entry, Deletion.Kept.LARGE, modified);
        } catch (IOException | InvalidPathException e) {
            // Not there, or not to be read: the deletion tells.
            return e instanceof NoSuchFileException ? null : Deletion.of(entry, Deletion.Kept.LARGE, "");
        }
    }

    @Override
    public Writer create(File file) throws IOException {
        long number = journal.intent(file.getAbsoluteFile().getParentFile(), new ListWrite(file.getAbsoluteFile()));
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
                journal.confirm(number, ListWrite.confirmation(written));
            }
        };
    }
}
