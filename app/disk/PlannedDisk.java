package app.disk;

import app.rename.RenameOutcome;
import app.report.Problems;
import app.report.Refusal;
import java.io.File;
import java.io.FileFilter;
import java.io.IOException;
import java.io.PrintStream;
import java.io.Writer;
import java.nio.file.AccessDeniedException;
import java.nio.file.FileSystemException;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.LinkOption;
import java.nio.file.NoSuchFileException;
import java.nio.file.Path;
import java.nio.file.attribute.BasicFileAttributes;
import java.nio.file.attribute.FileTime;
import java.util.HashSet;
import java.util.List;
import java.util.Set;

/**
 * The file operations of a dry run: nothing on the disk changes. Each album folder is read once
 * and then kept, while the run works on it, as the run would leave it, so that later operations meet the names the run's
 * earlier ones would have freed or taken. Every change the run would make is shown as one line,
 * fields separated by a tab:
 * <pre>
 * rename  old path  new name     the entry would take the new name
 * taken   old path  new name     it would keep its name: another entry holds the new one
 * delete  path                   an old list would be deleted
 * write   path      line count   a list would be written with that many lines
 * </pre>
 * A control character in a path shows as ^ and a letter (^I for a tab, ^J for a line feed), a ^
 * as ^^. What the system would refuse is reported as the run reports it: a folder the user may
 * not change, a folder with entries that would not be deleted, and a name the file system
 * refuses; failures of the disk itself, and files the system keeps from change by flags of their
 * own (an immutable file), cannot be foreseen.
 */
public final class PlannedDisk implements Disk {
    private final PrintStream out;
    private final Problems problems;
    private File currentPath;
    /**
     * The paths the current folder was asked for by, before they were made canonical (the steps
     * name it as the user did and by its canonical path): asked so again, it needs no look at
     * the disk.
     */
    private final Set<File> currentAskedAs = new HashSet<>();
    private PlannedFolder current;

    public PlannedDisk(PrintStream out, Problems problems) {
        this.out = out;
        this.problems = problems;
    }

    @Override
    public List<File> listing(File directory, FileFilter nameFilter) throws IOException {
        return folder(directory).listing(directory, nameFilter, problems);
    }

    @Override
    public RenameOutcome rename(File from, File to) {
        if (from.getPath().equals(to.getPath())) {
            return RenameOutcome.RENAMED;
        }
        PlannedFolder folder = folder(from.getParentFile());
        PlannedFolder.Entry entry = folder.find(from.getName());
        try {
            if (entry == null) {
                throw new NoSuchFileException(from.getPath(), to.getPath(), null);
            }
            PlannedFolder.Entry holder = folder.find(to.getName());
            if (holder != null && holder != entry) {
                show("taken", from.getPath(), to.getName());
                return RenameOutcome.NAME_TAKEN;
            }
            IOException refusal = folder.refusalToChange(from);
            if (refusal != null) {
                throw refusal;
            }
            refuseNameTheSystemRefuses(to);
        } catch (IOException | InvalidPathException e) {
            Refusal.reportRename(from, to, e, problems);
            return RenameOutcome.REFUSED;
        }
        folder.rename(entry, to.getName());
        show("rename", from.getPath(), to.getName());
        return RenameOutcome.RENAMED;
    }

    @Override
    public boolean delete(File entry) {
        PlannedFolder folder = folder(entry.getParentFile());
        PlannedFolder.Entry planned = folder.find(entry.getName());
        if (planned == null) {
            return true;
        }
        IOException refusal = folder.refusalToDelete(planned, entry);
        if (refusal != null) {
            Refusal.reportDeletion(entry, refusal, problems);
            return false;
        }
        folder.remove(planned);
        show("delete", entry.getPath());
        return true;
    }

    @Override
    public Writer create(File file) throws IOException {
        PlannedFolder folder = folder(file.getParentFile());
        PlannedFolder.Entry existing = folder.find(file.getName());
        if (existing != null && existing.isFolder()) {
            throw new FileSystemException(file.getPath(), null, "Is a directory");
        }
        if (existing == null) {
            refuseNameTheSystemRefuses(file);
        }
        if (existing == null ? !folder.isWritable() : !existing.isWritable()) {
            throw new AccessDeniedException(file.getPath());
        }
        if (existing == null) {
            folder.create(file.getName());
        }
        return new LineCount(file);
    }

    /** An entry the plan has renamed is on the disk under its old name still. */
    @Override
    public File bytesOf(File entry) {
        PlannedFolder.Entry planned = folder(entry.getParentFile()).find(entry.getName());
        boolean moved = planned != null && planned.original() != null && !planned.original().getName().equals(entry.getName());
        // The original is named by the folder's canonical path; an entry in place keeps the path it was given.
        return moved ? planned.original() : entry;
    }

    /** The track is not read: the plan shows no checksums. */
    @Override
    public long checksum(File track) throws IOException {
        if (folder(track.getParentFile()).find(track.getName()) == null) {
            throw new NoSuchFileException(track.getPath());
        }
        return UNREAD;
    }

    /** A dry run reads no track, so keeps no checksum either. */
    @Override
    public long keptChecksum(File track, long listed) {
        return UNREAD;
    }

    /** Where the track's bytes are on the disk now. */
    @Override
    public TrackTimes times(File track) throws IOException {
        return TrackTimes.of(bytesOf(track));
    }

    /** An old list as the plan has it: one the plan made or moved is none the run would read. */
    @Override
    public ListText.Outcome readList(File list, ListText.Lines lines) {
        PlannedFolder.Entry entry = folder(list.getParentFile()).find(list.getName());
        boolean inPlace = entry != null && entry.original() != null && entry.original().getName().equals(list.getName());
        return inPlace ? ListText.read(entry.original().toPath(), lines) : ListText.Outcome.NOT_READ;
    }

    /**
     * Asked of the files that old lists name beside the album's own tracks, which no step makes,
     * moves or deletes: the disk holds them as the run would find them.
     */
    @Override
    public Path regularFile(File path) {
        return RealDisk.realFile(path);
    }

    @Override
    public FileTime lastModified(File file) throws IOException {
        return Files.getLastModifiedTime(file.toPath());
    }

    /** A file that the plan leaves where it was: its bytes on the disk are its bytes in the plan. */
    @Override
    public byte[] readSmallFile(File file) throws IOException {
        PlannedFolder.Entry entry = folder(file.getParentFile()).find(file.getName());
        if (entry == null || entry.original() == null) {
            throw new NoSuchFileException(file.getPath());
        }
        return RealDisk.readSmall(entry.original());
    }

    /** Shown as the rename it finishes. */
    @Override
    public boolean finishRename(File oldName, File newName) {
        PlannedFolder folder = folder(oldName.getParentFile());
        PlannedFolder.Entry planned = folder.find(oldName.getName());
        IOException refusal = folder.refusalToChange(oldName);
        if (refusal != null) {
            Refusal.reportRename(oldName, newName, refusal, problems);
            return false;
        }
        folder.remove(planned);
        show("rename", oldName.getPath(), newName.getName());
        return true;
    }

    /** Two names in one folder. */
    @Override
    public boolean sameEntry(File one, File other) {
        PlannedFolder folder = folder(one.getParentFile());
        PlannedFolder.Entry first = folder.find(one.getName());
        PlannedFolder.Entry second = folder.find(other.getName());
        return first != null && (first == second || second != null && first.original() != null
                && second.original() != null && RealDisk.isSameEntry(first.original(), second.original()));
    }

    /**
     * Asks the file system about the name without making anything: a name it refuses (too long,
     * say) gives the error the rename would give. That an entry bears it on the disk does not
     * matter here; the plan knows whether one still would. A name no longer than ones the
     * folder's file system took already needs no asking (see PlannedFolder.takesUnasked).
     */
    private void refuseNameTheSystemRefuses(File name) throws IOException {
        Path path = name.toPath();
        PlannedFolder folder = folder(name.getParentFile());
        if (folder.takesUnasked(name.getName())) {
            return;
        }
        try {
            Files.readAttributes(path, BasicFileAttributes.class, LinkOption.NOFOLLOW_LINKS);
        } catch (NoSuchFileException e) {
            // Free on the disk as well.
        }
        folder.took(name.getName());
    }

    /**
     * The folder as planned so far, under its canonical path, read from the disk when first met.
     * Only the folder last asked about is kept: the run works on one album folder after another
     * and never comes back to one, so the plan's memory does not grow with the library.
     */
    private PlannedFolder folder(File directory) {
        if (currentAskedAs.contains(directory)) {
            return current;
        }
        File canonical;
        try {
            canonical = directory.getCanonicalFile();
        } catch (IOException e) {
            canonical = directory.getAbsoluteFile();
        }
        if (!canonical.equals(currentPath)) {
            current = PlannedFolder.read(canonical);
            currentPath = canonical;
            currentAskedAs.clear();
        }
        currentAskedAs.add(directory);
        return current;
    }

    private void show(String... fields) {
        out.println(PlanLine.of(fields));
    }

    /** Takes a list's text, counts its lines and shows them when the list is closed. */
    private final class LineCount extends Writer {
        private final File file;
        private int lines;

        LineCount(File file) {
            this.file = file;
        }

        @Override
        public void write(char[] text, int offset, int length) {
            for (int i = offset; i < offset + length; i++) {
                if (text[i] == '\n') {
                    lines++;
                }
            }
        }

        @Override
        public void flush() {
        }

        @Override
        public void close() {
            show("write", file.getPath(), Integer.toString(lines));
        }
    }
}
