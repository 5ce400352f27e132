package app.steps;

import app.Diagnostics;
import app.disk.Disk;
import app.journal.InterruptedRenames;
import app.rename.RenameOutcome;
import app.rename.SpareName;
import app.report.Refusal;
import java.io.File;
import java.io.IOException;
import java.util.HashSet;
import java.util.List;
import java.util.Set;

/**
 * What is done with an album folder before its steps run. A folder whose entries cannot be
 * listed is reported and passed over: every step would find it empty, and the list steps would
 * replace its lists with empty ones. An entry that a killed run left under a spare name gets its
 * old name back, before any step lists the folder; one that cannot is reported, run after run.
 * A rename that a killed run left between its two steps, the file under its old name and its new
 * one, is finished: the old name goes, so that the steps find the file once, under its new name.
 */
public final class AlbumStart {
    private final Disk disk;
    private final Diagnostics diagnostics;
    private final InterruptedRenames interrupted;

    public AlbumStart(Disk disk, Diagnostics diagnostics, InterruptedRenames interrupted) {
        this.disk = disk;
        this.diagnostics = diagnostics;
        this.interrupted = interrupted;
    }

    /** Whether the album's steps may run. */
    public boolean open(File album) {
        List<File> found;
        try {
            found = disk.listing(album, entry -> SpareName.isSpare(entry.getName()) || SpareName.isRecord(entry.getName()));
        } catch (IOException e) {
            diagnostics.report("Cannot list the entries of " + album + ", so it is passed over: " + Refusal.reason(e));
            return false;
        }
        Set<String> names = new HashSet<>();
        for (File entry : found) {
            names.add(entry.getName());
        }
        for (File entry : found) {
            String name = entry.getName();
            if (SpareName.isRecord(name)) {
                if (!names.contains(SpareName.spareOf(name))) {
                    // The rename was done, or had not begun: the record is all that is left of it.
                    disk.delete(entry);
                }
            } else {
                File record = SpareName.recordOf(entry.toPath()).toFile();
                if (names.contains(record.getName())) {
                    putBack(entry, record);
                } else {
                    diagnostics.report(entry + " is an entry that an interrupted run left under a spare name;"
                            + " its old name is not known, so it keeps that name");
                }
            }
        }
        finishInterruptedRenames(album);
        return true;
    }

    /** Where both names are listed and lead to one file: a rename that only a kill kept from its end. */
    private void finishInterruptedRenames(File album) {
        for (File[] names : interrupted.in(album)) {
            File oldName = new File(album, names[0].getName());
            File newName = new File(album, names[1].getName());
            if (isSecondName(oldName, newName) && isSecondName(newName, oldName)) {
                disk.finishRename(oldName, newName);
            }
        }
    }

    private void putBack(File spare, File record) {
        String[] names;
        try {
            names = SpareName.names(disk.readSmallFile(record));
        } catch (IOException e) {
            names = null;
        }
        if (names == null) {
            diagnostics.report("Cannot give " + spare + " back its old name: its record " + record.getName()
                    + " cannot be read or names no entry of its folder, so it keeps the spare name");
            return;
        }
        File oldName = new File(spare.getParentFile(), names[0]);
        File newName = new File(spare.getParentFile(), names[1]);
        if (isSecondName(spare, oldName) || isSecondName(spare, newName)) {
            // Killed between giving the entry a name and taking another from it: it bears its own.
            disk.delete(spare);
        } else {
            RenameOutcome renamed = disk.rename(spare, oldName);
            if (renamed == RenameOutcome.NAME_TAKEN) {
                diagnostics.report("Cannot give " + spare + " back its name " + oldName.getName()
                        + ": another entry holds it, so it keeps the spare name");
            }
            if (renamed != RenameOutcome.RENAMED) {
                return;
            }
        }
        disk.delete(record);
    }

    /**
     * Whether the name is one of its own that the entry bears beside the spare: listed in the
     * folder, not merely another spelling of the spare's (NTFS takes any letter case, a short
     * name, a trailing dot), which would have the spare deleted as a second name.
     */
    private boolean isSecondName(File spare, File name) {
        return disk.sameEntry(spare, name)
                && !disk.entries(spare.getParentFile(), entry -> entry.getName().equals(name.getName())).isEmpty();
    }
}
