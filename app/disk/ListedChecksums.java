package app.disk;

import java.io.File;
import java.nio.file.attribute.FileTime;
import java.util.HashMap;
import java.util.Map;
import java.util.regex.Matcher;
import java.util.regex.Pattern;

/**
 * The checksums that a folder's old checksum lists hold, by track name, each with the list it
 * stands in and when that list was last written. The first list that names a track counts.
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
    /** Far beyond any track's line; a longer one is not looked into. */
    private static final int LONGEST_LINE = 8192;

    private final Map<String, Listed> byName = new HashMap<>();

    /** Takes in the lines of one list; lines that are not a track's line are passed over. */
    void add(File list, FileTime listWritten, Iterable<String> lines) {
        for (String line : lines) {
            if (line.length() > LONGEST_LINE) {
                continue;
            }
            Matcher track = LINE.matcher(line);
            if (track.matches() && !byName.containsKey(track.group(1))) {
                byName.put(track.group(1), new Listed(track.group(2), list, listWritten));
            }
        }
    }

    /** The line of the track of that name, or null. */
    public Listed find(String name) {
        return byName.get(name);
    }
}
