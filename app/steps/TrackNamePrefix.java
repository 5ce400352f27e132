package app.steps;

import java.util.regex.Matcher;
import java.util.regex.Pattern;

/**
 * Settles how a track's new name begins: one-digit track numbers get a leading zero, and a
 * disc-side prefix ("A1", "B12") or a three-digit prefix ("103") at the start of the old name
 * takes the place of the track number. The prefix rules read names this class makes as they were
 * made, so a second run leaves every name as it is.
 */
final class TrackNamePrefix {
    private static final Pattern ONE_DIGIT_NUMBER = Pattern.compile("[0-9]-");
    private static final Pattern SIDE_PREFIX = Pattern.compile("[a-zA-Z][0-9]{1,2}");
    /** Exactly three digits: a longer number, such as a year or a four-digit track number, is no prefix. */
    private static final Pattern THREE_DIGIT_PREFIX = Pattern.compile("[0-9]{3}(?![0-9])");
    private static final Pattern NUMBER = Pattern.compile("[0-9]+-");
    private static final Pattern TWO_DIGITS = Pattern.compile("[0-9]{2}-");

    private TrackNamePrefix() {
    }

    /** The new name (no extension) for a track whose tag gave filename and whose old name is oldName. */
    static String apply(String filename, String oldName) {
        String name = filename;
        if (ONE_DIGIT_NUMBER.matcher(name).lookingAt()) {
            name = "0" + name;
        }
        Matcher side = SIDE_PREFIX.matcher(oldName);
        if (side.lookingAt()) {
            return replaceNumber(name, side.group().toLowerCase());
        }
        Matcher threeDigits = THREE_DIGIT_PREFIX.matcher(oldName);
        if (threeDigits.lookingAt()) {
            return replaceNumber(name, threeDigits.group());
        }
        return name;
    }

    /**
     * Puts the prefix in place of the whole track number at the start of the name. A negative
     * number has no digits there; the prefix then takes the place of the first two digits followed
     * by a hyphen wherever they stand, and the name stays as it is when there are none.
     */
    private static String replaceNumber(String name, String prefix) {
        Matcher number = NUMBER.matcher(name);
        if (number.lookingAt()) {
            return prefix + "-" + name.substring(number.end());
        }
        Matcher twoDigits = TWO_DIGITS.matcher(name);
        if (!twoDigits.find()) {
            return name;
        }
        return name.substring(0, twoDigits.start()) + prefix + "-" + name.substring(twoDigits.end());
    }
}
