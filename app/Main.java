package app;

import app.console.StatusLine;
import app.disk.Disk;
import app.disk.PlannedDisk;
import app.disk.ProgressDisk;
import app.disk.RealDisk;
import app.journal.InterruptedRenames;
import app.journal.Journal;
import app.journal.JournalFolder;
import app.journal.JournalingDisk;
import app.report.Progress;
import app.steps.AlbumStart;
import app.steps.ImagesRenamer;
import app.steps.M3UCreator;
import app.steps.Mp3FilesRenamer;
import app.steps.NFORenamer;
import app.steps.SVFCreator;
import app.undo.Undo;
import java.io.File;
import java.io.PrintStream;
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
    /**
     * As the first argument: take back the newest run on the folder that was not undone yet;
     * followed by --dry-run, only show what that would change.
     */
    static final String UNDO = "--undo";
    /** As the first argument: print the product's name and version, and nothing else. */
    static final String VERSION = "--version";
    /** What the first argument may be, as the usage line names them. */
    static final List<String> OPTIONS = Arrays.asList(DRY_RUN, UNDO, VERSION);
    /** Set to "off", runs keep no journal: only for measuring what the journal costs. */
    static final String JOURNAL_PROPERTY = "dovatrik.journal";

    public static void main(String[] args) {
        // First: on a terminal it replaces the standard streams.
        Progress progress = StatusLine.onTerminal();
        System.exit(run(LauncherArguments.of(args), System.out, System.err, progress));
    }

    static int run(String[] args, PrintStream out, PrintStream err) {
        return run(args, out, err, Progress.NONE);
    }

    static int run(String[] args, PrintStream out, PrintStream err, Progress progress) {
        if (args.length > 0 && args[0].equals(VERSION)) {
            out.println(Version.NAME_AND_NUMBER);
            return OK;
        }
        Diagnostics diagnostics = new Diagnostics(err);
        if (args.length > 0 && args[0].equals(UNDO)) {
            return undo(args, out, diagnostics, progress);
        }
        boolean dryRun = args.length > 0 && args[0].equals(DRY_RUN);
        boolean journaled = !dryRun && args.length > 0 && !"off".equals(System.getProperty(JOURNAL_PROPERTY));
        Journal journal = journaled
                ? Journal.of(JournalFolder.location(), new File(args[0]), Version.NAME_AND_NUMBER, diagnostics)
                : Journal.NONE;
        Disk disk = dryRun ? new PlannedDisk(out, diagnostics)
                : journaled ? JournalingDisk.over(diagnostics, progress, journal) : new RealDisk(diagnostics, progress);
        progress.readsTracks(!dryRun);
        disk = new ProgressDisk(disk, progress);
        List<Step> chain = Arrays.asList(
                new DirectoryNameAnalizer(),
                new Mp3FilesRenamer(disk, diagnostics),
                new M3UCreator(disk, diagnostics),
                new SVFCreator(disk, diagnostics),
                new ImagesRenamer(out, disk),
                new NFORenamer(out, disk));
        String[] folderArguments = dryRun ? Arrays.copyOfRange(args, 1, args.length) : args;
        try {
            return run(folderArguments, out, diagnostics, disk, chain, progress);
        } finally {
            journal.close();
        }
    }

    /** The undo of the newest run on the folder: --undo [--dry-run] <music folder>. */
    private static int undo(String[] args, PrintStream out, Diagnostics diagnostics, Progress progress) {
        boolean dryRun = args.length > 1 && args[1].equals(DRY_RUN);
        String[] folderArguments = Arrays.copyOfRange(args, dryRun ? 2 : 1, args.length);
        int status = checkFolder(folderArguments, out);
        if (status != OK) {
            return status;
        }
        new Undo(out, diagnostics, dryRun, progress).undo(new File(folderArguments[0]));
        return diagnostics.count() == 0 ? OK : PROBLEMS_REPORTED;
    }

    /** The banner, the usage line and the folder: OK when it is one, else the status to end with. */
    private static int checkFolder(String[] args, PrintStream out) {
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
        return OK;
    }

    static int run(String[] args, PrintStream out, Diagnostics diagnostics, Disk disk, List<Step> chain,
            Progress progress) {
        int status = checkFolder(args, out);
        if (status != OK) {
            return status;
        }
        File directory = new File(args[0]);
        List<File> albums = AlbumFolders.of(directory, disk, diagnostics);
        out.println(albums);
        // Read before this run makes its own journal.
        AlbumStart start = new AlbumStart(disk, diagnostics, InterruptedRenames.of(directory));
        for (int i = 0; i < albums.size(); i++) {
            File album = albums.get(i);
            progress.album(i + 1, albums.size(), album.getName());
            if (start.open(album)) {
                runChain(album, chain, diagnostics);
            }
        }
        progress.end();
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
