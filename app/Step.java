package app;

import java.io.File;

/** One link of the chain that runs over every album directory. */
public interface Step {
    /**
     * Works on one album directory. Handles its own errors: there is no result and
     * nothing is thrown on purpose.
     */
    void execute(File directory, Context context);
}
