package app;

import app.steps.ImagesRenamer;
import app.steps.M3UCreator;
import app.steps.Mp3FilesRenamer;
import app.steps.NFORenamer;
import app.steps.SVFCreator;
import java.io.File;
import java.io.PrintStream;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;

/** Runs the step chain over every immediate sub-directory of the directory given on the command line. */
public class Main {
    static final int OK = 0;
    static final int PROBLEMS_REPORTED = 1;
    static final int NOT_A_DIRECTORY = 1;
    static final int NO_ARGUMENT = 2;

    public static void main(String[] args) {
        System.exit(run(args, System.out, System.err));
    }

    static int run(String[] args, PrintStream out, PrintStream err) {
        Diagnostics diagnostics = new Diagnostics(err);
        List<Step> chain = Arrays.asList(
                new DirectoryNameAnalizer(),
                new Mp3FilesRenamer(diagnostics),
                new M3UCreator(diagnostics),
                new SVFCreator(diagnostics),
                new ImagesRenamer(out, diagnostics),
                new NFORenamer(out, diagnostics));
        return run(args, out, diagnostics, chain);
    }

    static int run(String[] args, PrintStream out, Diagnostics diagnostics, List<Step> chain) {
        out.println("Quom's files renamer");
        out.println("Tidies every album folder of a music directory: tracks, playlist, checksums, covers, info.");
        if (args.length == 0) {
            out.println("Please specify directory to work with");
            return NO_ARGUMENT;
        }
        File directory = new File(args[0]);
        out.println("Directory: " + directory.getPath());
        if (!directory.isDirectory()) {
            out.println("Don't fool me - this is not a directory");
            return NOT_A_DIRECTORY;
        }
        List<File> albums = new ArrayList<>();
        // Every entry is listed, so that one whose name cannot be reached is reported whatever it is.
        for (File entry : Listing.entries(directory, entry -> true, diagnostics)) {
            if (entry.isDirectory()) {
                albums.add(entry);
            }
        }
        out.println(albums);
        for (File album : albums) {
            runChain(album, chain, diagnostics);
        }
        out.println("All is done for you, lame user!");
        return diagnostics.count() == 0 ? OK : PROBLEMS_REPORTED;
    }

    private static void runChain(File album, List<Step> chain, Diagnostics diagnostics) {
        Context context = new Context();
        for (Step step : chain) {
            try {
                step.execute(album, context);
            } catch (RuntimeException | LinkageError e) {
                // A fault no step foresaw (a missing tag library, say). The later steps build
                // on what this one should have left, so the directory is left as it now is.
                diagnostics.report("Unexpected failure of " + step.getClass().getSimpleName()
                        + " in " + album + ", the folder's remaining steps are skipped", e);
                return;
            }
        }
    }
}
