package app;

import java.io.File;
import java.io.FileFilter;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.LinkOption;
import java.util.ArrayList;
import java.util.Collections;
import java.util.List;

/** A directory's entries in the order the file system gives them, taken once and never sorted. */
public final class Listing {
    private Listing() {
    }

    /**
     * The entries whose names pass the filter; empty when the directory cannot be read. An entry
     * that cannot be reached under the name it is listed with is reported and left out: the
     * runtime gives a name it cannot decode (on Linux, one that is not valid in the locale's
     * encoding) with replacement characters, which name no entry.
     */
    public static List<File> entries(File directory, FileFilter nameFilter, Diagnostics diagnostics) {
        File[] entries = directory.listFiles(nameFilter);
        if (entries == null) {
            return Collections.emptyList();
        }
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
