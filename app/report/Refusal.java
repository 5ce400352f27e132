package app.report;

import java.io.File;
import java.nio.file.FileSystemException;
import java.nio.file.InvalidPathException;

/** The reason the system gave for refusing a change, in the words the run reports it with. */
public final class Refusal {
    private Refusal() {
    }

    public static void reportDeletion(File entry, Exception e, Problems problems) {
        problems.report("Cannot delete " + entry + ": " + reason(e));
    }

    /** Both names and the reason. */
    public static void reportRename(File from, File to, Exception e, Problems problems) {
        problems.report("Cannot rename " + from + " to " + to.getName() + ": " + reason(e));
    }

    /**
     * A name the platform does not allow at all, or the kind of failure and the system's own
     * words, without the paths: the report names them itself.
     */
    public static String reason(Exception e) {
        if (e instanceof InvalidPathException) {
            return "the name is not allowed: " + ((InvalidPathException) e).getReason();
        }
        String words = e instanceof FileSystemException ? ((FileSystemException) e).getReason() : e.getMessage();
        String kind = e.getClass().getSimpleName();
        return words == null ? kind : kind + ": " + words;
    }
}
