package app.steps;

import java.util.regex.Matcher;
import java.util.regex.Pattern;

/**
 * Settles how a track's new name begins: one-digit track numbers get a leading zero, and a
 * disc-side prefix ("A1", "B12") or a three-digit prefix ("103") at the start of the old name
 * takes the place of the track number.
 */
final class TrackNamePrefix {
    private static final Pattern ONE_DIGIT_NUMBER = Pattern.compile("[0-9]-");
    private static final Pattern SIDE_PREFIX = Pattern.compile("[a-zA-Z][0-9]{1,2}");
    private static final Pattern THREE_DIGIT_PREFIX = Pattern.compile("[0-9]{3}");
    private static final Pattern TWO_DIGIT_NUMBER = Pattern.compile("[0-9]{2}-");

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

    /** Puts the prefix in place of the first two digits followed by a hyphen, if there are any. */
    private static String replaceNumber(String name, String prefix) {
        Matcher number = TWO_DIGIT_NUMBER.matcher(name);
        if (!number.find()) {
            return name;
        }
        return name.substring(0, number.start()) + prefix + "-" + name.substring(number.end());
    }
}
