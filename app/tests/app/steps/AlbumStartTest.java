package app.steps;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import app.CapturedStream;
import app.Diagnostics;
import app.disk.Disk;
import app.disk.ForwardingDisk;
import app.disk.RealDisk;
import app.journal.InterruptedRenames;
import app.rename.SpareName;
import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.util.Arrays;
import java.util.List;
import java.util.Set;
import java.util.TreeSet;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.ValueSource;

class AlbumStartTest {
    private static final String SPARE = ".renaming-0f8fad5b-d9cb-469f-a165-70867728950e";

    @TempDir
    File album;
    private final CapturedStream err = new CapturedStream();
    private final Diagnostics diagnostics = new Diagnostics(err.stream);

    private boolean open() {
        return new AlbumStart(new RealDisk(diagnostics), diagnostics, InterruptedRenames.NONE).open(album);
    }

    private Set<String> names() {
        return new TreeSet<>(Arrays.asList(album.list()));
    }

    private void record(String oldName, String newName) throws IOException {
        TestTracks.write(album, SPARE + ".name", SpareName.record(oldName, newName));
    }

    @Test
    void anEntryUnderASpareNameGetsItsOldNameBackAndTheRecordGoes() throws IOException {
        TestTracks.write(album, SPARE, "x".getBytes());
        record("Track One.mp3", "track one.mp3");
        assertTrue(open());
        assertEquals(Set.of("Track One.mp3"), names());
        assertEquals("", err.text());
    }

    @Test
    void aLinkUnderASpareNameIsNeverTakenForASecondNameOfTheFileItPointsAt() throws IOException {
        // A symbolic link went through the spare name; meanwhile a file took its old name.
        TestTracks.write(album, "Track One.mp3", "kept".getBytes());
        Files.createSymbolicLink(new File(album, SPARE).toPath(), new File(album, "Track One.mp3").toPath());
        record("Track One.mp3", "track one.mp3");
        assertTrue(open());
        assertTrue(Files.isSymbolicLink(new File(album, SPARE).toPath()), "the link keeps its only name");
        assertEquals("kept", new String(Files.readAllBytes(new File(album, "Track One.mp3").toPath())));
        assertTrue(err.text().contains("Cannot give " + new File(album, SPARE) + " back its name Track One.mp3"),
                err.text());
    }

    @Test
    void aRecordWithoutItsSpareGoesWithoutAWord() throws IOException {
        TestTracks.write(album, "Track One.mp3", "x".getBytes());
        record("Track One.mp3", "track one.mp3");
        assertTrue(open());
        assertEquals(Set.of("Track One.mp3"), names());
        assertEquals("", err.text());
    }

    @Test
    void aSpareThatCannotTakeItsNameBackIsReportedRunAfterRun() throws IOException {
        TestTracks.write(album, SPARE, "x".getBytes());
        TestTracks.write(album, "Track One.mp3", "another".getBytes());
        record("Track One.mp3", "track one.mp3");
        File unknown = TestTracks.write(album, ".renaming-9b2c1f00-0000-4000-8000-000000000001", "y".getBytes());
        List<String> expected = List.of("Cannot give " + new File(album, SPARE) + " back its name Track One.mp3:"
                + " another entry holds it, so it keeps the spare name", unknown + " is an entry that an interrupted"
                + " run left under a spare name; its old name is not known, so it keeps that name");
        for (int run = 1; run <= 2; run++) {
            assertTrue(open());
            assertEquals(new TreeSet<>(expected), new TreeSet<>(err.lines().subList(2 * run - 2, 2 * run)));
        }
        assertEquals(Set.of(SPARE, SPARE + ".name", "Track One.mp3", unknown.getName()), names());
        assertEquals("another", new String(Files.readAllBytes(new File(album, "Track One.mp3").toPath())));
    }

    @ParameterizedTest
    @ValueSource(strings = {"../escaped.mp3", "..", ".", "sub/track.mp3", "", SPARE, SPARE + ".name"})
    void aRecordThatNamesAnythingButAnEntryOfItsFolderIsReportedAndTheSpareStays(String oldName)
            throws IOException {
        // A record that came with the album: it must not move the entry out of the album's folder.
        File nested = new File(album, "Album");
        assertTrue(nested.mkdir());
        TestTracks.write(nested, SPARE, "x".getBytes());
        TestTracks.write(nested, SPARE + ".name", SpareName.record(oldName, "track one.mp3"));
        assertTrue(new AlbumStart(new RealDisk(diagnostics), diagnostics, InterruptedRenames.NONE).open(nested));
        assertEquals(Set.of(SPARE, SPARE + ".name"), new TreeSet<>(Arrays.asList(nested.list())));
        assertEquals(Set.of("Album"), names());
        assertEquals(List.of("Cannot give " + new File(nested, SPARE) + " back its old name: its record " + SPARE
                + ".name cannot be read or names no entry of its folder, so it keeps the spare name"), err.lines());
    }

    @Test
    void aRecordNamingTheSpareInAnotherSpellingLeavesTheSpareItsOnlyName() throws IOException {
        // On NTFS any letter case (or a short name) leads to the spare itself: it is no second name
        // of the entry, though the system says the two are the same entry.
        TestTracks.write(album, SPARE, "x".getBytes());
        record(SPARE.toUpperCase(), "track one.mp3");
        Disk caseBlind = new ForwardingDisk(new RealDisk(diagnostics)) {
            @Override
            public boolean sameEntry(File one, File other) {
                return one.getName().equalsIgnoreCase(other.getName()) || super.sameEntry(one, other);
            }
        };
        assertTrue(new AlbumStart(caseBlind, diagnostics, InterruptedRenames.NONE).open(album));
        // Renamed to that spelling here, where it is a name of its own: the entry is not deleted.
        assertEquals(Set.of(SPARE.toUpperCase()), names());
        assertEquals("x", new String(Files.readAllBytes(new File(album, SPARE.toUpperCase()).toPath())));
    }

    @Test
    void namesLikeSpareNamesThatAreNoneAreLeftAlone() throws IOException {
        TestTracks.write(album, ".renaming-notes.txt", "x".getBytes());
        TestTracks.write(album, ".renaming-0f8fad5b.name", "x".getBytes());
        assertTrue(open());
        assertEquals(Set.of(".renaming-notes.txt", ".renaming-0f8fad5b.name"), names());
        assertEquals("", err.text());
    }
}
