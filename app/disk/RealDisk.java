package app.disk;

import app.Diagnostics;
import app.Listing;
import app.Progress;
import app.Refusal;
import java.io.BufferedReader;
import java.io.BufferedWriter;
import java.io.File;
import java.io.FileFilter;
import java.io.IOException;
import java.io.InputStreamReader;
import java.io.OutputStream;
import java.io.OutputStreamWriter;
import java.io.Writer;
import java.nio.charset.CharsetDecoder;
import java.nio.charset.CodingErrorAction;
import java.nio.file.FileSystemException;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.LinkOption;
import java.nio.file.NoSuchFileException;
import java.nio.file.StandardOpenOption;
import java.nio.file.attribute.BasicFileAttributes;
import java.nio.file.attribute.FileTime;
import java.util.ArrayList;
import java.util.Collections;
import java.util.List;

/** The file operations of a real run. */
public final class RealDisk implements Disk {
    /** Far more than the list of any album: a larger file is none of ours to compare with. */
    private static final long LONGEST_CHECKSUM_LIST = 16L << 20;
    private static final long LARGEST_SMALL_FILE = 64 << 10;

    private final Diagnostics diagnostics;
    private final TrackChecksum checksum;
    private final RenameCalls renameCalls;

    public RealDisk(Diagnostics diagnostics) {
        this(diagnostics, Progress.NONE);
    }

    /** The bytes of the tracks it reads count as the run's progress. */
    public RealDisk(Diagnostics diagnostics, Progress progress) {
        this(diagnostics, progress, RenameCalls.SYSTEM);
    }

    /** Its renames make their file-system calls through `renameCalls`. */
    RealDisk(Diagnostics diagnostics, Progress progress, RenameCalls renameCalls) {
        this.diagnostics = diagnostics;
        checksum = new TrackChecksum(progress);
        this.renameCalls = renameCalls;
    }

    @Override
    public List<File> entriesWithAttributes(File directory, FileFilter nameFilter) {
        try {
            return Listing.listingWithAttributes(directory, nameFilter, diagnostics);
        } catch (IOException e) {
            return Collections.emptyList();
        }
    }

    @Override
    public List<File> listing(File directory, FileFilter nameFilter) throws IOException {
        return Listing.listing(directory, nameFilter, diagnostics);
    }

    @Override
    public boolean rename(File from, File to) {
        return ExclusiveRename.rename(from, to, renameCalls, diagnostics);
    }

    @Override
    public boolean delete(File entry) {
        try {
            Files.delete(entry.toPath());
        } catch (NoSuchFileException e) {
            // Gone already, as it was to be.
        } catch (IOException | InvalidPathException e) {
            Refusal.reportDeletion(entry, e, diagnostics);
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

    /** Only a regular file is read (a FIFO would never end), and only one of a list's size. */
    @Override
    public void readChecksumList(File list, ListedChecksums into) {
        try {
            BasicFileAttributes attributes = Files.readAttributes(list.toPath(), BasicFileAttributes.class);
            if (!attributes.isRegularFile() || attributes.size() > LONGEST_CHECKSUM_LIST) {
                return;
            }
            CharsetDecoder decoder = ListEncoding.LISTS.newDecoder().onMalformedInput(CodingErrorAction.REPLACE)
                    .onUnmappableCharacter(CodingErrorAction.REPLACE);
            List<String> lines = new ArrayList<>();
            try (BufferedReader in = new BufferedReader(new InputStreamReader(Files.newInputStream(list.toPath()), decoder))) {
                for (String line = in.readLine(); line != null; line = in.readLine()) {
                    lines.add(line);
                }
            }
            into.add(list, attributes.lastModifiedTime(), lines);
        } catch (IOException | InvalidPathException e) {
            // Nothing to compare with: the list goes as any old list does.
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
    static byte[] readSmall(File file) throws IOException {
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
    static boolean isSameEntry(File one, File other) {
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
