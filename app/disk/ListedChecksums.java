package app.disk;

import java.io.File;
import java.nio.file.attribute.FileTime;
import java.util.HashMap;
import java.util.Map;
import java.util.regex.Pattern;

/**
 * The checksums that a folder's old checksum lists hold, by track name, each with the list it
 * stands in and when that list was last written. Where several lists name a track, the one written
 * last counts; within one list, its first line for the track. Whether every line that names a
 * track gives the same value is kept as well, for a quick run, which trusts only such values.
 */
public final class ListedChecksums {
    /** One track's line in an old list. */
    public static final class Listed {
        /** The checksum as it stands in the list. */
        public final String text;
        public final long value;
        public final File list;
        public final FileTime listWritten;
        /** Ended by a line end: not the last line of a list cut short. */
        public final boolean whole;
        /** Every line of every list that names the track gives this value. */
        private boolean agreed = true;

        Listed(String text, File list, FileTime listWritten, boolean whole) {
            this.text = text;
            this.value = Long.parseLong(text, 16);
            this.list = list;
            this.listWritten = listWritten;
            this.whole = whole;
        }

        /** The value counts on a whole line, and no other line that names the track disagrees. */
        public boolean isWholeAndAgreed() {
            return whole && agreed;
        }
    }

    /** One to eight hexadecimal digits in either letter case, as every writer of such lists puts them. */
    private static final Pattern CHECKSUM = Pattern.compile("[0-9A-Fa-f]{1,8}");
    /** Line ends that Java's patterns never take for part of a name. */
    private static final Pattern LINE_END = Pattern.compile("[\r\u0085\u2028\u2029]");

    private final Map<String, Listed> byName = new HashMap<>();

    /**
     * Takes in one line of a list (see ListText): gives the name of the track it lists, or null
     * for a comment or any other line.
     */
    public String take(File list, FileTime listWritten, String line, boolean whole) {
        String[] track = nameAndChecksum(line);
        if (track == null) {
            return null;
        }
        Listed known = byName.get(track[0]);
        Listed read = new Listed(track[1], list, listWritten, whole);
        boolean agreed = known == null || known.agreed && known.value == read.value;
        if (known == null || !known.list.equals(list) && listWritten.compareTo(known.listWritten) > 0) {
            byName.put(track[0], read);
            known = read;
        }
        known.agreed = agreed;
        return track[0];
    }

    /**
     * A track's line: its name, blanks or tabs, and its checksum, then perhaps blanks; a comment
     * line starts with ";". Taken apart from its end, in one pass: a pattern that searched for the
     * blanks would try every way of splitting a long run of them, for seconds a line.
     */
    private static String[] nameAndChecksum(String line) {
        int end = line.length();
        while (end > 0 && isBlank(line.charAt(end - 1)) || end > 0 && line.charAt(end - 1) == '\r') {
            end--;
        }
        int digits = end;
        while (digits > 0 && !isBlank(line.charAt(digits - 1))) {
            digits--;
        }
        int nameEnd = digits;
        while (nameEnd > 0 && isBlank(line.charAt(nameEnd - 1))) {
            nameEnd--;
        }
        String name = line.substring(0, nameEnd);
        String checksum = line.substring(digits, end);
        boolean isTrack = nameEnd > 0 && nameEnd < digits && line.charAt(0) != ';' && CHECKSUM.matcher(checksum).matches()
                && !LINE_END.matcher(name).find();
        return isTrack ? new String[] {name, checksum} : null;
    }

    private static boolean isBlank(char c) {
        return c == ' ' || c == '\t';
    }

    /** The line of the track of that name, or null. */
    public Listed find(String name) {
        return byName.get(name);
    }
}
