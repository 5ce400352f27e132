package app;

import java.io.File;
import java.io.IOException;
import java.nio.charset.Charset;
import java.util.List;

/** Runs an installed program and gives its exit status and its merged output. */
public final class ExternalCommand {
    public final int status;
    public final String output;

    private ExternalCommand(int status, String output) {
        this.status = status;
        this.output = output;
    }

    public static ExternalCommand run(File workingDirectory, List<String> command) throws IOException, InterruptedException {
        Process process = new ProcessBuilder(command).directory(workingDirectory).redirectErrorStream(true).start();
        String output = new String(process.getInputStream().readAllBytes(), Charset.defaultCharset());
        return new ExternalCommand(process.waitFor(), output);
    }

    /** Runs the command and fails the test, showing its output, unless it succeeds. */
    public static String succeed(File workingDirectory, String... command) throws IOException, InterruptedException {
        ExternalCommand result = run(workingDirectory, List.of(command));
        if (result.status != 0) {
            throw new AssertionError(String.join(" ", command) + " ended with " + result.status + ":\n" + result.output);
        }
        return result.output;
    }
}
