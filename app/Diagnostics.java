package app;

import app.report.Problems;
import java.io.PrintStream;

/** Writes problems to the error stream, one line each, and counts them for the exit status. */
public class Diagnostics implements Problems {
    private final PrintStream err;
    private int count;

    public Diagnostics(PrintStream err) {
        this.err = err;
    }

    @Override
    public void report(String line) {
        // A message with line breaks in it would spread over several lines.
        err.println(line.replaceAll("[\r\n]+", " "));
        count++;
    }

    public int count() {
        return count;
    }
}
