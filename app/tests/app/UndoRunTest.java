package app;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import app.steps.TestTracks;
import java.io.File;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.List;
import java.util.Map;
import java.util.TreeMap;
import java.util.stream.Collectors;
import java.util.stream.Stream;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.RegisterExtension;
import org.junit.jupiter.api.io.TempDir;

/** Real runs and their undo, in one JVM: each test keeps its journals in a state folder of its own. */
class UndoRunTest {
    @TempDir
    File root;
    private final CapturedStream out = new CapturedStream();
    private final CapturedStream err = new CapturedStream();
    @RegisterExtension
    final StateFolderProperty stateFolder = new StateFolderProperty();
    private File music;
    private File album;

    @BeforeEach
    void makeTheLibrary() throws IOException {
        music = new File(root, "music");
        album = new File(music, "Album");
        assertTrue(album.mkdirs());
        TestTracks.tagged(album, "Track 1.mp3", "1", "Band", "One");
        TestTracks.tagged(album, "Track 2.mp3", "2", "Band", "Two");
        TestTracks.tagged(album, "Track 3.mp3", "3", "Band", "Three");
        TestTracks.write(album, "Front Cover.JPG", "cover".getBytes(StandardCharsets.UTF_8));
        TestTracks.write(album, "readme.txt", "notes".getBytes(StandardCharsets.UTF_8));
        TestTracks.write(album, "Old.M3U", "Track 1.mp3\n".getBytes(StandardCharsets.UTF_8));
        TestTracks.write(album, "00-album.sfv", "; old\n".getBytes(StandardCharsets.UTF_8));
    }

    private int run(String... args) {
        out.stream.flush();
        return Main.run(args, out.stream, err.stream);
    }

    private static Map<String, String> tree(File folder) throws IOException {
        Map<String, String> tree = new TreeMap<>();
        try (Stream<Path> entries = Files.walk(folder.toPath())) {
            for (Path entry : entries.collect(Collectors.toList())) {
                String key = folder.toPath().relativize(entry).toString();
                tree.put(key, Files.isDirectory(entry) ? "/" : new String(Files.readAllBytes(entry), StandardCharsets.ISO_8859_1));
            }
        }
        return tree;
    }

    private List<String> changeLines() {
        return out.lines().stream().filter(line -> line.matches("(rename|delete|restore)\t.*")).collect(Collectors.toList());
    }

    private File journals() {
        return new File(stateFolder.folder(), "dovatrik" + File.separator + "journal");
    }

    @Test
    void anUndoGivesBackEveryNameAndEveryListAndASecondOneFindsNothing() throws IOException {
        Map<String, String> before = tree(music);
        assertEquals(0, run(music.getPath()));
        assertFalse(new File(album, "Track 1.mp3").exists());

        assertEquals(0, run("--undo", music.getPath()), err.text());
        assertEquals(before, tree(music));
        assertEquals("", err.text());
        assertTrue(changeLines().contains("rename\t" + new File(album, "01-band-one.mp3").getAbsolutePath() + "\tTrack 1.mp3"),
                out.text());
        assertTrue(changeLines().contains("restore\t" + new File(album, "Old.M3U").getAbsolutePath()), out.text());

        assertEquals(0, run("--undo", music.getPath()));
        assertEquals("Nothing to undo in " + music.getPath(), out.lines().get(out.lines().size() - 1));
        assertEquals(before, tree(music));
    }

    /** A relative music folder such as ..\\Music is kept in the journal as typed, made absolute. */
    @Test
    void theUndosLinesShowPathsWithoutDotParts() throws IOException {
        assertTrue(new File(root, "other").mkdir());
        String typed = new File(new File(new File(root, "other"), ".."), "music" + File.separator + ".").getPath();
        assertEquals(0, run(typed));

        assertEquals(0, run("--undo", typed), err.text());
        assertTrue(changeLines().contains("rename\t" + new File(album, "01-band-one.mp3").getAbsolutePath() + "\tTrack 1.mp3"),
                out.text());
        assertTrue(changeLines().contains("restore\t" + new File(album, "Old.M3U").getAbsolutePath()), out.text());
        assertTrue(changeLines().stream().noneMatch(line -> line.contains(File.separator + ".")), out.text());
    }

    @Test
    void aTrackThatIsASymbolicLinkGetsItsNameBack() throws IOException {
        File elsewhere = new File(root, "elsewhere");
        assertTrue(elsewhere.mkdir());
        File target = TestTracks.tagged(elsewhere, "real.mp3", "4", "Band", "Four");
        Path link = Files.createSymbolicLink(new File(album, "Track 4.mp3").toPath(), target.toPath());
        Map<String, String> before = tree(music);
        assertEquals(0, run(music.getPath()));
        assertTrue(Files.isSymbolicLink(new File(album, "04-band-four.mp3").toPath()));

        assertEquals(0, run("--undo", music.getPath()), err.text());
        assertEquals(before, tree(music));
        assertTrue(Files.isSymbolicLink(link));
    }

    @Test
    void twoRunsAreUndoneNewestFirst() throws IOException {
        Map<String, String> before = tree(music);
        assertEquals(0, run(music.getPath()));
        Map<String, String> afterFirst = tree(music);
        TestTracks.tagged(album, "Track 4.mp3", "4", "Band", "Four");
        assertEquals(0, run(music.getPath()));

        assertEquals(0, run("--undo", music.getPath()));
        Map<String, String> expected = new TreeMap<>(afterFirst);
        expected.put("Album" + File.separator + "Track 4.mp3", tree(music).get("Album" + File.separator + "Track 4.mp3"));
        assertEquals(expected, tree(music));
        assertTrue(new File(album, "Track 4.mp3").delete());
        assertEquals(0, run("--undo", music.getPath()));
        assertEquals(before, tree(music));
    }

    @Test
    void aPlannedUndoShowsTheUndoAndChangesNothing() throws IOException {
        assertEquals(0, run(music.getPath()));
        Map<String, String> afterRun = tree(music);
        assertEquals(0, run("--undo", "--dry-run", music.getPath()));
        List<String> planned = changeLines();
        assertEquals(afterRun, tree(music));

        CapturedStream realOut = new CapturedStream();
        assertEquals(0, Main.run(new String[] {"--undo", music.getPath()}, realOut.stream, err.stream));
        List<String> done = realOut.lines().stream().filter(line -> line.matches("(rename|delete|restore)\t.*"))
                .collect(Collectors.toList());
        assertEquals(done, planned);
        // Three tracks, the cover and the info file; two lists deleted and the two old ones restored.
        assertEquals(9, done.size(), realOut.text());
    }

    @Test
    void whatTheUserChangedSinceTheRunIsReportedAndLeftAsItIs() throws IOException {
        assertEquals(0, run(music.getPath()));
        // Renamed again by hand; a new file under an old name; a track deleted; a list edited.
        assertTrue(new File(album, "01-band-one.mp3").renameTo(new File(album, "one by hand.mp3")));
        byte[] newcomer = "a new file".getBytes(StandardCharsets.UTF_8);
        TestTracks.write(album, "Track 2.mp3", newcomer);
        assertTrue(new File(album, "03-band-three.mp3").delete());
        Files.write(new File(album, "00-album.m3u").toPath(), "edited\n".getBytes(StandardCharsets.UTF_8));
        Map<String, String> afterChanges = tree(music);

        assertEquals(1, run("--undo", music.getPath()));
        List<String> problems = err.lines();
        assertEquals(4, problems.size(), err.text());
        assertTrue(err.text().contains("Cannot give " + new File(album, "01-band-one.mp3").getAbsolutePath()
                + " back its name Track 1.mp3: it is gone"), err.text());
        assertTrue(err.text().contains("Cannot give " + new File(album, "02-band-two.mp3").getAbsolutePath()
                + " back its name Track 2.mp3: another entry holds that name"), err.text());
        assertTrue(err.text().contains("Cannot give " + new File(album, "03-band-three.mp3").getAbsolutePath()
                + " back its name Track 3.mp3: it is gone"), err.text());
        assertTrue(err.text().contains("Cannot delete " + new File(album, "00-album.m3u").getAbsolutePath()
                + ", the list the run wrote: it has changed since the run"), err.text());
        // The old playlist cannot come back while the edited one holds no name of its: it does.
        assertTrue(new File(album, "Old.M3U").isFile());
        assertArrayEquals(newcomer, Files.readAllBytes(new File(album, "Track 2.mp3").toPath()));
        assertTrue(new File(album, "02-band-two.mp3").isFile());
        assertTrue(new File(album, "one by hand.mp3").isFile());
        assertEquals("edited\n", afterChanges.get("Album" + File.separator + "00-album.m3u"));
        assertEquals("edited\n", tree(music).get("Album" + File.separator + "00-album.m3u"));
        assertTrue(new File(album, "Front Cover.JPG").isFile());
        assertTrue(new File(album, "readme.txt").isFile());
    }

    @Test
    void aJournalThatCannotBeWrittenIsOneLineAndTheRunMakesTheSameChanges() throws IOException {
        File twin = new File(root, "twin");
        Files.walk(music.toPath()).forEach(entry -> {
            try {
                Files.copy(entry, twin.toPath().resolve(music.toPath().relativize(entry)));
            } catch (IOException e) {
                throw new AssertionError(e);
            }
        });
        assertEquals(0, run(twin.getPath()));
        String twinOut = out.text().replace(twin.getPath(), music.getPath());
        File blocked = new File(root, "a file");
        assertTrue(blocked.createNewFile());
        stateFolder.set(blocked);

        CapturedStream runOut = new CapturedStream();
        assertEquals(1, Main.run(new String[] {music.getPath()}, runOut.stream, err.stream));
        assertEquals(1, err.lines().size(), err.text());
        assertTrue(err.text().startsWith("This run cannot be undone: its journal cannot be written in "
                + new File(blocked, "dovatrik" + File.separator + "journal") + ": "), err.text());
        assertEquals(tree(twin), tree(music));
        assertEquals(twinOut, runOut.text());
    }

    @Test
    void theNewestTwentyJournalsOfAFolderAreKeptAndADryRunKeepsNone() throws IOException {
        for (int i = 0; i < 22; i++) {
            assertEquals(0, run(music.getPath()));
        }
        File other = new File(root, "other");
        assertTrue(new File(other, "Album").mkdirs());
        assertEquals(0, run(other.getPath()));
        assertEquals(0, run("--dry-run", other.getPath()));
        assertEquals(21, journals().list().length);
    }
}
