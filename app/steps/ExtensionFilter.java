package app.steps;

import java.io.File;
import java.io.FileFilter;

/** Lets through entries of any kind whose lower-cased name ends with one of the extensions. */
public final class ExtensionFilter implements FileFilter {
    private final String[] extensions;

    public ExtensionFilter(String... extensions) {
        this.extensions = extensions;
    }

    @Override
    public boolean accept(File entry) {
        String name = entry.getName().toLowerCase();
        for (String extension : extensions) {
            if (name.endsWith(extension)) {
                return true;
            }
        }
        return false;
    }
}
