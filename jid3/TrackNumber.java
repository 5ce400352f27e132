package jid3;

import java.util.regex.Pattern;

/** Reads the track number out of the text of a track frame, such as "3", " 7 " or "3/12". */
final class TrackNumber {
    /** Compiled once: a track after another asks. */
    private static final Pattern NUMBER = Pattern.compile("[+-]?[0-9]+");

    private TrackNumber() {
    }

    static int parse(String text) throws ID3Exception {
        if (text == null) {
            throw new ID3Exception("the tag has no track number");
        }
        String number = text.trim();
        int slash = number.indexOf('/');
        if (slash >= 0) {
            // The part after the slash is the number of tracks on the release.
            number = number.substring(0, slash).trim();
        }
        if (number.isEmpty()) {
            throw new ID3Exception("the track number is empty");
        }
        if (!NUMBER.matcher(number).matches()) {
            throw new ID3Exception("the track number " + quoted(text) + " is not a number");
        }
        try {
            return Integer.parseInt(number);
        } catch (NumberFormatException e) {
            throw new ID3Exception("the track number " + quoted(number) + " is out of range", e);
        }
    }

    /** The text in quotes, cut short and with control characters shown as '?', so a message stays one short line. */
    private static String quoted(String text) {
        String shown = text.length() > 40 ? text.substring(0, 40) + "..." : text;
        return "\"" + shown.replaceAll("\\p{Cntrl}", "?") + "\"";
    }
}
