package app.disk;

import app.rename.ExclusiveRename;
import app.rename.RenameCalls;
import app.rename.RenameOutcome;
import app.report.Problems;
import app.report.Progress;
import app.report.Refusal;
import java.io.BufferedWriter;
import java.io.File;
import java.io.FileFilter;
import java.io.IOException;
import java.io.OutputStream;
import java.io.OutputStreamWriter;
import java.io.Writer;
import java.nio.file.FileSystemException;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.LinkOption;
import java.nio.file.NoSuchFileException;
import java.nio.file.Path;
import java.nio.file.StandardOpenOption;
import java.nio.file.attribute.BasicFileAttributes;
import java.nio.file.attribute.FileTime;
import java.util.Collections;
import java.util.List;

/** The file operations of a real run. */
public final class RealDisk implements Disk {
    private static final long LARGEST_SMALL_FILE = 64 << 10;

    private final Problems problems;
    private final TrackChecksum checksum;
    private final RenameCalls renameCalls;

    public RealDisk(Problems problems) {
        this(problems, Progress.NONE);
    }

    /** The bytes of the tracks it reads count as the run's progress. */
    public RealDisk(Problems problems, Progress progress) {
        this(problems, progress, RenameCalls.SYSTEM);
    }

    /** Its renames make their file-system calls through `renameCalls`. */
    public RealDisk(Problems problems, Progress progress, RenameCalls renameCalls) {
        this.problems = problems;
        checksum = new TrackChecksum(progress);
        this.renameCalls = renameCalls;
    }

    @Override
    public List<File> entriesWithAttributes(File directory, FileFilter nameFilter) {
        try {
            return Listing.listingWithAttributes(directory, nameFilter, problems);
        } catch (IOException e) {
            return Collections.emptyList();
        }
    }

    @Override
    public List<File> listing(File directory, FileFilter nameFilter) throws IOException {
        return Listing.listing(directory, nameFilter, problems);
    }

    @Override
    public RenameOutcome rename(File from, File to) {
        BasicFileAttributes listed = ListedEntry.attributesOf(from);
        return ExclusiveRename.rename(from, to, listed != null && listed.isRegularFile(), renameCalls, problems);
    }

    @Override
    public boolean delete(File entry) {
        try {
            Files.delete(entry.toPath());
        } catch (NoSuchFileException e) {
            // Gone already, as it was to be.
        } catch (IOException | InvalidPathException e) {
            Refusal.reportDeletion(entry, e, problems);
            return false;
        }
        return true;
    }

    @Override
    public Writer create(File file) throws IOException {
        // Never through a link: one named like the list that would not go leads elsewhere.
        OutputStream out = Files.newOutputStream(file.toPath(), StandardOpenOption.CREATE,
                StandardOpenOption.TRUNCATE_EXISTING, StandardOpenOption.WRITE, LinkOption.NOFOLLOW_LINKS);
        return new BufferedWriter(new OutputStreamWriter(out, ListEncoding.LISTS));
    }

    @Override
    public File bytesOf(File entry) {
        return entry;
    }

    @Override
    public long checksum(File track) throws IOException {
        return checksum.of(track);
    }

    @Override
    public long keptChecksum(File track, long listed) {
        return listed;
    }

    @Override
    public TrackTimes times(File track) throws IOException {
        return TrackTimes.of(track);
    }

    @Override
    public ListText.Outcome readList(File list, ListText.Lines lines) {
        try {
            return ListText.read(list.toPath(), lines);
        } catch (InvalidPathException e) {
            return ListText.Outcome.NOT_READ;
        }
    }

    @Override
    public Path regularFile(File path) {
        return realFile(path);
    }

    static Path realFile(File path) {
        try {
            Path real = path.toPath().toRealPath();
            return Files.isRegularFile(real) ? real : null;
        } catch (IOException | InvalidPathException e) {
            return null;
        }
    }

    @Override
    public FileTime lastModified(File file) throws IOException {
        return Files.getLastModifiedTime(file.toPath());
    }

    @Override
    public byte[] readSmallFile(File file) throws IOException {
        return readSmall(file);
    }

    /** Refuses anything but a regular file of a few kilobytes: ours never grow beyond that. */
    public static byte[] readSmall(File file) throws IOException {
        BasicFileAttributes attributes = Files.readAttributes(file.toPath(), BasicFileAttributes.class, LinkOption.NOFOLLOW_LINKS);
        if (!attributes.isRegularFile() || attributes.size() > LARGEST_SMALL_FILE) {
            throw new FileSystemException(file.getPath(), null, "not a small regular file");
        }
        return Files.readAllBytes(file.toPath());
    }

    @Override
    public boolean sameEntry(File one, File other) {
        return isSameEntry(one, other);
    }

    @Override
    public boolean finishRename(File oldName, File newName) {
        return delete(oldName);
    }

    /**
     * Compared as the names themselves lead, links not followed: a symbolic link is never the same
     * entry as the file it points at, so a spare name that is such a link is never taken for a
     * second name of that file and removed.
     */
    public static boolean isSameEntry(File one, File other) {
        try {
            BasicFileAttributes oneAttributes = attributes(one);
            BasicFileAttributes otherAttributes = attributes(other);
            if (oneAttributes.isSymbolicLink() || otherAttributes.isSymbolicLink()) {
                // Two names of one link; Windows gives no file key, and there no link has two names.
                Object key = oneAttributes.fileKey();
                return key != null && key.equals(otherAttributes.fileKey());
            }
            return Files.isSameFile(one.toPath(), other.toPath());
        } catch (IOException | InvalidPathException e) {
            return false;
        }
    }

    private static BasicFileAttributes attributes(File entry) throws IOException {
        return Files.readAttributes(entry.toPath(), BasicFileAttributes.class, LinkOption.NOFOLLOW_LINKS);
    }
}
