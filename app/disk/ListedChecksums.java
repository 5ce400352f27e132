package app.disk;

import java.io.File;
import java.nio.file.attribute.FileTime;
import java.util.HashMap;
import java.util.Map;
import java.util.regex.Matcher;
import java.util.regex.Pattern;

/**
 * The checksums that a folder's old checksum lists hold, by track name, each with the list it
 * stands in and when that list was last written. Where several lists name a track, the one written
 * last counts; within one list, its first line for the track.
 */
public final class ListedChecksums {
    /** One track's line in an old list. */
    public static final class Listed {
        /** The checksum as it stands in the list. */
        public final String text;
        public final long value;
        public final File list;
        public final FileTime listWritten;

        Listed(String text, File list, FileTime listWritten) {
            this.text = text;
            this.value = Long.parseLong(text, 16);
            this.list = list;
            this.listWritten = listWritten;
        }
    }

    /**
     * A track's line: its name, blanks or tabs, and one to eight hexadecimal digits in either
     * letter case, as every writer of such lists puts them; a comment line starts with ";".
     */
    private static final Pattern LINE = Pattern.compile("([^;].*?)[ \t]+([0-9A-Fa-f]{1,8})[ \t\r]*");

    private final Map<String, Listed> byName = new HashMap<>();

    /**
     * Takes in one line of a list (see ListText): gives the name of the track it lists, or null
     * for a comment or any other line.
     */
    public String take(File list, FileTime listWritten, String line) {
        Matcher track = LINE.matcher(line);
        if (!track.matches()) {
            return null;
        }
        String name = track.group(1);
        Listed known = byName.get(name);
        boolean newer = known == null || !known.list.equals(list) && listWritten.compareTo(known.listWritten) > 0;
        if (newer) {
            byName.put(name, new Listed(track.group(2), list, listWritten));
        }
        return name;
    }

    /** The line of the track of that name, or null. */
    public Listed find(String name) {
        return byName.get(name);
    }
}
