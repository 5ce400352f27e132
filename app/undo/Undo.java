package app.undo;

import app.disk.PlanLine;
import app.disk.PlannedFolder;
import app.disk.RealDisk;
import app.journal.JournalFolder;
import app.journal.JournalMarks;
import app.journal.JournalReader;
import app.journal.JournalingDisk;
import app.rename.ExclusiveRename;
import app.rename.RenameCalls;
import app.rename.RenameOutcome;
import app.rename.SpareName;
import app.report.Problems;
import app.report.Progress;
import app.report.Refusal;
import java.io.File;
import java.io.IOException;
import java.io.PrintStream;
import java.nio.channels.FileChannel;
import java.nio.file.AccessDeniedException;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.LinkOption;
import java.nio.file.OpenOption;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.StandardOpenOption;
import java.nio.file.attribute.BasicFileAttributes;
import java.nio.file.attribute.FileTime;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Base64;
import java.util.Collections;
import java.util.HashMap;
import java.util.IdentityHashMap;
import java.util.LinkedHashSet;
import java.util.List;
import java.util.Map;
import java.util.Set;
import java.util.concurrent.TimeUnit;

/**
 * Takes back the newest run on a music folder that was not undone yet, from its journal, change by
 * change in reverse order, and marks the journal undone. Only what the run made is changed: a
 * name goes back only to the entry that took it, still as the run left it (same size and
 * modification time), and only where the old name is free; a list the run wrote goes only while
 * it holds what the run wrote. What cannot be undone is reported with its reason. Each change
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
    private File currentPath;
    private PlannedFolder current;
    private final Map<File, PlannedFolder> plannedFolders = new HashMap<>();
    /** The run's renames by the old path, as journaled. */
    private final Map<String, JournalReader.Change> renamesByOldPath = new HashMap<>();
    /**
     * For each list the run wrote, its deletion of what bore the name before, in the same visit of
     * the album or an earlier one: the run may reach an album twice, through a link to it.
     */
    private final Map<JournalReader.Change, JournalReader.Change> deletionBeforeWrite = new IdentityHashMap<>();
    private final Map<String, String> canonicalFolders = new HashMap<>();
    private final ListContents contents = new ListContents();
    /** Where a real undo notes what it does in the run's journal; null when it cannot. */
    private JournalMarks marks;

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
            JournalReader.Run run;
            try {
                run = JournalReader.read(journal);
            } catch (IOException e) {
                problems.report("Cannot read the journal " + journal + ", so its run is passed over: "
                        + Refusal.reason(e));
                continue;
            }
            if (!run.undone) {
                if (!planned) {
                    try {
                        marks = JournalMarks.open(journal);
                    } catch (IOException e) {
                        // Undone without notes: marking it undone at the end tells why not.
                    }
                }
                try {
                    undo(run);
                    if (!planned) {
                        markUndone(journal);
                    }
                } finally {
                    closeMarks();
                }
                return;
            }
        }
        out.println("Nothing to undo in " + musicFolder.getPath());
    }

    private void undo(JournalReader.Run run) {
        List<String> folders = new ArrayList<>();
        Map<String, JournalReader.Change> lastDeletionAt = new HashMap<>();
        for (JournalReader.Change change : run.changes) {
            String folder = new File(change.fields[0]).getParent();
            if (folders.isEmpty() || !folders.get(folders.size() - 1).equals(folder)) {
                folders.add(folder);
            }
            if (change.kind.equals("rename") && change.fields.length == 4) {
                renamesByOldPath.put(change.fields[0], change);
            } else if (change.kind.equals("delete") && change.fields.length == 4) {
                lastDeletionAt.put(location(new File(change.fields[0])), change);
            } else if (change.kind.equals("write") && change.fields.length == 1) {
                deletionBeforeWrite.put(change, lastDeletionAt.get(location(new File(change.fields[0]))));
            }
        }
        int folderNumber = 0;
        String lastFolder = null;
        for (int i = run.changes.size() - 1; i >= 0; i--) {
            JournalReader.Change change = run.changes.get(i);
            String folder = new File(change.fields[0]).getParent();
            if (!folder.equals(lastFolder)) {
                lastFolder = folder;
                progress.album(++folderNumber, folders.size(), new File(folder).getName());
            }
            if (change.failed) {
                continue;
            }
            if (change.kind.equals("rename") && change.fields.length == 4) {
                undoRename(change);
            } else if (change.kind.equals("delete") && change.fields.length == 4) {
                undoDeletion(change);
            } else if (change.kind.equals("write") && change.fields.length == 1) {
                undoWrite(change);
            }
        }
        progress.end();
    }

    /**
     * Where a renamed entry is now: under its new name, under a spare name, or under its old
     * name still, maybe with a second name that the run gave it and had not taken away again.
     */
    private void undoRename(JournalReader.Change rename) {
        File oldName = new File(rename.fields[0]);
        File newName = new File(rename.fields[1]);
        boolean renamed = rename.confirmed != null && rename.confirmed.length == 1
                && rename.confirmed[0].equals("renamed");
        Set<File> made = new LinkedHashSet<>();
        File record = null;
        boolean stepMade = false;
        for (JournalReader.Change step : rename.steps) {
            if (step.failed) {
                continue;
            }
            if ((step.kind.equals("move") || step.kind.equals("link")) && step.fields.length == 2) {
                made.add(new File(oldName.getParentFile(), step.fields[1]));
                stepMade |= step.confirmed != null;
            } else if (step.kind.equals("record") && step.fields.length == 1) {
                record = new File(oldName.getParentFile(), step.fields[0]);
            }
        }
        made.remove(oldName);
        List<File> madeNewestFirst = new ArrayList<>(made);
        Collections.reverse(madeNewestFirst);
        PlannedFolder.Entry atOld = exact(oldName);
        if (atOld != null) {
            boolean removed = false;
            for (File name : madeNewestFirst) {
                PlannedFolder.Entry second = exact(name);
                if (second != null && second != atOld && sameFile(atOld, second) && removeName(name, second)) {
                    removed = true;
                    if (name.equals(newName)) {
                        show("rename", newName.getPath(), oldName.getName());
                    }
                }
            }
            if (!removed && renamed && !made.isEmpty()) {
                PlannedFolder.Entry atNew = exact(newName);
                boolean atNewAsRenamed = atNew != null && isAsRenamed(atNew, rename);
                if (!isGivenBack(rename, atOld, atNew)) {
                    cannotRename(newName, oldName, atNew == null ? "it is gone"
                            : atNewAsRenamed ? "another entry holds that name"
                            : "it has changed since the run (size or modification time)");
                }
            }
        } else {
            File at = null;
            PlannedFolder.Entry entry = null;
            for (File name : madeNewestFirst) {
                PlannedFolder.Entry candidate = exact(name);
                if (candidate == null || !isAsRenamed(candidate, rename)) {
                    continue;
                }
                if (entry == null) {
                    at = name;
                    entry = candidate;
                } else if (sameFile(entry, candidate)) {
                    // Killed between the two names of a step through a spare name: the spare goes.
                    boolean candidateIsSpare = SpareName.isSpare(name.getName());
                    if (removeName(candidateIsSpare ? name : at, candidateIsSpare ? candidate : entry) && !candidateIsSpare) {
                        at = name;
                        entry = candidate;
                    }
                }
            }
            if (entry != null) {
                PlannedFolder.Entry holder = folder(oldName.getParentFile()).find(oldName.getName());
                // Compared by name: a real undo reads the folder afresh after each change.
                if (holder != null && !holder.name().equals(at.getName())) {
                    cannotRename(at, oldName, "another entry holds that name");
                } else {
                    moveBack(at, entry, oldName);
                }
            } else if (renamed || stepMade) {
                PlannedFolder.Entry atNew = exact(newName);
                cannotRename(newName, oldName, atNew == null ? "it is gone"
                        : "it has changed since the run (size or modification time)");
            }
        }
        if (record != null) {
            removeRecordOfSpare(record, oldName, newName);
        }
    }

    /** The record beside a spare name goes once no entry bears the spare name any more. */
    private void removeRecordOfSpare(File record, File oldName, File newName) {
        PlannedFolder.Entry entry = exact(record);
        File spare = new File(record.getParentFile(), SpareName.spareOf(record.getName()));
        if (entry == null || entry.original() == null || exact(spare) != null) {
            return;
        }
        try {
            if (Arrays.equals(RealDisk.readSmall(entry.original()), SpareName.record(oldName.getName(), newName.getName()))) {
                removeName(record, entry);
            }
        } catch (IOException | InvalidPathException e) {
            // Not the run's record as it left it: it stays.
        }
    }

    private void cannotRename(File at, File oldName, String reason) {
        problems.report("Cannot give " + at + " back its name " + oldName.getName() + ": " + reason);
    }

    private void moveBack(File at, PlannedFolder.Entry entry, File oldName) {
        if (planned) {
            PlannedFolder folder = folder(at.getParentFile());
            if (!folder.isWritable()) {
                Refusal.reportRename(at, oldName, new AccessDeniedException(at.getPath()), problems);
                return;
            }
            folder.rename(entry, oldName.getName());
        } else {
            RenameOutcome renamed = ExclusiveRename.rename(at, oldName, false, RenameCalls.SYSTEM, problems);
            forget();
            if (renamed == RenameOutcome.NAME_TAKEN) {
                cannotRename(at, oldName, "another entry holds that name");
            }
            if (renamed != RenameOutcome.RENAMED) {
                return;
            }
        }
        show("rename", at.getPath(), oldName.getName());
    }

    /**
     * Whether an undo killed before it marked the journal gave the entry its old name back
     * already: it is there as the run found it, and the new name is free, or held by the entry
     * that another rename of the run took it from, given back as well.
     */
    private boolean isGivenBack(JournalReader.Change rename, PlannedFolder.Entry atOld, PlannedFolder.Entry atNew) {
        if (!isAsRenamed(atOld, rename)) {
            return false;
        }
        if (atNew == null) {
            return true;
        }
        JournalReader.Change other = renamesByOldPath.get(rename.fields[1]);
        return other != null && other != rename && isAsRenamed(atNew, other);
    }

    /**
     * A list the run wrote goes while it holds what the run wrote; one not confirmed goes as well.
     * Where the old list of its name would not go, the run wrote over it: its bytes come back.
     */
    private void undoWrite(JournalReader.Change write) {
        File list = new File(write.fields[0]);
        // By the folder's rule for letter case: where it ignores case the run wrote over an old
        // list spelt otherwise, which keeps its spelling.
        PlannedFolder.Entry entry = folder(list.getParentFile()).find(list.getName());
        if (entry == null) {
            return;
        }
        JournalReader.Change deletion = deletionBeforeWrite.get(write);
        boolean overOldList = deletion != null && deletion.failed;
        if (deletion != null && contents.isAsDeletedWithTime(entry, deletion)) {
            // The old list of that name, as the run found it (the run could not write over it) or
            // as an undo killed before it marked the journal brought it back.
            return;
        }
        boolean confirmed = write.confirmed != null && write.confirmed.length == 2;
        boolean asWritten = confirmed && contents.holdsWhatWasWritten(entry, write.confirmed);
        if (confirmed && !asWritten && deletion != null && deletion.restoring && contents.holdsTheStartOf(entry, deletion)) {
            // The old list as far as an undo killed in the midst of bringing it back wrote it, or
            // without its time: the undo of the deletion finishes it.
            if (overOldList) {
                restoreInPlace(list, entry, deletion, "wrote over");
            }
            return;
        }
        if (confirmed && !asWritten) {
            String changed = "it has changed since the run, so it stays";
            if (overOldList) {
                cannotRestore(list, "wrote over", changed);
            } else {
                problems.report("Cannot delete " + list + ", the list the run wrote: " + changed);
            }
            return;
        }
        if (overOldList) {
            restoreInPlace(list, entry, deletion, "wrote over");
        } else if (removeName(list, entry)) {
            show("delete", list.getPath());
        }
    }

    /** The old list gets its bytes and time back over the entry of its name: what the run did (how it went) tells. */
    private void restoreInPlace(File list, PlannedFolder.Entry entry, JournalReader.Change deletion, String whatTheRunDid) {
        if (!deletion.fields[1].equals("file")) {
            cannotRestore(list, whatTheRunDid, "it was larger than " + (JournalingDisk.LARGEST_KEPT_LIST >> 20)
                    + " MiB or could not be read, so the journal kept not its bytes");
            return;
        }
        if (entry.original() != null && !Files.isRegularFile(entry.original().toPath(), LinkOption.NOFOLLOW_LINKS)) {
            // Never opened: a pipe there would hold the undo up, a device take the bytes.
            cannotRestore(list, whatTheRunDid, "another entry holds its name");
            return;
        }
        try {
            if (planned) {
                // Opened to write, not written: what the real undo would meet.
                if (entry.original() != null) {
                    FileChannel.open(entry.original().toPath(), StandardOpenOption.WRITE, LinkOption.NOFOLLOW_LINKS).close();
                }
                contents.plan(entry, deletion);
            } else {
                writeBack(list, deletion, StandardOpenOption.TRUNCATE_EXISTING, StandardOpenOption.WRITE,
                        LinkOption.NOFOLLOW_LINKS);
            }
        } catch (IOException | RuntimeException e) {
            cannotRestore(list, whatTheRunDid, e);
            return;
        } finally {
            if (!planned) {
                forget();
            }
        }
        show("restore", list.getPath());
    }

    private void cannotRestore(File list, String whatTheRunDid, Exception e) {
        cannotRestore(list, whatTheRunDid, e instanceof IOException ? Refusal.reason((IOException) e) : e.toString());
    }

    private void cannotRestore(File list, String whatTheRunDid, String reason) {
        problems.report("Cannot restore " + list + ", which the run " + whatTheRunDid + ": " + reason);
    }

    /** Writes the bytes and time that the journal kept of a deleted list, the note of it first. */
    private void writeBack(File list, JournalReader.Change deletion, OpenOption... options) throws IOException {
        noteRestoring(deletion);
        Files.write(list.toPath(), Base64.getDecoder().decode(deletion.fields[3]), options);
        Files.setLastModifiedTime(list.toPath(), FileTime.from(Long.parseLong(deletion.fields[2]), TimeUnit.NANOSECONDS));
    }

    /** Notes in the journal that the undo begins to write a list back, for a next undo should this one be killed. */
    private void noteRestoring(JournalReader.Change deletion) {
        if (marks == null) {
            return;
        }
        try {
            marks.add("restoring", deletion.number);
        } catch (IOException e) {
            // Without the note, a next undo reports a list that this one left half written as taken.
            closeMarks();
        }
    }

    /**
     * Where an entry is: its folder canonical, since the journal names a list's folder as listed
     * in one place and as canonical in another, and its name by the folder's rule for case.
     */
    private String location(File path) {
        String folder = path.getParent();
        String canonical = canonicalFolders.get(folder);
        if (canonical == null) {
            try {
                canonical = new File(folder).getCanonicalPath();
            } catch (IOException e) {
                canonical = new File(folder).getAbsolutePath();
            }
            canonicalFolders.put(folder, canonical);
        }
        return canonical + File.separator + folder(new File(canonical)).key(path.getName());
    }

    /** A list the run deleted comes back where its name is free. */
    private void undoDeletion(JournalReader.Change deletion) {
        File list = new File(deletion.fields[0]);
        String kind = deletion.fields[1];
        PlannedFolder.Entry holder = folder(list.getParentFile()).find(list.getName());
        if (holder != null) {
            boolean asDeleted = contents.isAsDeleted(holder, deletion);
            if (deletion.restoring && !contents.isAsDeletedWithTime(holder, deletion)
                    && contents.holdsTheStartOf(holder, deletion)) {
                // Brought back by an undo killed before it gave the list all its bytes, or its time.
                restoreInPlace(list, holder, deletion, "deleted");
            } else if (!asDeleted) {
                cannotRestore(list, "deleted", "another entry holds its name");
            }
            return;
        }
        if (!kind.equals("file") && !kind.equals("folder") && !kind.equals("symlink")) {
            cannotRestore(list, "deleted", "it was larger than " + (JournalingDisk.LARGEST_KEPT_LIST >> 20)
                    + " MiB or could not be read, so the journal kept not its bytes");
            return;
        }
        if (!planned) {
            try {
                if (kind.equals("folder")) {
                    Files.createDirectory(list.toPath());
                } else if (kind.equals("symlink")) {
                    Files.createSymbolicLink(list.toPath(), Paths.get(deletion.fields[3]));
                } else {
                    writeBack(list, deletion, StandardOpenOption.CREATE_NEW);
                }
            } catch (IOException | RuntimeException e) {
                cannotRestore(list, "deleted", e);
                forget();
                return;
            }
            forget();
        } else {
            PlannedFolder folder = folder(list.getParentFile());
            if (!folder.isWritable()) {
                cannotRestore(list, "deleted", new AccessDeniedException(list.getPath()));
                return;
            }
            folder.create(list.getName());
            contents.plan(folder.find(list.getName()), deletion);
        }
        show("restore", list.getPath());
    }

    /** Still the entry the run renamed: the same size and modification time as before the rename. */
    private static boolean isAsRenamed(PlannedFolder.Entry entry, JournalReader.Change rename) {
        if (entry.original() == null) {
            return false;
        }
        String size = rename.fields[2];
        String modified = rename.fields[3];
        for (JournalReader.Change step : rename.steps) {
            if (step.kind.equals("entry") && step.fields.length == 2) {
                size = step.fields[0];
                modified = step.fields[1];
                break;
            }
        }
        try {
            Path path = entry.original().toPath();
            BasicFileAttributes attributes = Files.readAttributes(path, BasicFileAttributes.class, LinkOption.NOFOLLOW_LINKS);
            if (hasSizeAndTime(attributes, size, modified)) {
                return true;
            }
            // A listing gives a symbolic link its target's size and time, and the run journals those.
            return attributes.isSymbolicLink()
                    && hasSizeAndTime(Files.readAttributes(path, BasicFileAttributes.class), size, modified);
        } catch (IOException | InvalidPathException e) {
            return false;
        }
    }

    private static boolean hasSizeAndTime(BasicFileAttributes attributes, String size, String modified) {
        return Long.toString(attributes.size()).equals(size)
                && JournalingDisk.nanos(attributes.lastModifiedTime()).equals(modified);
    }

    private static boolean sameFile(PlannedFolder.Entry one, PlannedFolder.Entry other) {
        return one.original() != null && other.original() != null && RealDisk.isSameEntry(one.original(), other.original());
    }

    /** Takes a name from the disk (or the plan); true when it went. */
    private boolean removeName(File name, PlannedFolder.Entry entry) {
        if (planned) {
            PlannedFolder folder = folder(name.getParentFile());
            if (!folder.isWritable()) {
                Refusal.reportDeletion(name, new AccessDeniedException(name.getPath()), problems);
                return false;
            }
            folder.remove(entry);
            return true;
        }
        try {
            Files.delete(name.toPath());
            return true;
        } catch (IOException | InvalidPathException e) {
            Refusal.reportDeletion(name, e, problems);
            return false;
        } finally {
            forget();
        }
    }

    /** The entry that bears exactly this name, letter case and all; null when none does. */
    private PlannedFolder.Entry exact(File path) {
        PlannedFolder.Entry entry = folder(path.getParentFile()).find(path.getName());
        return entry != null && entry.name().equals(path.getName()) ? entry : null;
    }

    /**
     * The folder as the undo has left it so far. A real undo reads it afresh after each change it
     * made; a planned one follows its plan in each folder as first read, also when it comes back
     * to a folder (an album reached twice, through a link).
     */
    private PlannedFolder folder(File directory) {
        File canonical;
        try {
            canonical = directory.getCanonicalFile();
        } catch (IOException e) {
            canonical = directory.getAbsoluteFile();
        }
        if (planned) {
            return plannedFolders.computeIfAbsent(canonical, PlannedFolder::read);
        }
        if (current == null || !canonical.equals(currentPath)) {
            current = PlannedFolder.read(canonical);
            currentPath = canonical;
        }
        return current;
    }

    private void forget() {
        current = null;
    }

    /**
     * One line in the plan's form. Its path loses the "." and ".." parts that a relative music
     * folder leaves in the journal (which keeps the absolute form of what the user typed).
     */
    private void show(String... fields) {
        String[] shown = fields.clone();
        shown[1] = Paths.get(shown[1]).normalize().toString();
        out.println(PlanLine.of(shown));
    }

    /** So that the next undo takes the run before. */
    private void markUndone(File journal) {
        try {
            if (marks == null) {
                marks = JournalMarks.open(journal);
            }
            marks.add("undone", Long.toString(System.currentTimeMillis()));
            marks.force();
        } catch (IOException e) {
            problems.report("Cannot mark the journal " + journal + " as undone, so the next undo takes this run"
                    + " again: " + Refusal.reason(e));
        }
    }

    private void closeMarks() {
        if (marks == null) {
            return;
        }
        try {
            marks.close();
        } catch (IOException e) {
            // Forced already where it had to be, or reported.
        }
        marks = null;
    }
}
