package app.disk;

import app.report.Problems;
import java.io.File;
import java.io.FileFilter;
import java.io.IOException;
import java.nio.file.FileSystemException;
import java.nio.file.FileVisitOption;
import java.nio.file.FileVisitResult;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.LinkOption;
import java.nio.file.NotDirectoryException;
import java.nio.file.Path;
import java.nio.file.SimpleFileVisitor;
import java.nio.file.attribute.BasicFileAttributes;
import java.util.ArrayList;
import java.util.EnumSet;
import java.util.List;

/** A directory's entries in the order the file system gives them, taken once and never sorted. */
final class Listing {
    private Listing() {
    }

    /**
     * The entries whose names pass the filter; a directory that cannot be read throws the
     * system's reason. An entry that cannot be reached under the name it is listed with is
     * reported and left out: the runtime gives a name it cannot decode (on Linux, one that is
     * not valid in the locale's encoding) with replacement characters, which name no entry.
     */
    static List<File> listing(File directory, FileFilter nameFilter, Problems problems) throws IOException {
        File[] entries = list(directory, nameFilter);
        List<File> reachable = new ArrayList<>(entries.length);
        for (File entry : entries) {
            addReachable(entry, reachable, problems);
        }
        return reachable;
    }

    private static void addReachable(File entry, List<File> reachable, Problems problems) {
        if (isReachable(entry)) {
            reachable.add(entry);
        } else {
            reportUnreachable(entry, problems);
        }
    }

    /**
     * Like listing, each entry with its attributes, links followed, where they can be read (see
     * ListedEntry); a walk of one level gives them, from the listing's own record where the
     * platform keeps one (Windows), else by a stat of each entry. A folder that cannot be
     * listed throws the system's reason.
     */
    static List<File> listingWithAttributes(File directory, FileFilter nameFilter, Problems problems)
            throws IOException {
        Path start;
        try {
            start = directory.toPath();
        } catch (InvalidPathException e) {
            throw new FileSystemException(directory.getPath(), null, e.getMessage());
        }
        OneLevelWalk walk = new OneLevelWalk(directory, start, nameFilter, problems);
        Files.walkFileTree(start, EnumSet.of(FileVisitOption.FOLLOW_LINKS), 1, walk);
        return walk.reachable;
    }

    /** A walk of the folder's own entries that keeps those passing the filter, with their attributes. */
    private static final class OneLevelWalk extends SimpleFileVisitor<Path> {
        private final File directory;
        private final Path start;
        private final FileFilter nameFilter;
        private final Problems problems;
        final List<File> reachable = new ArrayList<>();

        OneLevelWalk(File directory, Path start, FileFilter nameFilter, Problems problems) {
            this.directory = directory;
            this.start = start;
            this.nameFilter = nameFilter;
            this.problems = problems;
        }

        @Override
        public FileVisitResult visitFile(Path entry, BasicFileAttributes attributes) throws IOException {
            if (entry.equals(start)) {
                throw new NotDirectoryException(directory.getPath());
            }
            // The walk gives a link's own attributes where it cannot follow it (a link to nothing,
            // or round in a circle): those are no kind the steps could go by, so they ask themselves.
            add(entry, attributes.isSymbolicLink() ? null : attributes);
            return FileVisitResult.CONTINUE;
        }

        /** The start that cannot be listed; or an entry whose attributes cannot be read, which the steps then ask about. */
        @Override
        public FileVisitResult visitFileFailed(Path entry, IOException e) throws IOException {
            if (entry.equals(start)) {
                throw e;
            }
            add(entry, null);
            return FileVisitResult.CONTINUE;
        }

        @Override
        public FileVisitResult postVisitDirectory(Path folder, IOException e) throws IOException {
            if (e != null) {
                throw e;
            }
            return FileVisitResult.CONTINUE;
        }

        private void add(Path path, BasicFileAttributes attributes) {
            File entry = new ListedEntry(directory, path.getFileName().toString(), attributes);
            if (nameFilter.accept(entry)) {
                addReachable(entry, reachable, problems);
            }
        }
    }

    /** The entries as the file system gives them, unfiltered for reachability. */
    static File[] list(File directory, FileFilter nameFilter) throws IOException {
        File[] entries = directory.listFiles(nameFilter);
        if (entries == null) {
            throw whyNotListed(directory);
        }
        return entries;
    }

    /** The listing gives no reason when it fails: opening the directory once more does. */
    private static IOException whyNotListed(File directory) {
        try {
            Files.newDirectoryStream(directory.toPath()).close();
        } catch (IOException e) {
            return e;
        } catch (InvalidPathException e) {
            return new FileSystemException(directory.getPath(), null, e.getMessage());
        }
        return new FileSystemException(directory.getPath(), null, "the entries cannot be read");
    }

    static void reportUnreachable(File entry, Problems problems) {
        problems.report("Cannot reach " + entry + " under the name it is listed with, so it is left alone:"
                + " its name is not valid in the file name encoding " + System.getProperty("sun.jnu.encoding"));
    }

    /**
     * Only a name that the runtime could not decode can fail to lead back to its entry, and such a
     * name holds the character that stands in for the bytes it could not decode (U+FFFD, or "?"
     * in some locales); asking the disk about every other name would cost a call per entry.
     */
    static boolean isReachable(File entry) {
        String name = entry.getName();
        if (name.indexOf('\uFFFD') < 0 && name.indexOf('?') < 0) {
            return true;
        }
        try {
            return Files.exists(entry.toPath(), LinkOption.NOFOLLOW_LINKS);
        } catch (InvalidPathException e) {
            return false;
        }
    }
}
