package app.undo;

import app.disk.PlannedFolder;
import app.disk.RealDisk;
import app.journal.Change;
import app.journal.Rename;
import app.journal.RenameStep;
import app.rename.RenameOutcome;
import app.rename.SpareName;
import app.report.Problems;
import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.LinkOption;
import java.nio.file.Path;
import java.nio.file.attribute.BasicFileAttributes;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Collections;
import java.util.HashMap;
import java.util.LinkedHashSet;
import java.util.List;
import java.util.Map;
import java.util.Set;

/**
 * Gives renamed entries their old names back. A name goes back only to the entry that took it,
 * still as the run left it (same size and modification time), and only where the old name is
 * free. The entry may be under its new name, under a spare name, or under its old name still,
 * maybe with a second name that the run gave it and had not taken away again.
 */
final class UndoneRenames {
    private final UndoActions actions;
    private final Problems problems;
    /** The run's renames by the old path, as journaled. */
    private final Map<File, Rename> byOldPath = new HashMap<>();

    UndoneRenames(UndoActions actions, Problems problems, List<Change> changes) {
        this.actions = actions;
        this.problems = problems;
        for (Change change : changes) {
            if (change instanceof Rename) {
                byOldPath.put(((Rename) change).oldPath, (Rename) change);
            }
        }
    }

    /** The names that a rename's steps gave the entry, newest first, and the record of a spare name. */
    private static final class MadeNames {
        final List<File> newestFirst;
        final File record;
        /** A step that gave a name was confirmed. */
        final boolean confirmed;

        MadeNames(Rename rename) {
            File folder = rename.oldPath.getParentFile();
            Set<File> made = new LinkedHashSet<>();
            File recordMade = null;
            boolean anyConfirmed = false;
            for (RenameStep step : rename.steps()) {
                if (step.isFailed()) {
                    continue;
                }
                if (step.kind == RenameStep.Kind.MOVE || step.kind == RenameStep.Kind.LINK) {
                    made.add(new File(folder, step.name));
                    anyConfirmed |= step.isConfirmed();
                } else if (step.kind == RenameStep.Kind.RECORD) {
                    recordMade = new File(folder, step.name);
                }
            }
            made.remove(rename.oldPath);
            newestFirst = new ArrayList<>(made);
            Collections.reverse(newestFirst);
            record = recordMade;
            confirmed = anyConfirmed;
        }
    }

    void undo(Rename rename) {
        MadeNames made = new MadeNames(rename);
        PlannedFolder.Entry atOld = actions.exact(rename.oldPath);
        if (atOld != null) {
            undoAtOldName(rename, atOld, made);
        } else {
            undoUnderMadeName(rename, made);
        }
        if (made.record != null) {
            removeRecordOfSpare(made.record, rename);
        }
    }

    /** The entry bears its old name: a second name that the run gave it goes. */
    private void undoAtOldName(Rename rename, PlannedFolder.Entry atOld, MadeNames made) {
        boolean removed = false;
        for (File name : made.newestFirst) {
            PlannedFolder.Entry second = actions.exact(name);
            if (second != null && second != atOld && sameFile(atOld, second) && actions.removeName(name, second)) {
                removed = true;
                if (name.equals(rename.newPath)) {
                    actions.show("rename", rename.newPath, rename.oldPath.getName());
                }
            }
        }
        if (!removed && rename.isRenamed() && !made.newestFirst.isEmpty()) {
            PlannedFolder.Entry atNew = actions.exact(rename.newPath);
            if (!isGivenBack(rename, atOld, atNew)) {
                cannotRename(rename.newPath, rename.oldPath, atNew == null ? "it is gone"
                        : isAsRenamed(atNew, rename) ? "another entry holds that name"
                        : "it has changed since the run (size or modification time)");
            }
        }
    }

    /** The entry bears a name that the run gave it: it goes back to its old name, where that is free. */
    private void undoUnderMadeName(Rename rename, MadeNames made) {
        File at = null;
        PlannedFolder.Entry entry = null;
        for (File name : made.newestFirst) {
            PlannedFolder.Entry candidate = actions.exact(name);
            if (candidate == null || !isAsRenamed(candidate, rename)) {
                continue;
            }
            if (entry == null) {
                at = name;
                entry = candidate;
            } else if (sameFile(entry, candidate)) {
                // Killed between the two names of a step through a spare name: the spare goes.
                boolean candidateIsSpare = SpareName.isSpare(name.getName());
                if (actions.removeName(candidateIsSpare ? name : at, candidateIsSpare ? candidate : entry) && !candidateIsSpare) {
                    at = name;
                    entry = candidate;
                }
            }
        }
        if (entry != null) {
            moveBack(at, entry, rename.oldPath);
        } else if (rename.isRenamed() || made.confirmed) {
            PlannedFolder.Entry atNew = actions.exact(rename.newPath);
            cannotRename(rename.newPath, rename.oldPath, atNew == null ? "it is gone"
                    : "it has changed since the run (size or modification time)");
        }
    }

    private void moveBack(File at, PlannedFolder.Entry entry, File oldName) {
        PlannedFolder.Entry holder = actions.folder(oldName.getParentFile()).find(oldName.getName());
        // Compared by name: a real undo reads the folder afresh after each change.
        RenameOutcome outcome = holder != null && !holder.name().equals(at.getName()) ? RenameOutcome.NAME_TAKEN
                : actions.rename(at, entry, oldName);
        if (outcome == RenameOutcome.NAME_TAKEN) {
            cannotRename(at, oldName, "another entry holds that name");
        } else if (outcome == RenameOutcome.RENAMED) {
            actions.show("rename", at, oldName.getName());
        }
    }

    /**
     * Whether an undo killed before it marked the journal gave the entry its old name back
     * already: it is there as the run found it, and the new name is free, or held by the entry
     * that another rename of the run took it from, given back as well.
     */
    private boolean isGivenBack(Rename rename, PlannedFolder.Entry atOld, PlannedFolder.Entry atNew) {
        if (!isAsRenamed(atOld, rename)) {
            return false;
        }
        if (atNew == null) {
            return true;
        }
        Rename other = byOldPath.get(rename.newPath);
        return other != null && other != rename && isAsRenamed(atNew, other);
    }

    /** The record beside a spare name goes once no entry bears the spare name any more. */
    private void removeRecordOfSpare(File record, Rename rename) {
        PlannedFolder.Entry entry = actions.exact(record);
        File spare = new File(record.getParentFile(), SpareName.spareOf(record.getName()));
        if (entry == null || entry.original() == null || actions.exact(spare) != null) {
            return;
        }
        try {
            if (Arrays.equals(RealDisk.readSmall(entry.original()),
                    SpareName.record(rename.oldPath.getName(), rename.newPath.getName()))) {
                actions.removeName(record, entry);
            }
        } catch (IOException | InvalidPathException e) {
            // Not the run's record as it left it: it stays.
        }
    }

    private void cannotRename(File at, File oldName, String reason) {
        problems.report("Cannot give " + at + " back its name " + oldName.getName() + ": " + reason);
    }

    /** Still the entry the run renamed: the same size and modification time as before the rename. */
    private static boolean isAsRenamed(PlannedFolder.Entry entry, Rename rename) {
        if (entry.original() == null) {
            return false;
        }
        try {
            Path path = entry.original().toPath();
            BasicFileAttributes attributes = Files.readAttributes(path, BasicFileAttributes.class, LinkOption.NOFOLLOW_LINKS);
            // A listing gives a symbolic link its target's size and time, and the run journals those.
            return rename.isAsFound(attributes)
                    || attributes.isSymbolicLink() && rename.isAsFound(Files.readAttributes(path, BasicFileAttributes.class));
        } catch (IOException | InvalidPathException e) {
            return false;
        }
    }

    private static boolean sameFile(PlannedFolder.Entry one, PlannedFolder.Entry other) {
        return one.original() != null && other.original() != null && RealDisk.isSameEntry(one.original(), other.original());
    }
}
