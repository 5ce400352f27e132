package app;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import app.steps.TestTracks;
import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.Map;
import java.util.Set;
import java.util.TreeMap;
import java.util.stream.Stream;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.RegisterExtension;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.ValueSource;

/** Libraries kept as Artist\Album folders, with --recursive and without. */
class LibraryLayoutTest {
    @TempDir
    File root;
    private File music;
    private final CapturedStream out = new CapturedStream();
    private final CapturedStream err = new CapturedStream();
    @RegisterExtension
    final StateFolderProperty stateFolder = new StateFolderProperty();

    @BeforeEach
    void artistFolders() throws IOException {
        music = new File(root, "Music");
        File hits = mkdirs("Some Band/Greatest Hits");
        TestTracks.tagged(hits, "a.mp3", "1", "Some Band", "First");
        TestTracks.tagged(hits, "b.mp3", "2", "Some Band", "Second");
        TestTracks.write(new File(music, "Some Band"), "artist.jpg", new byte[] {1, 2});
        TestTracks.tagged(mkdirs("Åsa Nyström/Ölçü Ärger"), "x.mp3", "1", "Åsa Nyström", "Över ängen");
    }

    private File mkdirs(String path) {
        File folder = new File(music, path);
        assertTrue(folder.mkdirs());
        return folder;
    }

    private int run(String... args) {
        return Main.run(args, out.stream, err.stream);
    }

    /** Every entry below the music folder, links not followed: a file's bytes, a folder's or link's kind. */
    private Map<String, String> tree() throws IOException {
        Map<String, String> tree = new TreeMap<>();
        try (Stream<Path> entries = Files.walk(music.toPath())) {
            for (Path entry : (Iterable<Path>) entries::iterator) {
                String kind = Files.isSymbolicLink(entry) ? "link" : Files.isDirectory(entry) ? "folder"
                        : Arrays.toString(Files.readAllBytes(entry));
                tree.put(music.toPath().relativize(entry).toString(), kind);
            }
        }
        return tree;
    }

    @ParameterizedTest
    @ValueSource(booleans = {false, true})
    void withoutRecursiveTheRunSaysWhatToRunAndChangesNothing(boolean dryRun) throws IOException {
        Map<String, String> before = tree();
        List<String> args = new ArrayList<>(dryRun ? List.of("--dry-run") : List.of());
        args.add(music.getPath());
        assertEquals(1, run(args.toArray(new String[0])));
        assertEquals(List.of("Directory: " + music.getPath(), "No album folder here holds an MP3 track, but folders"
                + " below them do: for Artist" + File.separator + "Album folders, run: dovatrik --recursive \""
                + music.getPath() + "\""), out.lines().subList(2, out.lines().size()));
        assertEquals("", err.text());
        assertEquals(before, tree());
        assertEquals(0, journals());
    }

    private int journals() {
        File[] found = new File(stateFolder.folder(), "dovatrik/journal").listFiles();
        return found == null ? 0 : found.length;
    }

    @Test
    void recursiveTidiesTheAlbumsBelowAndLeavesTheArtistFoldersAsTheyAre() throws IOException {
        assertEquals(0, run("--recursive", music.getPath()));
        assertEquals(Set.of(new File(music, "Some Band/Greatest Hits").getPath(), new File(music, "Åsa Nyström/Ölçü Ärger")
                .getPath()), Set.of(out.lines().get(3).replaceAll("^\\[|\\]$", "").split(", ")));
        assertEquals("", err.text());
        Map<String, String> tree = tree();
        assertEquals(Arrays.toString(new byte[] {1, 2}), tree.get("Some Band/artist.jpg"));
        assertEquals(Set.of("Greatest Hits", "artist.jpg"), Set.of(new File(music, "Some Band").list()));
        assertTrue(tree.containsKey("Some Band/Greatest Hits/01-some_band-first.mp3"));
        assertTrue(tree.containsKey("Åsa Nyström/Ölçü Ärger/00-ölçü ärger.sfv"));
    }

    @Test
    void theWalkPassesOverLinksAndFoldersKeptOutOfSightAndTakesDiscFoldersForAlbums() throws IOException {
        TestTracks.tagged(mkdirs(".hidden"), "h.mp3", "1", "A", "B");
        TestTracks.tagged(mkdirs("$RECYCLE.BIN"), "$R1.mp3", "1", "A", "B");
        TestTracks.write(mkdirs("Some Band/FLAC Album"), "01.flac", new byte[] {3});
        File discs = mkdirs("Some Band/Double");
        TestTracks.tagged(mkdirs("Some Band/Double/CD1"), "c.mp3", "1", "Some Band", "Disc one");
        TestTracks.tagged(mkdirs("Some Band/Double/CD2"), "d.mp3", "1", "Some Band", "Disc two");
        Files.createSymbolicLink(new File(music, "Loop").toPath(), music.toPath());
        File elsewhere = new File(root, "Elsewhere");
        assertTrue(elsewhere.mkdir());
        TestTracks.tagged(elsewhere, "e.mp3", "1", "Other", "Elsewhere");
        Files.createSymbolicLink(new File(music, "Linked Album").toPath(), elsewhere.toPath());
        Files.createSymbolicLink(new File(music, "Some Band/Greatest Hits/link.mp3").toPath(),
                new File(elsewhere, "e.mp3").toPath());
        Map<String, String> before = tree();

        assertEquals(0, run("--recursive", music.getPath()));
        String albums = out.lines().get(3);
        for (String album : List.of("Some Band/Greatest Hits", "Some Band/Double/CD1", "Some Band/Double/CD2",
                "Åsa Nyström/Ölçü Ärger")) {
            assertTrue(albums.contains(new File(music, album).getPath()), albums);
        }
        assertEquals(4, albums.split(", ").length, albums);
        assertEquals("", err.text());
        Map<String, String> after = tree();
        for (String untouched : List.of(".hidden", ".hidden/h.mp3", "$RECYCLE.BIN/$R1.mp3", "Some Band/FLAC Album",
                "Some Band/FLAC Album/01.flac", "Loop", "Linked Album")) {
            assertEquals(before.get(untouched), after.get(untouched), untouched);
        }
        assertEquals(List.of("CD1", "CD2"), List.of(discs.list()).stream().sorted().toList());
        assertEquals(List.of("e.mp3"), List.of(elsewhere.list()));
    }

    /** An album folder named like an image or an info file is an album of its own, never renamed by the one above. */
    @Test
    void albumFoldersBelowAnAlbumKeepTheirNamesWhateverTheyAreCalled() throws IOException {
        File hits = new File(music, "Some Band/Greatest Hits");
        TestTracks.tagged(mkdirs("Some Band/Greatest Hits/Scans.jpg"), "s.mp3", "1", "Some Band", "Scanned");
        TestTracks.tagged(mkdirs("Some Band/Greatest Hits/notes.txt"), "n.mp3", "1", "Some Band", "Noted");
        assertTrue(new File(hits, "art.jpg").mkdir());

        assertEquals(0, run("--recursive", music.getPath()));
        assertEquals("", err.text());
        assertTrue(new File(hits, "Scans.jpg/00-scans.jpg.m3u").isFile());
        assertTrue(new File(hits, "notes.txt/01-some_band-noted.mp3").isFile());
        assertTrue(new File(hits, "00-greatest hits-art.jpg").isDirectory());
    }

    @Test
    void anUndoTakesBackARecursiveRun() throws IOException {
        Map<String, String> before = tree();
        assertEquals(0, run("--recursive", music.getPath()));
        assertEquals(0, run("--recursive", "--undo", music.getPath()));
        assertEquals("", err.text());
        assertEquals(before, tree());
    }

    @Test
    void tracksThreeLevelsBelowAnAlbumFolderGetTodaysRun() throws IOException {
        for (String artist : List.of("Some Band", "Åsa Nyström")) {
            Files.walk(new File(music, artist).toPath()).sorted(java.util.Comparator.reverseOrder()).forEach(path ->
                    assertTrue(path.toFile().delete()));
        }
        TestTracks.tagged(mkdirs("Genre/Artist/Album/Disc"), "x.mp3", "1", "A", "B");
        assertEquals(0, run(music.getPath()));
        assertEquals(List.of("Directory: " + music.getPath(), "[" + new File(music, "Genre") + "]"), out.lines().subList(2, 4));
    }
}
