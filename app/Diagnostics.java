package app;

import java.io.PrintStream;

/** Writes problems to the error stream, one line each, and counts them for the exit status. */
public class Diagnostics {
    private final PrintStream err;
    private int count;

    public Diagnostics(PrintStream err) {
        this.err = err;
    }

    /** One line: what went wrong where, then the error's kind and its message. */
    public void report(String what, Throwable error) {
        String message = error.getMessage();
        report(what + ": " + error.getClass().getSimpleName() + (message == null ? "" : ": " + message));
    }

    /** One line as it stands. */
    public void report(String line) {
        // A message with line breaks in it would spread over several lines.
        err.println(line.replaceAll("[\r\n]+", " "));
        count++;
    }

    public int count() {
        return count;
    }
}
