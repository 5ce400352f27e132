package app.steps;

import static app.steps.TestTracks.tagged;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;
import static org.junit.jupiter.api.Assumptions.assumeTrue;

import app.CapturedStream;
import app.Context;
import app.Diagnostics;
import app.ExternalCommand;
import app.disk.RealDisk;
import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.Map;
import java.util.Set;
import java.util.TreeSet;
import org.junit.jupiter.api.Tag;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.ValueSource;

class Mp3FilesRenamerTest {
    @TempDir
    File album;
    private final CapturedStream err = new CapturedStream();
    private final Diagnostics diagnostics = new Diagnostics(err.stream);

    private List<File> run() {
        Context context = new Context();
        new Mp3FilesRenamer(new RealDisk(diagnostics), diagnostics).execute(album, context);
        return context.getFiles();
    }

    private Set<String> names() {
        return new TreeSet<>(Arrays.asList(album.list()));
    }

    /** The tracks in listing order, each replaced by where it should end up. */
    private List<File> inListingOrder(Map<String, String> newNames) {
        List<File> expected = new ArrayList<>();
        for (String name : album.list()) {
            if (newNames.containsKey(name)) {
                expected.add(new File(album, newNames.get(name)));
            }
        }
        return expected;
    }

    @Test
    void tracksTakeTheirTagNamesInListingOrderAndASecondRunChangesNothing() throws IOException {
        tagged(album, "Track 3.mp3", "3", "Some Band", "Song: Part 1");
        tagged(album, "B2 Whatever.MP3", "2", "X", "Y");
        tagged(album, "103 x.mp3", "3", "X", "Z");
        tagged(album, "no artist.mp3", "5", null, "Title");
        tagged(album, "slash.mp3", "6", "AC\\DC", "A/B");
        TestTracks.write(album, "untagged.mp3", TestTracks.AUDIO_FRAME);
        List<File> expected = inListingOrder(Map.of(
                "Track 3.mp3", "03-some_band-song__part_1.mp3",
                "B2 Whatever.MP3", "b2-x-y.mp3",
                "103 x.mp3", "103-x-z.mp3",
                "no artist.mp3", "05-null-title.mp3",
                "slash.mp3", "06-ac_dc-a_b.mp3"));

        assertEquals(expected, run());
        Set<String> renamed = names();
        assertEquals(Set.of("03-some_band-song__part_1.mp3", "b2-x-y.mp3", "103-x-z.mp3",
                "05-null-title.mp3", "06-ac_dc-a_b.mp3", "untagged.mp3"), renamed);
        assertEquals("", err.text());

        assertEquals(new TreeSet<>(expected), new TreeSet<>(run()));
        assertEquals(renamed, names());
    }

    @Test
    void tagErrorIsReportedAndOnlyThatTrackIsPassedOver() throws IOException {
        File broken = TestTracks.write(album, "broken.mp3", new byte[] {'I', 'D', '3', 9, 0, 0, 0, 0, 0, 10});
        tagged(album, "good.mp3", "1", "A", "B");
        File directory = new File(album, "folder.mp3");
        assertTrue(directory.mkdir());

        assertEquals(List.of(new File(album, "01-a-b.mp3")), run());
        assertEquals(Set.of("broken.mp3", "01-a-b.mp3", "folder.mp3"), names());
        assertTrue(directory.isDirectory());
        String diagnostics = err.text();
        assertTrue(diagnostics.contains("ID3Exception") && diagnostics.contains(broken.getPath()), diagnostics);
    }

    @Test
    void tracksWithoutAVersionTwoTagAreLeftAlone() throws Exception {
        File v1Only = TestTracks.write(album, "v1 only.mp3", TestTracks.AUDIO_FRAME);
        ExternalCommand.succeed(album, "id3v2", "-1", "-a", "Artist", "-t", "Title", "-T", "4", v1Only.getName());
        TestTracks.write(album, "empty.mp3", new byte[0]);

        assertEquals(List.of(), run());
        assertEquals(Set.of("v1 only.mp3", "empty.mp3"), names());
        assertEquals("", err.text());
    }

    @Test
    void tagsWrittenByOtherToolsAreRead() throws Exception {
        TestTracks.write(album, "mid3v2.mp3", TestTracks.AUDIO_FRAME);
        ExternalCommand.succeed(album, "mid3v2", "-a", "Éric Serra", "-t", "Le Grand Bleu", "-T", "3/12", "mid3v2.mp3");
        TestTracks.write(album, "eyed3.mp3", TestTracks.AUDIO_FRAME);
        ExternalCommand.succeed(album, "eyeD3", "--to-v2.3", "--encoding", "utf16", "-a", "Ünïcode Band",
                "-t", "Öde: Part 2", "-n", "7", "eyed3.mp3");
        TestTracks.write(album, "A1 id3v2.mp3", TestTracks.AUDIO_FRAME);
        ExternalCommand.succeed(album, "id3v2", "-2", "-a", "AC/DC", "-t", "T.N.T.", "-T", "12", "A1 id3v2.mp3");

        run();
        assertEquals(Set.of("03-éric_serra-le_grand_bleu.mp3", "07-ünïcode_band-öde__part_2.mp3", "a1-ac_dc-t.n.t..mp3"),
                names());
        assertEquals("", err.text());
    }

    @Test
    void firstListedTrackTakesASharedNameAndTheOtherIsListedUnderItsOldName() throws IOException {
        tagged(album, "one.mp3", "1", "A", "B");
        tagged(album, "two.mp3", "1", "A", "B");
        String first = album.list()[0];
        String second = first.equals("one.mp3") ? "two.mp3" : "one.mp3";

        assertEquals(List.of(new File(album, "01-a-b.mp3"), new File(album, second)), run());
        assertEquals(Set.of("01-a-b.mp3", second), names());
        assertEquals("", err.text());
    }

    @ParameterizedTest
    @ValueSource(strings = {"a.mp3", "other.mp3", "z.mp3", "Track 1.mp3"})
    void trackAlreadyBearingTheNameKeepsItWhateverTheOrder(String otherName) throws IOException {
        tagged(album, "01-a-b.mp3", "1", "A", "B");
        tagged(album, otherName, "1", "A", "B");

        assertEquals(inListingOrder(Map.of("01-a-b.mp3", "01-a-b.mp3", otherName, otherName)), run());
        assertEquals(Set.of("01-a-b.mp3", otherName), names());
    }

    @Test
    void nameHeldByAnotherFileIsNeverTaken() throws IOException {
        byte[] holder = "not a track".getBytes();
        TestTracks.write(album, "01-a-b.mp3", holder);
        tagged(album, "one.mp3", "1", "A", "B");
        tagged(album, "two.mp3", "1", "A", "B");

        assertEquals(inListingOrder(Map.of("one.mp3", "one.mp3", "two.mp3", "two.mp3")), run());
        assertEquals(Set.of("01-a-b.mp3", "one.mp3", "two.mp3"), names());
        assertEquals(new String(holder), new String(Files.readAllBytes(new File(album, "01-a-b.mp3").toPath())));
        assertEquals("", err.text());
    }

    /** A name longer than the file system allows is shortened to fit, and stays so on a second run. */
    @Test
    void nameTooLongForTheFileSystemIsShortened() throws IOException {
        tagged(album, "long.mp3", "1", "x".repeat(300), "B");
        tagged(album, "short.mp3", "2", "A", "B");
        String shortened = "01-" + "x".repeat(247) + "-.mp3";

        assertEquals(inListingOrder(Map.of("long.mp3", shortened, "short.mp3", "02-a-b.mp3")), run());
        assertEquals(Set.of(shortened, "02-a-b.mp3"), names());
        assertEquals("", err.text());

        run();
        assertEquals(Set.of(shortened, "02-a-b.mp3"), names());
        assertEquals("", err.text());
    }

    /** A rename the system refuses is reported, and the track is listed under its old name. */
    @Test
    @Tag("immutable-files")
    void renameTheSystemRefusesIsReportedAndTheTrackKeepsItsName() throws Exception {
        File locked = tagged(album, "locked.mp3", "1", "A", "B");
        tagged(album, "short.mp3", "2", "A", "C");
        // An immutable file cannot be renamed, even by root; setting the flag takes root, or the
        // right to change it, and a file system that has it.
        ExternalCommand immutable = ExternalCommand.run(album, List.of("chattr", "+i", locked.getName()));
        assumeTrue(immutable.status == 0, "cannot make a file immutable here: " + immutable.output);
        try {
            assertEquals(inListingOrder(Map.of("locked.mp3", "locked.mp3", "short.mp3", "02-a-c.mp3")), run());
        } finally {
            ExternalCommand.succeed(album, "chattr", "-i", locked.getName());
        }
        assertEquals(Set.of("locked.mp3", "02-a-c.mp3"), names());
        assertEquals(List.of("Cannot rename " + locked + " to 01-a-b.mp3: FileSystemException: Operation not permitted"),
                err.lines());
    }

    /** Under a UTF-8 locale the runtime lists a name that is not valid UTF-8 with a replacement character. */
    @Test
    void trackWhoseNameCannotBeReachedIsReportedAndLeftAlone() throws Exception {
        ExternalCommand.succeed(album, "sh", "-c", "cp \"$1\" \"$(printf 'bad \\377.mp3')\"", "sh",
                tagged(album, "good.mp3", "1", "A", "B").getName());

        assertEquals(List.of(new File(album, "01-a-b.mp3")), run());
        List<String> reported = err.lines();
        assertEquals(1, reported.size());
        assertTrue(reported.get(0).startsWith("Cannot reach " + new File(album, "bad \uFFFD.mp3")), reported.get(0));
        assertEquals(2, names().size());
    }

    /** An old checksum list knows a track by the name it had before the run. */
    @Test
    void renamedTracksKeepTheirPreviousNamesAndOthersTheirOwn() throws IOException {
        tagged(album, "Track 1.mp3", "1", "A", "B");
        tagged(album, "02-a-c.mp3", "2", "A", "C");
        tagged(album, "taken.mp3", "1", "A", "B");
        Context context = new Context();
        // The first listed of the two tracks aiming at 01-a-b.mp3 takes it; the other keeps its name.
        new Mp3FilesRenamer(new RealDisk(diagnostics), diagnostics).execute(album, context);
        File renamed = new File(album, "01-a-b.mp3");
        String winner = context.getPreviousNames().get(renamed);
        assertTrue(Set.of("Track 1.mp3", "taken.mp3").contains(winner), String.valueOf(winner));
        String loser = winner.equals("Track 1.mp3") ? "taken.mp3" : "Track 1.mp3";
        assertEquals(winner, context.previousName(renamed));
        assertEquals(loser, context.previousName(new File(album, loser)));
        assertEquals("02-a-c.mp3", context.previousName(new File(album, "02-a-c.mp3")));
    }
}
