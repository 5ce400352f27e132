package app;

import java.io.File;
import java.io.FileFilter;
import java.util.Arrays;
import java.util.Collections;
import java.util.List;

/** A directory's entries in the order the file system gives them, taken once and never sorted. */
public final class Listing {
    private Listing() {
    }

    /** The entries that pass the filter; empty when the directory cannot be read. */
    public static List<File> entries(File directory, FileFilter filter) {
        File[] entries = directory.listFiles(filter);
        return entries == null ? Collections.<File>emptyList() : Arrays.asList(entries);
    }
}
