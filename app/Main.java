package app;

import app.steps.Disk;
import app.steps.ImagesRenamer;
import app.steps.M3UCreator;
import app.steps.Mp3FilesRenamer;
import app.steps.NFORenamer;
import app.steps.PlannedDisk;
import app.steps.RealDisk;
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
    /** As the first argument: show every change the run would make, and make none. */
    static final String DRY_RUN = "--dry-run";
    /** As the first argument: print the product's name and version, and nothing else. */
    static final String VERSION = "--version";
    /** What the first argument may be, as the usage line names them. */
    static final List<String> OPTIONS = Arrays.asList(DRY_RUN, VERSION);

    public static void main(String[] args) {
        System.exit(run(args, System.out, System.err));
    }

    static int run(String[] args, PrintStream out, PrintStream err) {
        if (args.length > 0 && args[0].equals(VERSION)) {
            out.println(Version.NAME_AND_NUMBER);
            return OK;
        }
        Diagnostics diagnostics = new Diagnostics(err);
        boolean dryRun = args.length > 0 && args[0].equals(DRY_RUN);
        Disk disk = dryRun ? new PlannedDisk(out, diagnostics) : new RealDisk(diagnostics);
        List<Step> chain = Arrays.asList(
                new DirectoryNameAnalizer(),
                new Mp3FilesRenamer(disk, diagnostics),
                new M3UCreator(disk, diagnostics),
                new SVFCreator(disk, diagnostics),
                new ImagesRenamer(out, disk),
                new NFORenamer(out, disk));
        String[] folderArguments = dryRun ? Arrays.copyOfRange(args, 1, args.length) : args;
        return run(folderArguments, out, diagnostics, disk, chain);
    }

    static int run(String[] args, PrintStream out, Diagnostics diagnostics, Disk disk, List<Step> chain) {
        out.println("Quom's files renamer");
        out.println("Usage: dovatrik [" + String.join(" | ", OPTIONS) + "] <music folder>. Tidies every album folder"
                + " in it: tracks, playlist, checksums, covers, info; " + DRY_RUN + " only shows what would change.");
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
        for (File entry : disk.entries(directory, entry -> true)) {
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
                // Other errors, such as running out of memory, end the run: no step can go on.
                diagnostics.report("Unexpected failure of " + step.getClass().getSimpleName()
                        + " in " + album + ", the folder's remaining steps are skipped", e);
                return;
            }
        }
    }
}
