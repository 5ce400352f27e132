package app.undo;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import app.CapturedStream;
import app.Diagnostics;
import app.StateFolderProperty;
import app.disk.Disk;
import app.disk.RealDisk;
import app.journal.Change;
import app.journal.Deletion;
import app.journal.JournalFolder;
import app.journal.JournalFormat;
import app.journal.JournalMarks;
import app.journal.JournalReader;
import app.journal.JournalRun;
import app.journal.ListWrite;
import app.journal.Rename;
import app.journal.RenameStep;
import app.journal.RunJournal;
import app.rename.SpareName;
import app.report.Progress;
import java.io.File;
import java.io.IOException;
import java.io.Writer;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.StandardOpenOption;
import java.nio.file.attribute.BasicFileAttributes;
import java.nio.file.attribute.FileTime;
import java.util.List;
import java.util.Set;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.RegisterExtension;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.ValueSource;

/** Journals that runs killed at awkward moments leave, made by hand, and what the undo makes of them. */
class UndoTest {
    @TempDir
    File music;
    private final CapturedStream out = new CapturedStream();
    private final CapturedStream err = new CapturedStream();
    private final Diagnostics diagnostics = new Diagnostics(err.stream);
    @RegisterExtension
    final StateFolderProperty stateFolder = new StateFolderProperty();
    private File album;
    private RunJournal journal;

    @BeforeEach
    void setUp() {
        album = new File(music, "Album");
        assertTrue(album.mkdir());
        journal = new RunJournal(music, diagnostics);
    }

    private void undo() {
        journal.close();
        new Undo(out.stream, diagnostics, false, Progress.NONE).undo(music);
    }

    private File file(String name, String content) throws IOException {
        File file = new File(album, name);
        Files.write(file.toPath(), content.getBytes(StandardCharsets.UTF_8));
        return file;
    }

    private long renameIntent(File from, File to) throws IOException {
        BasicFileAttributes attributes = Files.readAttributes(from.toPath(), BasicFileAttributes.class);
        return journal.intent(album, new Rename(from, to, Long.toString(attributes.size()),
                JournalFormat.time(attributes.lastModifiedTime())));
    }

    @Test
    void aSecondNameLeftByARunKilledBetweenLinkAndRemovalGoes() throws IOException {
        File old = file("Track.mp3", "audio");
        File renamed = new File(album, "01-track.mp3");
        renameIntent(old, renamed);
        journal.confirm(journal.intent(null, RenameStep.between(RenameStep.Kind.LINK, old.getName(), renamed.getName())));
        Files.createLink(renamed.toPath(), old.toPath());
        journal.intent(null, RenameStep.of(RenameStep.Kind.UNLINK, old.getName()));

        undo();
        assertEquals("", err.text());
        assertEquals(List.of("rename\t" + renamed + "\tTrack.mp3"), out.lines());
        assertFalse(renamed.exists());
        assertEquals("audio", new String(Files.readAllBytes(old.toPath()), StandardCharsets.UTF_8));
    }

    @Test
    void anEntryLeftUnderASpareNameGetsItsOldNameAndTheRecordGoes() throws IOException {
        File old = file("Track.mp3", "audio");
        File target = new File(album, "track.mp3");
        SpareName spare = SpareName.beside(old.toPath());
        renameIntent(old, target);
        journal.confirm(journal.intent(null, RenameStep.of(RenameStep.Kind.RECORD, spare.record.getFileName().toString())));
        Files.write(spare.record, SpareName.record(old.getName(), target.getName()));
        journal.confirm(journal.intent(null, RenameStep.between(RenameStep.Kind.LINK, old.getName(), spare.spare.getFileName().toString())));
        Files.createLink(spare.spare, old.toPath());
        journal.confirm(journal.intent(null, RenameStep.of(RenameStep.Kind.UNLINK, old.getName())));
        Files.delete(old.toPath());

        undo();
        assertEquals("", err.text());
        assertEquals(List.of("rename\t" + spare.spare + "\tTrack.mp3"), out.lines());
        assertEquals(List.of("Track.mp3"), List.of(album.list()));
    }

    @Test
    void aListWhoseWriteWasNotConfirmedGoesAndTheDeletedOneComesBackWithItsTime() throws IOException {
        File list = file("00-album.m3u", "old list\n");
        Files.setLastModifiedTime(list.toPath(), java.nio.file.attribute.FileTime.fromMillis(1_000_000_000_000L));
        Disk disk = journal.over(new RealDisk(diagnostics));
        disk.delete(list);
        journal.intent(album, new ListWrite(list));
        file("00-album.m3u", "half a li");

        undo();
        assertEquals("", err.text());
        assertEquals(List.of("delete\t" + list, "restore\t" + list), out.lines());
        assertEquals("old list\n", new String(Files.readAllBytes(list.toPath()), StandardCharsets.UTF_8));
        assertEquals(1_000_000_000_000L, Files.getLastModifiedTime(list.toPath()).toMillis());
    }

    @Test
    void whatAnUndoKilledBeforeItsMarkGaveBackIsPassedOverByTheNextWithoutAWord() throws IOException {
        FileTime oldTime = FileTime.fromMillis(1_000_000_000_000L);
        File list = oldListRewrittenByTheRun(oldTime);
        File renamed = coverMovedByTheRun();
        journal.close();
        // What the killed undo gave back: the cover's name, and the old list in place of the new.
        Files.move(renamed.toPath(), new File(album, "a.jpg").toPath());
        oldListBroughtBack(list, oldTime);

        undoFindingAllGivenBack();
        assertEquals("old list\n", new String(Files.readAllBytes(list.toPath()), StandardCharsets.UTF_8));
        assertEquals(oldTime, Files.getLastModifiedTime(list.toPath()));
        assertEquals(Set.of("a.jpg", "00-album.m3u"), Set.of(album.list()));
        new Undo(out.stream, diagnostics, false, Progress.NONE).undo(music);
        assertEquals(List.of("Nothing to undo in " + music), out.lines());
    }

    @Test
    void anOldListThatWouldNotGoStaysThoughTheRefusalOfTheWriteAfterItWasLost() throws IOException {
        File list = file("00-album.m3u", "old list\n");
        File folder = new File(album, "00-album.sfv");
        assertTrue(new File(folder, "inside").mkdirs());
        for (File old : List.of(list, folder)) {
            BasicFileAttributes attributes = Files.readAttributes(old.toPath(), BasicFileAttributes.class);
            boolean isFolder = attributes.isDirectory();
            String modified = JournalFormat.time(attributes.lastModifiedTime());
            journal.failed(journal.intent(album, isFolder ? Deletion.of(old, Deletion.Kept.FOLDER, modified)
                    : Deletion.ofFile(old, modified, Files.readAllBytes(old.toPath()))));
            // Killed before the refusal of the write was in the journal.
            journal.intent(album, new ListWrite(old));
        }

        undo();
        assertEquals("", err.text());
        assertEquals(List.of(), out.lines());
        assertEquals("old list\n", new String(Files.readAllBytes(list.toPath()), StandardCharsets.UTF_8));
        assertTrue(new File(folder, "inside").isDirectory());
    }

    /** The note that an undo writes in the journal before it writes back each deleted list. */
    private void noteRestoringAsTheKilledUndoDid() throws IOException {
        File written = JournalFolder.location().listFiles()[0];
        try (JournalMarks marks = JournalMarks.open(written)) {
            for (Change change : JournalReader.read(written).changes()) {
                if (change instanceof Deletion) {
                    marks.restoring((Deletion) change);
                }
            }
        }
    }

    @Test
    void theUndoNotesInTheJournalEachListItBeginsToWriteBackAndAPlanNotesNone() throws IOException {
        oldListRewrittenByTheRun(FileTime.fromMillis(1_000_000_000_000L));
        journal.close();
        File written = JournalFolder.location().listFiles()[0];
        byte[] before = Files.readAllBytes(written.toPath());
        new Undo(out.stream, diagnostics, true, Progress.NONE).undo(music);
        assertArrayEquals(before, Files.readAllBytes(written.toPath()));

        undo();
        JournalRun run = JournalReader.read(written);
        assertTrue(run.isUndone());
        for (Change change : run.changes()) {
            assertEquals(change instanceof Deletion, change instanceof Deletion && ((Deletion) change).isRestoring(),
                    change.getClass().getSimpleName());
        }
    }

    @ParameterizedTest
    @ValueSource(strings = {"", "old l", "old list\n"})
    void aListThatAKilledUndoBroughtBackWithoutAllItsBytesOrItsTimeIsFinished(String broughtBack) throws IOException {
        FileTime oldTime = FileTime.fromMillis(1_000_000_000_000L);
        File list = oldListRewrittenByTheRun(oldTime);
        journal.close();
        // Killed while it wrote the old list back, or before it gave it its time.
        Files.delete(list.toPath());
        noteRestoringAsTheKilledUndoDid();
        file("00-album.m3u", broughtBack);

        new Undo(out.stream, diagnostics, false, Progress.NONE).undo(music);
        assertEquals("", err.text());
        assertEquals(List.of("restore\t" + list), out.lines());
        assertEquals("old list\n", new String(Files.readAllBytes(list.toPath()), StandardCharsets.UTF_8));
        assertEquals(oldTime, Files.getLastModifiedTime(list.toPath()));
    }

    /** The old list of the album's list, with a time of its own. */
    private File oldList(FileTime time) throws IOException {
        File list = file("00-album.m3u", "old list\n");
        Files.setLastModifiedTime(list.toPath(), time);
        return list;
    }

    /** A link to the album in the music folder, through which a run reaches it a second time. */
    private File linkToTheAlbum() throws IOException {
        File linked = new File(music, "Linked");
        Files.createSymbolicLink(linked.toPath(), album.toPath());
        return linked;
    }

    /** A deletion of the list, by that path, journaled as the run does one that the system refused. */
    private void journalRefusedDeletion(File list, File path) throws IOException {
        BasicFileAttributes attributes = Files.readAttributes(list.toPath(), BasicFileAttributes.class);
        journal.failed(journal.intent(album, Deletion.ofFile(path, JournalFormat.time(attributes.lastModifiedTime()),
                Files.readAllBytes(list.toPath()))));
    }

    /** What an undo killed before its mark gave back of the list: the old one, bytes and time. */
    private void oldListBroughtBack(File list, FileTime time) throws IOException {
        Files.delete(list.toPath());
        file(list.getName(), "old list\n");
        Files.setLastModifiedTime(list.toPath(), time);
    }

    /** An undo that finds everything given back already: no line, no report. */
    private void undoFindingAllGivenBack() {
        new Undo(out.stream, diagnostics, false, Progress.NONE).undo(music);
        assertEquals("", err.text());
        assertEquals(List.of(), out.lines());
    }

    /** The old list of the album's list, deleted by the run, which then wrote its own. */
    private File oldListRewrittenByTheRun(FileTime time) throws IOException {
        File list = oldList(time);
        Disk disk = journal.over(new RealDisk(diagnostics));
        disk.delete(list);
        try (Writer writer = disk.create(list)) {
            writer.write("new list\n");
        }
        return list;
    }

    private void expectTheOldList(File list, FileTime time) throws IOException {
        assertEquals("old list\n", new String(Files.readAllBytes(list.toPath()), StandardCharsets.UTF_8));
        assertEquals(time, Files.getLastModifiedTime(list.toPath()));
    }

    /** The planned undo shows these lines and changes nothing; the undo then shows them again. */
    private void expectThePlanAndThenTheUndo(List<String> lines) throws IOException {
        journal.close();
        byte[] before = Files.readAllBytes(new File(album, "00-album.m3u").toPath());
        new Undo(out.stream, diagnostics, true, Progress.NONE).undo(music);
        assertEquals("", err.text());
        assertEquals(lines, out.lines());
        assertArrayEquals(before, Files.readAllBytes(new File(album, "00-album.m3u").toPath()));
        undo();
        assertEquals("", err.text());
        assertEquals(lines, out.lines().subList(lines.size(), out.lines().size()));
    }

    @Test
    void anAlbumReachedTwiceThroughALinkToItIsUndoneVisitByVisit() throws IOException {
        File linked = linkToTheAlbum();
        FileTime oldTime = FileTime.fromMillis(1_000_000_000_000L);
        File list = oldList(oldTime);
        Disk disk = journal.over(new RealDisk(diagnostics));
        for (File visited : List.of(album, linked)) {
            disk.delete(new File(visited, list.getName()));
            try (Writer writer = disk.create(list)) {
                writer.write("list of " + visited.getName() + "\n");
            }
        }

        List<String> lines = List.of("delete\t" + list, "restore\t" + new File(linked, list.getName()),
                "delete\t" + list, "restore\t" + list);
        expectThePlanAndThenTheUndo(lines);
        expectTheOldList(list, oldTime);
    }

    @Test
    void anOldListThatWouldNotGoGetsItsBytesBackOverWhatTheRunWroteOnEachVisit() throws IOException {
        File linked = linkToTheAlbum();
        FileTime oldTime = FileTime.fromMillis(1_000_000_000_000L);
        File list = oldList(oldTime);
        for (File visited : List.of(album, linked)) {
            // As the run journals a deletion refused, then the list written over the old one.
            journalRefusedDeletion(list, new File(visited, list.getName()));
            try (Writer writer = journal.over(new RealDisk(diagnostics)).create(list)) {
                writer.write("list of " + visited.getName() + "\n");
            }
        }

        expectThePlanAndThenTheUndo(List.of("restore\t" + list, "restore\t" + list));
        expectTheOldList(list, oldTime);
    }

    @Test
    void anOldListWrittenOverIsLeftWhereTheUserChangedItSinceOrTheJournalKeptNotItsBytes() throws IOException {
        File list = oldList(FileTime.fromMillis(1_000_000_000_000L));
        File large = file("00-album.sfv", "a large list\n");
        for (File old : List.of(list, large)) {
            boolean kept = old == list;
            journal.failed(journal.intent(album, kept ? Deletion.ofFile(old, "1", Files.readAllBytes(old.toPath()))
                    : Deletion.of(old, Deletion.Kept.LARGE, "1")));
            try (Writer writer = journal.over(new RealDisk(diagnostics)).create(old)) {
                writer.write("the run's list\n");
            }
        }
        Files.write(list.toPath(), "edited by the user\n".getBytes(StandardCharsets.UTF_8));

        undo();
        assertEquals(Set.of("Cannot restore " + list + ", which the run wrote over: it has changed since the run,"
                + " so it stays", "Cannot restore " + large + ", which the run wrote over: it was larger than 1 MiB or"
                + " could not be read, so the journal kept not its bytes"), Set.copyOf(err.lines()));
        assertEquals("edited by the user\n", new String(Files.readAllBytes(list.toPath()), StandardCharsets.UTF_8));
        assertEquals("the run's list\n", new String(Files.readAllBytes(large.toPath()), StandardCharsets.UTF_8));
    }

    @Test
    void aFileTheUserLeftAtTheOldListsNameIsNotTakenForARestoreThatAKilledUndoBegan() throws IOException {
        File list = oldListRewrittenByTheRun(FileTime.fromMillis(1_000_000_000_000L));
        journal.close();
        // The user emptied the run's list: no undo began to write the old one there.
        Files.write(list.toPath(), new byte[0]);

        undo();
        assertEquals(List.of("Cannot delete " + list + ", the list the run wrote: it has changed since the run, so it"
                + " stays", "Cannot restore " + list + ", which the run deleted: another entry holds its name"),
                err.lines());
        assertEquals(0, Files.size(list.toPath()));
    }

    @Test
    void anOldListWrittenOverThatAKilledUndoBeganToWriteBackIsFinished() throws IOException {
        FileTime oldTime = FileTime.fromMillis(1_000_000_000_000L);
        File list = oldList(oldTime);
        journalRefusedDeletion(list, list);
        try (Writer writer = journal.over(new RealDisk(diagnostics)).create(list)) {
            writer.write("the run's list\n");
        }
        journal.close();
        noteRestoringAsTheKilledUndoDid();
        Files.write(list.toPath(), "old l".getBytes(StandardCharsets.UTF_8));

        undo();
        assertEquals("", err.text());
        assertEquals(List.of("restore\t" + list), out.lines());
        expectTheOldList(list, oldTime);
    }

    /** A cover moved to its new name, the move journaled and confirmed; gives the new name. */
    private File coverMovedByTheRun() throws IOException {
        File old = file("a.jpg", "image");
        File renamed = new File(album, "00-album-a.jpg");
        renameIntent(old, renamed);
        journal.confirm(journal.intent(null, RenameStep.between(RenameStep.Kind.MOVE, old.getName(), renamed.getName())));
        Files.move(old.toPath(), renamed.toPath());
        return renamed;
    }

    /** The undo gives the cover its name back and marks the journal, so a second finds nothing. */
    private void expectTheCoverBackAndNothingMoreToUndo(File renamed) {
        new Undo(out.stream, diagnostics, false, Progress.NONE).undo(music);
        assertEquals("", err.text());
        assertEquals(List.of("rename\t" + renamed + "\ta.jpg"), out.lines());
        assertTrue(new File(album, "a.jpg").isFile());
        new Undo(out.stream, diagnostics, false, Progress.NONE).undo(music);
        assertEquals("Nothing to undo in " + music, out.lines().get(1));
    }

    @Test
    void aJournalCutShortIsUndoneAsFarAsItGoesAndThenMarkedUndone() throws IOException {
        File renamed = coverMovedByTheRun();
        journal.close();
        File written = JournalFolder.location().listFiles()[0];
        String cut = RunJournal.line(new Rename(new File("/x"), new File("/y"), "1", ""), 9);
        Files.write(written.toPath(), cut.substring(0, cut.length() / 2).getBytes(StandardCharsets.UTF_8),
                StandardOpenOption.APPEND);
        expectTheCoverBackAndNothingMoreToUndo(renamed);
    }

    @Test
    void aJournalLeftOpenByAKilledRunEndsInZerosThatTheUndoPassesOver() throws IOException {
        File renamed = coverMovedByTheRun();
        // Never closed, as by a killed run: the rest of the mapped stretch holds zeros.
        assertEquals(RunJournal.STRETCH, JournalFolder.location().listFiles()[0].length());
        expectTheCoverBackAndNothingMoreToUndo(renamed);
    }

    @Test
    void aClosedJournalEndsWithItsLastLine() throws IOException {
        journal.confirmWritten(journal.intent(album, new ListWrite(new File(album, "00-album.m3u"))), new byte[0]);
        journal.close();
        byte[] written = Files.readAllBytes(JournalFolder.location().listFiles()[0].toPath());
        assertEquals('\n', written[written.length - 1]);
        assertTrue(written.length < RunJournal.STRETCH);
    }

    @Test
    void aRenamedEntryThatChangedSinceKeepsItsNameAndIsReported() throws IOException {
        File old = file("a.jpg", "image");
        File renamed = new File(album, "00-album-a.jpg");
        long rename = renameIntent(old, renamed);
        journal.confirm(journal.intent(null, RenameStep.between(RenameStep.Kind.MOVE, old.getName(), renamed.getName())));
        Files.move(old.toPath(), renamed.toPath());
        journal.confirmRenamed(rename);
        Files.write(renamed.toPath(), "another image, larger".getBytes(StandardCharsets.UTF_8));

        undo();
        assertEquals(List.of("Cannot give " + renamed + " back its name a.jpg: it has changed since the run"
                + " (size or modification time)"), err.lines());
        assertTrue(renamed.isFile());
        assertFalse(old.exists());
    }

    /** A rename made by moving and confirmed, as the run journals it. */
    private void renamedByTheRun(File from, File to) throws IOException {
        long rename = renameIntent(from, to);
        journal.confirm(journal.intent(null, RenameStep.between(RenameStep.Kind.MOVE, from.getName(), to.getName())));
        Files.move(from.toPath(), to.toPath());
        journal.confirmRenamed(rename);
    }

    @Test
    void aChainOfRenamesGivenBackByAKilledUndoIsPassedOverWithoutAWord() throws IOException {
        File first = file("01-x.mp3", "first, longer");
        File second = file("02.mp3", "second");
        File firstRenamed = new File(album, "01-y.mp3");
        renamedByTheRun(first, firstRenamed);
        renamedByTheRun(second, first);
        journal.close();
        // What the killed undo gave back: both names, newest first.
        Files.move(first.toPath(), second.toPath());
        Files.move(firstRenamed.toPath(), first.toPath());

        undoFindingAllGivenBack();
        assertEquals(Set.of("01-x.mp3", "02.mp3"), Set.of(album.list()));
    }

    @Test
    void aCopyAtTheOldNameDoesNotHideThatTheRenamedEntryChangedSince() throws IOException {
        File old = file("a.jpg", "image");
        File renamed = new File(album, "00-album-a.jpg");
        Path copy = new File(music, "copy.jpg").toPath();
        Files.copy(old.toPath(), copy);
        Files.setLastModifiedTime(copy, Files.getLastModifiedTime(old.toPath()));
        renamedByTheRun(old, renamed);
        Files.write(renamed.toPath(), "another image, larger".getBytes(StandardCharsets.UTF_8));
        // A backup put back with its times, as the run found the entry.
        Files.move(copy, old.toPath());

        undo();
        assertEquals(List.of("Cannot give " + renamed + " back its name a.jpg: it has changed since the run"
                + " (size or modification time)"), err.lines());
        assertEquals(Set.of("a.jpg", "00-album-a.jpg"), Set.of(album.list()));
    }

    @Test
    void anOldListBroughtBackInAFolderThatTheJournalNamesTwoWaysIsPassedOver() throws IOException {
        // The run lists the album through the link, and writes its list in the canonical folder.
        File linked = linkToTheAlbum();
        File list = file("00-album.m3u", "old list\n");
        FileTime oldTime = FileTime.fromMillis(1_000_000_000_000L);
        Files.setLastModifiedTime(list.toPath(), oldTime);
        journal.over(new RealDisk(diagnostics)).delete(new File(linked, list.getName()));
        try (Writer writer = journal.over(new RealDisk(diagnostics)).create(list)) {
            writer.write("new list\n");
        }
        journal.close();
        // The killed undo deleted the new list and brought the old one back.
        oldListBroughtBack(list, oldTime);

        undoFindingAllGivenBack();
        assertEquals(oldTime, Files.getLastModifiedTime(list.toPath()));
    }

    /** Where the user put a folder with entries under the name of a list the run wrote, the plan foresees the refusal. */
    @Test
    void aFolderWithEntriesWhereTheRunWroteAListIsRefusedInThePlanAsInTheUndo() throws IOException {
        File list = new File(album, "00-album.m3u");
        // Killed before the write was confirmed: the undo deletes whatever bears the name.
        journal.intent(album, new ListWrite(list));
        assertTrue(new File(list, "inside").mkdirs());
        journal.close();

        new Undo(out.stream, diagnostics, true, Progress.NONE).undo(music);
        String planned = err.text();
        assertEquals(List.of(), out.lines());
        undo();
        assertEquals(List.of(), out.lines());
        assertEquals(List.of("Cannot delete " + list + ": DirectoryNotEmptyException"), List.of(planned.split(System.lineSeparator())));
        assertEquals(planned + planned, err.text());
        assertTrue(new File(list, "inside").isDirectory());
    }
}
