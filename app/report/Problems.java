package app.report;

/** Where the parts of a run report what went wrong: one line each, as the user reads it. */
public interface Problems {
    /** One line as it stands. */
    void report(String line);

    /** One line: what went wrong where, then the error's kind and its message. */
    default void report(String what, Throwable error) {
        String message = error.getMessage();
        report(what + ": " + error.getClass().getSimpleName() + (message == null ? "" : ": " + message));
    }
}
