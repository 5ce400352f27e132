package app.disk;

import java.io.File;
import java.nio.file.attribute.BasicFileAttributes;

/**
 * An entry of a listing together with its attributes, links followed, as the listing learnt
 * them, so that the steps need not ask the system about the entry again. Windows gives them
 * with the listing itself; on Linux Java's listing gives names only, so each costs one stat,
 * taken once here instead of once by every step that needs the entry's kind.
 */
public final class ListedEntry extends File {
    private static final long serialVersionUID = 1L;

    /** Null where the listing could not learn them. */
    private final transient BasicFileAttributes attributes;

    public ListedEntry(File directory, String name, BasicFileAttributes attributes) {
        super(directory, name);
        this.attributes = attributes;
    }

    /** The attributes the listing learnt, or null: then the system must be asked. */
    public static BasicFileAttributes attributesOf(File entry) {
        return entry instanceof ListedEntry ? ((ListedEntry) entry).attributes : null;
    }
}
