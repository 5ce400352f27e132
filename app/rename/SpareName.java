package app.rename;

import java.io.File;
import java.nio.charset.StandardCharsets;
import java.nio.file.Path;
import java.util.UUID;
import java.util.regex.Pattern;

/**
 * The name an entry bears for a moment during a rename through a spare name, and its record: a
 * small file beside it that holds the entry's old name and the name it is given, so that a run
 * killed in between can be undone by the next one. The spare name has a fixed length, so that it
 * fits wherever the old name did, however long that is.
 */
public final class SpareName {
    private static final String PREFIX = ".renaming-";
    private static final String RECORD_SUFFIX = ".name";
    private static final Pattern SPARE = Pattern.compile(Pattern.quote(PREFIX) + "[0-9a-f]{8}(-[0-9a-f]{4}){3}-[0-9a-f]{12}");
    /** Names in the record are apart by a character that no file name holds. */
    private static final String SEPARATOR = "\0";

    public final Path spare;
    public final Path record;

    private SpareName(Path spare) {
        this.spare = spare;
        this.record = recordOf(spare);
    }

    /** A fresh spare name beside the entry. */
    public static SpareName beside(Path entry) {
        return new SpareName(entry.resolveSibling(PREFIX + UUID.randomUUID()));
    }

    public static boolean isSpare(String name) {
        return SPARE.matcher(name).matches();
    }

    public static boolean isRecord(String name) {
        return name.endsWith(RECORD_SUFFIX) && isSpare(spareOf(name));
    }

    /** The spare name whose record bears this name. */
    public static String spareOf(String recordName) {
        return recordName.substring(0, recordName.length() - RECORD_SUFFIX.length());
    }

    public static Path recordOf(Path spare) {
        return spare.resolveSibling(spare.getFileName() + RECORD_SUFFIX);
    }

    public static byte[] record(String oldName, String newName) {
        return (oldName + SEPARATOR + newName).getBytes(StandardCharsets.UTF_8);
    }

    /**
     * The old name and the new one; null for a record that is not one. Each must be a name of
     * an entry in the spare's folder: a record is found in the music folder, where anyone who
     * hands over an album may have written one that leads elsewhere.
     */
    public static String[] names(byte[] record) {
        String[] names = new String(record, StandardCharsets.UTF_8).split(SEPARATOR, -1);
        return names.length == 2 && isEntryName(names[0]) && isEntryName(names[1]) ? names : null;
    }

    /**
     * One name, no path: not empty, no folder in it, not the folder itself or its parent, and
     * not a spare name or record itself, which would take the entry for its own second name.
     */
    private static boolean isEntryName(String name) {
        return !name.isEmpty() && !name.equals(".") && !name.equals("..") && new File(name).getName().equals(name)
                && !isSpare(name) && !isRecord(name);
    }
}
