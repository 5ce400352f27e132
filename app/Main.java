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
import app.steps.ChecksumTrust;
import app.steps.ImagesRenamer;
import app.steps.M3UCreator;
import app.steps.Mp3FilesRenamer;
import app.steps.NFORenamer;
import app.steps.SVFCreator;
import app.undo.Undo;
import java.io.File;
import java.io.PrintStream;
import java.nio.file.attribute.FileTime;
import java.util.Arrays;
import java.util.List;

/** Runs the step chain over every immediate sub-directory of the directory given on the command line. */
public class Main {
    static final int OK = 0;
    static final int PROBLEMS_REPORTED = 1;
    static final int NOT_A_DIRECTORY = 1;
    static final int NO_ARGUMENT = 2;
    /** The album folders hold no track, folders below them do: the run would only litter. */
    static final int TRACKS_ONLY_BELOW = 1;
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
        Arguments arguments = Arguments.of(args);
        if (arguments.version) {
            out.println(Version.NAME_AND_NUMBER);
            return OK;
        }
        Diagnostics diagnostics = new Diagnostics(err);
        if (arguments.undo) {
            return undo(arguments, out, diagnostics, progress);
        }
        boolean journaled = !arguments.dryRun && arguments.musicFolder != null
                && !"off".equals(System.getProperty(JOURNAL_PROPERTY));
        Journal journal = journaled
                ? Journal.of(JournalFolder.location(), new File(arguments.musicFolder), Version.NAME_AND_NUMBER, diagnostics)
                : Journal.NONE;
        Disk disk = arguments.dryRun ? new PlannedDisk(out, diagnostics)
                : journaled ? JournalingDisk.over(diagnostics, progress, journal) : new RealDisk(diagnostics, progress);
        progress.readsTracks(!arguments.dryRun);
        disk = new ProgressDisk(disk, progress);
        // A dry run reads no track anyway.
        ChecksumTrust trust = arguments.quick && !arguments.dryRun
                ? ChecksumTrust.since(FileTime.fromMillis(System.currentTimeMillis())) : ChecksumTrust.NONE;
        List<Step> chain = Arrays.asList(
                new DirectoryNameAnalizer(),
                new Mp3FilesRenamer(disk, diagnostics, trust.needsTimes()),
                new M3UCreator(disk, diagnostics),
                new SVFCreator(disk, diagnostics, trust),
                new ImagesRenamer(out, disk, arguments.recursive),
                new NFORenamer(out, disk, arguments.recursive));
        try {
            return run(arguments, out, diagnostics, disk, chain, progress);
        } finally {
            journal.close();
        }
    }

    /** The undo of the newest run on the folder; --recursive changes nothing: the journal knows every folder. */
    private static int undo(Arguments arguments, PrintStream out, Diagnostics diagnostics, Progress progress) {
        int status = checkFolder(arguments, out);
        if (status != OK) {
            return status;
        }
        new Undo(out, diagnostics, arguments.dryRun, progress).undo(new File(arguments.musicFolder));
        return diagnostics.count() == 0 ? OK : PROBLEMS_REPORTED;
    }

    /** The banner, the usage line and the folder: OK when it is one, else the status to end with. */
    private static int checkFolder(Arguments arguments, PrintStream out) {
        out.println("Quom's files renamer");
        StringBuilder options = new StringBuilder();
        for (String option : Arguments.OPTIONS) {
            options.append('[').append(option).append("] ");
        }
        out.println("Usage: dovatrik " + options + "<music folder> | dovatrik " + Arguments.VERSION + ". Tidies every"
                + " album folder in it: tracks, playlist, checksums, covers, info; " + Arguments.DRY_RUN
                + " only shows what would change.");
        if (arguments.musicFolder == null) {
            out.println("Please specify directory to work with");
            return NO_ARGUMENT;
        }
        File directory = new File(arguments.musicFolder);
        out.println("Directory: " + directory.getPath());
        if (!directory.isDirectory()) {
            out.println("Don't fool me - this is not a directory");
            return NOT_A_DIRECTORY;
        }
        return OK;
    }

    /** A run of the chain over the album folders of the music folder that the arguments name. */
    static int run(String[] args, PrintStream out, Diagnostics diagnostics, Disk disk, List<Step> chain,
            Progress progress) {
        return run(Arguments.of(args), out, diagnostics, disk, chain, progress);
    }

    private static int run(Arguments arguments, PrintStream out, Diagnostics diagnostics, Disk disk, List<Step> chain,
            Progress progress) {
        int status = checkFolder(arguments, out);
        if (status != OK) {
            return status;
        }
        File directory = new File(arguments.musicFolder);
        List<File> albums = arguments.recursive ? AlbumsBelow.of(directory, disk, diagnostics, progress)
                : AlbumFolders.of(directory, disk, diagnostics);
        if (!arguments.recursive && TracksOnlyBelow.in(albums)) {
            out.println("No album folder here holds an MP3 track, but folders below them do: for Artist" + File.separator
                    + "Album folders, run: dovatrik " + Arguments.RECURSIVE + " \"" + directory.getPath() + "\"");
            return TRACKS_ONLY_BELOW;
        }
        out.println(albums);
        // Read before this run makes its own journal.
        AlbumStart start = new AlbumStart(disk, diagnostics, InterruptedRenames.of(directory));
        for (int i = 0; i < albums.size(); i++) {
            File album = albums.get(i);
            progress.album(i + 1, albums.size(), directory.toPath().relativize(album.toPath()).toString());
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
