package app;

import java.nio.ByteBuffer;
import java.nio.charset.CharacterCodingException;
import java.nio.charset.CodingErrorAction;
import java.nio.charset.StandardCharsets;
import java.util.Arrays;

/**
 * The user's arguments as the launcher passed them. Windows hands a Java runtime its command
 * line in the system's 8-bit code page, which lacks most scripts; where an argument does not
 * survive it, the launcher also passes all of the user's arguments exactly, UTF-8 and
 * percent-encoded, separated by commas, in the system property {@value #PROPERTY}.
 */
final class LauncherArguments {
    static final String PROPERTY = ArgumentsProperty.NAME;

    private LauncherArguments() {}

    /** The command-line arguments with the user's part taken from the launcher's property, when it is there. */
    static String[] of(String[] commandLine) {
        return apply(System.getProperty(PROPERTY), commandLine);
    }

    /**
     * Replaces the last arguments of the command line, the user's (fixed arguments of the
     * launcher's settings come before them), by those the property holds. A property that is
     * absent or not well formed (not valid percent-encoding of valid UTF-8, or more arguments
     * than the command line has) leaves the command line as it is.
     */
    static String[] apply(String property, String[] commandLine) {
        if (property == null) {
            return commandLine;
        }
        String[] encoded = property.split(",", -1);
        int fixed = commandLine.length - encoded.length;
        if (fixed < 0) {
            return commandLine;
        }
        String[] arguments = Arrays.copyOf(commandLine, commandLine.length);
        for (int i = 0; i < encoded.length; i++) {
            String decoded = decode(encoded[i]);
            if (decoded == null) {
                return commandLine;
            }
            arguments[fixed + i] = decoded;
        }
        return arguments;
    }

    /** The value of an ASCII hex digit, or -1: Character.digit would take other scripts' digits too. */
    private static int hexDigit(char c) {
        return c < 128 ? Character.digit(c, 16) : -1;
    }

    /** One percent-encoded argument, or null when it is not well formed. */
    private static String decode(String text) {
        ByteBuffer bytes = ByteBuffer.allocate(text.length());
        for (int i = 0; i < text.length(); i++) {
            char c = text.charAt(i);
            if (c == '%') {
                int high = i + 2 < text.length() ? hexDigit(text.charAt(i + 1)) : -1;
                int low = high >= 0 ? hexDigit(text.charAt(i + 2)) : -1;
                if (low < 0) {
                    return null;
                }
                bytes.put((byte) (high * 16 + low));
                i += 2;
            } else if (isUnreserved(c)) {
                bytes.put((byte) c);
            } else {
                return null;
            }
        }
        bytes.flip();
        try {
            return StandardCharsets.UTF_8.newDecoder()
                    .onMalformedInput(CodingErrorAction.REPORT)
                    .onUnmappableCharacter(CodingErrorAction.REPORT)
                    .decode(bytes)
                    .toString();
        } catch (CharacterCodingException e) {
            return null;
        }
    }

    private static boolean isUnreserved(char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')
                || c == '.' || c == '_' || c == '~' || c == '-';
    }
}
