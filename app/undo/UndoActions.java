package app.undo;

import app.disk.PlanLine;
import app.disk.PlannedFolder;
import app.journal.Deletion;
import app.rename.RenameOutcome;
import java.io.File;
import java.io.IOException;
import java.io.PrintStream;
import java.nio.file.Paths;

/**
 * What an undo does to the disk, carried out or only planned: the one place where the two differ.
 * Each side follows the folders as the undo has left them so far, and each change that is made
 * (or would be) is shown as a line in the plan's form.
 */
abstract class UndoActions {
    private final PrintStream out;

    UndoActions(PrintStream out) {
        this.out = out;
    }

    /** The folder as the undo has left it so far. */
    abstract PlannedFolder folder(File directory);

    /** Takes the name from the entry; true when it went. A refusal is reported. */
    abstract boolean removeName(File name, PlannedFolder.Entry entry);

    /** Gives the entry that bears the name `at` its old name; a refusal is reported. */
    abstract RenameOutcome rename(File at, PlannedFolder.Entry entry, File oldName);

    /** Writes the bytes and time that the journal kept of a deleted list over the entry of its name. */
    abstract void writeOver(File list, PlannedFolder.Entry entry, Deletion deletion) throws IOException;

    /** Makes what the run deleted anew, where its name is free. */
    abstract void restore(File list, Deletion deletion) throws IOException;

    /** The entry that bears exactly this name, letter case and all; null when none does. */
    final PlannedFolder.Entry exact(File path) {
        PlannedFolder.Entry entry = folder(path.getParentFile()).find(path.getName());
        return entry != null && entry.name().equals(path.getName()) ? entry : null;
    }

    /**
     * One line in the plan's form. Its path loses the "." and ".." parts that a relative music
     * folder leaves in the journal (which keeps the absolute form of what the user typed).
     */
    final void show(String kind, File path, String... names) {
        String[] fields = new String[names.length + 2];
        fields[0] = kind;
        fields[1] = Paths.get(path.getPath()).normalize().toString();
        System.arraycopy(names, 0, fields, 2, names.length);
        out.println(PlanLine.of(fields));
    }

    static File canonical(File directory) {
        try {
            return directory.getCanonicalFile();
        } catch (IOException e) {
            return directory.getAbsoluteFile();
        }
    }
}
