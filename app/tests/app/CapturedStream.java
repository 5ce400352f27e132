package app;

import java.io.ByteArrayOutputStream;
import java.io.PrintStream;
import java.util.List;
import java.util.regex.Pattern;

/** A print stream whose lines can be read back, for checking console output in-process. */
public class CapturedStream {
    private final ByteArrayOutputStream bytes = new ByteArrayOutputStream();
    public final PrintStream stream = new PrintStream(bytes, true);

    public String text() {
        return bytes.toString();
    }

    /** The lines written, each of which must end with the platform's line separator. */
    public List<String> lines() {
        String text = text();
        if (!text.isEmpty() && !text.endsWith(System.lineSeparator())) {
            throw new AssertionError("output does not end with a whole line: " + text);
        }
        String[] parts = text.split(Pattern.quote(System.lineSeparator()), -1);
        return List.of(parts).subList(0, parts.length - 1);
    }
}
