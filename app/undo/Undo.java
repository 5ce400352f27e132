package app.undo;

import app.journal.Change;
import app.journal.Deletion;
import app.journal.JournalFolder;
import app.journal.JournalReader;
import app.journal.JournalRun;
import app.journal.ListWrite;
import app.journal.Rename;
import app.report.Problems;
import app.report.Progress;
import app.report.Refusal;
import java.io.File;
import java.io.IOException;
import java.io.PrintStream;
import java.util.List;

/**
 * Takes back the newest run on a music folder that was not undone yet, from its journal, change by
 * change in reverse order, and marks the journal undone. Only what the run made is changed (see
 * UndoneRenames and UndoneLists); what cannot be undone is reported with its reason. Each change
 * is shown as a line in the plan's form: rename (new path, old name), delete (path) and restore
 * (path). Planned only, nothing changes and the journal stays as it is; each album folder is
 * then followed as the undo would leave it. An undo killed before it marked the journal is
 * finished by the next one, which passes over what the first gave back without a word.
 */
public final class Undo {
    private final PrintStream out;
    private final Problems problems;
    private final boolean planned;
    private final Progress progress;

    public Undo(PrintStream out, Problems problems, boolean planned, Progress progress) {
        this.out = out;
        this.problems = problems;
        this.planned = planned;
        this.progress = progress;
    }

    /** Undoes the newest run on the music folder, or says there is none to undo. */
    public void undo(File musicFolder) {
        String canonical;
        try {
            canonical = musicFolder.getCanonicalPath();
        } catch (IOException e) {
            problems.report("Cannot resolve the path of " + musicFolder + ": " + Refusal.reason(e));
            return;
        }
        for (File journal : JournalFolder.of(JournalFolder.location(), canonical)) {
            JournalRun run = read(journal);
            if (run != null && !run.isUndone()) {
                undo(journal, run);
                return;
            }
        }
        out.println("Nothing to undo in " + musicFolder.getPath());
    }

    private JournalRun read(File journal) {
        try {
            return JournalReader.read(journal);
        } catch (IOException e) {
            problems.report("Cannot read the journal " + journal + ", so its run is passed over: " + Refusal.reason(e));
            return null;
        }
    }

    private void undo(File journal, JournalRun run) {
        ListContents contents = new ListContents();
        if (planned) {
            takeBack(run.changes(), new PlannedUndoActions(out, problems, contents), contents);
            return;
        }
        RealUndoActions actions = new RealUndoActions(out, problems, journal);
        try {
            takeBack(run.changes(), actions, contents);
            actions.markUndone();
        } finally {
            actions.close();
        }
    }

    /** The run's changes, newest first, each album folder told as the progress of the undo. */
    private void takeBack(List<Change> changes, UndoActions actions, ListContents contents) {
        UndoneRenames renames = new UndoneRenames(actions, problems, changes);
        UndoneLists lists = new UndoneLists(actions, problems, contents, changes);
        int folderCount = folderCount(changes);
        int folderNumber = 0;
        String lastFolder = null;
        for (int i = changes.size() - 1; i >= 0; i--) {
            Change change = changes.get(i);
            String folder = change.path().getParent();
            if (!folder.equals(lastFolder)) {
                lastFolder = folder;
                progress.album(++folderNumber, folderCount, new File(folder).getName());
            }
            if (change.isFailed()) {
                continue;
            }
            if (change instanceof Rename) {
                renames.undo((Rename) change);
            } else if (change instanceof Deletion) {
                lists.undo((Deletion) change);
            } else if (change instanceof ListWrite) {
                lists.undo((ListWrite) change);
            }
        }
        progress.end();
    }

    /** How many times the changes move on to another folder, each visit of an album once. */
    private static int folderCount(List<Change> changes) {
        int count = 0;
        String last = null;
        for (Change change : changes) {
            String folder = change.path().getParent();
            if (!folder.equals(last)) {
                count++;
                last = folder;
            }
        }
        return count;
    }
}
