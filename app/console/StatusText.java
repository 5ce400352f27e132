package app.console;

/**
 * The text of the status line, for example
 * {@code Album 123/4567  Some Band - Greatest Hits  2,345 tracks  12.3 GB  4:31}, made to fit a
 * number of terminal columns: the album's name is cut first, then, on a very narrow terminal, the
 * end of the whole line.
 */
final class StatusText {
    private static final String GAP = "  ";
    private static final String[] UNITS = {"B", "kB", "MB", "GB", "TB", "PB", "EB"};

    private StatusText() {
    }

    /** `bytes` is negative when no bytes are shown. */
    static String of(int number, int count, String name, long tracks, long bytes, long elapsedSeconds, int width) {
        String head = "Album " + number + "/" + count;
        String tail = grouped(tracks) + (tracks == 1 ? " track" : " tracks")
                + (bytes < 0 ? "" : GAP + size(bytes)) + GAP + time(elapsedSeconds);
        int room = width - columns(head) - columns(tail) - 2 * GAP.length();
        if (room > 0) {
            return head + GAP + cut(printable(name), room) + GAP + tail;
        }
        return cut(head + GAP + tail, width);
    }

    /** While the walk for album folders goes on: Looking for albums: 12,345 folders, 678 albums. */
    static String looking(int folders, int albums, int width) {
        return cut("Looking for albums: " + grouped(folders) + (folders == 1 ? " folder, " : " folders, ")
                + grouped(albums) + (albums == 1 ? " album" : " albums"), width);
    }

    /**
     * Decimal units, as disks are sold: 12.3 GB is 12.3 thousand million bytes. Numbers are put
     * together by hand: the formatter would load the runtime's locale data, which costs more than
     * all the rewrites of a run.
     */
    static String size(long bytes) {
        if (bytes < 1000) {
            return bytes + " " + UNITS[0];
        }
        int unit = 1;
        long tenths = tenthsOf(bytes, unit);
        // 999.96 kB would show as 1000.0 kB: from there on it is 1.0 MB.
        while (tenths >= 10000 && unit < UNITS.length - 1) {
            tenths = tenthsOf(bytes, ++unit);
        }
        return tenths / 10 + "." + tenths % 10 + " " + UNITS[unit];
    }

    private static long tenthsOf(long bytes, int unit) {
        return Math.round(bytes / Math.pow(1000, unit) * 10);
    }

    /** With a comma between thousands: 2,345. */
    static String grouped(long count) {
        StringBuilder digits = new StringBuilder(Long.toString(count));
        for (int i = digits.length() - 3; i > 0; i -= 3) {
            digits.insert(i, ',');
        }
        return digits.toString();
    }

    /** Minutes and seconds, with the hours in front once there are any. */
    static String time(long seconds) {
        long minutes = seconds / 60;
        String secondsPart = ":" + twoDigits(seconds % 60);
        return minutes < 60 ? minutes + secondsPart : minutes / 60 + ":" + twoDigits(minutes % 60) + secondsPart;
    }

    private static String twoDigits(long number) {
        return number < 10 ? "0" + number : Long.toString(number);
    }

    /**
     * A folder's name may hold control characters; on the terminal they would move the cursor or
     * end the line. They show as ^ and a letter, as in the dry run's plan; those above 0x7F, which
     * some terminals take as escape sequences, as "?".
     */
    static String printable(String name) {
        StringBuilder text = new StringBuilder(name.length());
        for (int i = 0; i < name.length(); i = name.offsetByCodePoints(i, 1)) {
            int c = name.codePointAt(i);
            if (c < 0x20 || c == 0x7F) {
                text.append('^').append((char) (c ^ 0x40));
            } else if (Character.getType(c) == Character.CONTROL) {
                text.append('?');
            } else {
                text.appendCodePoint(c);
            }
        }
        return text.toString();
    }

    /** The longest start of the text that takes at most `width` columns. */
    static String cut(String text, int width) {
        int used = 0;
        for (int i = 0; i < text.length(); i = text.offsetByCodePoints(i, 1)) {
            used += columns(text.codePointAt(i));
            if (used > width) {
                return text.substring(0, i);
            }
        }
        return text;
    }

    static int columns(String text) {
        int columns = 0;
        for (int i = 0; i < text.length(); i = text.offsetByCodePoints(i, 1)) {
            columns += columns(text.codePointAt(i));
        }
        return columns;
    }

    /**
     * East Asian wide characters and emoji take two columns. Every other character counts as one,
     * combining marks included: counting a column too many only makes the line a little shorter,
     * one too few would make it wrap, and then it could no longer be erased.
     */
    private static int columns(int c) {
        boolean wide = (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0x303E) || (c >= 0x3041 && c <= 0x33FF)
                || (c >= 0x3400 && c <= 0x4DBF) || (c >= 0x4E00 && c <= 0x9FFF) || (c >= 0xA000 && c <= 0xA4CF)
                || (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) || (c >= 0xFE30 && c <= 0xFE4F)
                || (c >= 0xFF00 && c <= 0xFF60) || (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x1F300 && c <= 0x1F64F)
                || (c >= 0x1F900 && c <= 0x1F9FF) || (c >= 0x20000 && c <= 0x3FFFD);
        return wide ? 2 : 1;
    }
}
