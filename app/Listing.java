package app;

import java.io.File;
import java.io.FileFilter;
import java.io.IOException;
import java.nio.file.FileSystemException;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.LinkOption;
import java.util.ArrayList;
import java.util.List;

/** A directory's entries in the order the file system gives them, taken once and never sorted. */
public final class Listing {
    private Listing() {
    }

    /**
     * The entries whose names pass the filter; a directory that cannot be read throws the
     * system's reason. An entry that cannot be reached under the name it is listed with is
     * reported and left out: the runtime gives a name it cannot decode (on Linux, one that is
     * not valid in the locale's encoding) with replacement characters, which name no entry.
     */
    public static List<File> listing(File directory, FileFilter nameFilter, Diagnostics diagnostics) throws IOException {
        File[] entries = list(directory, nameFilter);
        List<File> reachable = new ArrayList<>(entries.length);
        for (File entry : entries) {
            if (isReachable(entry)) {
                reachable.add(entry);
            } else {
                reportUnreachable(entry, diagnostics);
            }
        }
        return reachable;
    }

    /** The entries as the file system gives them, unfiltered for reachability. */
    public static File[] list(File directory, FileFilter nameFilter) throws IOException {
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

    public static void reportUnreachable(File entry, Diagnostics diagnostics) {
        diagnostics.report("Cannot reach " + entry + " under the name it is listed with, so it is left alone:"
                + " its name is not valid in the file name encoding " + System.getProperty("sun.jnu.encoding"));
    }

    /**
     * Only a name that the runtime could not decode can fail to lead back to its entry, and such a
     * name holds the character that stands in for the bytes it could not decode (U+FFFD, or "?"
     * in some locales); asking the disk about every other name would cost a call per entry.
     */
    public static boolean isReachable(File entry) {
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
