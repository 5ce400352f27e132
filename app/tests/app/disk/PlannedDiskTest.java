package app.disk;

import static app.steps.TestTracks.tagged;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertSame;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import app.CapturedStream;
import app.Diagnostics;
import app.rename.RenameOutcome;
import app.steps.ExtensionFilter;
import app.steps.TestTracks;
import java.io.File;
import java.io.IOException;
import java.io.Writer;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.Map;
import java.util.TreeMap;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

class PlannedDiskTest {
    @TempDir
    File album;
    private final CapturedStream out = new CapturedStream();
    private final CapturedStream err = new CapturedStream();
    private final Diagnostics diagnostics = new Diagnostics(err.stream);
    private final PlannedDisk disk = new PlannedDisk(out.stream, diagnostics);

    /** Every entry's name, size and modification time. */
    private Map<String, String> state() throws IOException {
        Map<String, String> state = new TreeMap<>();
        for (File entry : album.listFiles()) {
            state.put(entry.getName(), entry.length() + " " + Files.getLastModifiedTime(entry.toPath(), LinkOption.NOFOLLOW_LINKS));
        }
        state.put(".", Files.getLastModifiedTime(album.toPath()).toString());
        return state;
    }

    private String path(String name) {
        return new File(album, name).getPath();
    }

    @Test
    void renamesMeetTheNamesThatEarlierOnesFreedOrTook() throws IOException {
        tagged(album, "a.mp3", "1", "A", "B");
        tagged(album, "b.mp3", "1", "A", "B");
        tagged(album, "01-a-b.mp3", "2", "A", "B");
        Map<String, String> before = state();

        List<File> files = new ArrayList<>();
        for (File track : disk.entries(album, new ExtensionFilter(".mp3"))) {
            File target = new File(album, track.getName().equals("01-a-b.mp3") ? "02-a-b.mp3" : "01-a-b.mp3");
            files.add(disk.rename(track, target) == RenameOutcome.RENAMED ? target : track);
        }

        // The one of a.mp3 and b.mp3 that comes after 01-a-b.mp3 has gone takes its name.
        List<String> order = Arrays.asList(album.list());
        int freed = order.indexOf("01-a-b.mp3");
        List<String> expected = new ArrayList<>();
        boolean nameHeld = true;
        for (int i = 0; i < order.size(); i++) {
            String name = order.get(i);
            if (i == freed) {
                expected.add("rename\t" + path(name) + "\t02-a-b.mp3");
                nameHeld = false;
            } else if (nameHeld) {
                expected.add("taken\t" + path(name) + "\t01-a-b.mp3");
            } else {
                expected.add("rename\t" + path(name) + "\t01-a-b.mp3");
                nameHeld = true;
            }
        }
        assertEquals(expected, out.lines());
        assertEquals(before, state());
        assertEquals("", err.text());
    }

    @Test
    void deletesFilesAndEmptyFoldersOnlyAndCountsTheLinesOfAList() throws IOException {
        TestTracks.write(album, "old.m3u", "x".getBytes());
        assertTrue(new File(album, "empty.m3u").mkdir());
        assertTrue(new File(album, "kept.m3u/inside").mkdirs());
        Map<String, String> before = state();

        for (File old : disk.entries(album, new ExtensionFilter(".m3u"))) {
            disk.delete(old);
        }
        try (Writer list = disk.create(new File(album, "old.m3u"))) {
            list.write("one\ntwo\r\n");
            list.write("three\n");
        }
        // A new file comes after the entries there were.
        assertEquals(List.of("kept.m3u", "old.m3u"), names(disk.entries(album, new ExtensionFilter(".m3u"))));
        List<String> lines = out.lines();
        assertEquals(3, lines.size());
        assertTrue(lines.containsAll(List.of("delete\t" + path("old.m3u"), "delete\t" + path("empty.m3u"))), out.text());
        assertEquals("write\t" + path("old.m3u") + "\t3", lines.get(2));
        assertEquals(before, state());
    }

    @Test
    void aFolderWithEntriesThatADeletionLeavesIsReportedAsTheRunReportsIt() throws IOException {
        File kept = new File(album, "kept.m3u");
        assertTrue(new File(kept, "inside").mkdirs());
        CapturedStream realErr = new CapturedStream();

        disk.delete(kept);
        new RealDisk(new Diagnostics(realErr.stream)).delete(kept);
        assertEquals(List.of("Cannot delete " + kept + ": DirectoryNotEmptyException"), err.lines());
        assertEquals(realErr.text(), err.text());
        assertEquals("", out.text());
        assertTrue(kept.isDirectory());
    }

    @Test
    void aListWhoseNameAFolderHoldsFailsAsItWouldInARun() throws IOException {
        assertTrue(new File(album, "00-album.m3u/inside").mkdirs());
        File list = new File(album, "00-album.m3u");
        IOException planned = assertThrows(IOException.class, () -> disk.create(list));
        IOException real = assertThrows(IOException.class, () -> new RealDisk(diagnostics).create(list));
        assertEquals(real.getClass(), planned.getClass());
        assertEquals(real.getMessage(), planned.getMessage());
    }

    @Test
    void aNameTheFileSystemRefusesIsReportedAsTheRunReportsIt() throws IOException {
        File track = tagged(album, "a.mp3", "1", "A", "B");
        File tooLong = new File(album, "x".repeat(300) + ".mp3");
        CapturedStream realErr = new CapturedStream();

        assertEquals(RenameOutcome.REFUSED, disk.rename(track, tooLong));
        assertEquals(RenameOutcome.REFUSED, new RealDisk(new Diagnostics(realErr.stream)).rename(track, tooLong));
        assertEquals(realErr.text(), err.text());
        assertEquals(1, err.lines().size());
        assertEquals("", out.text());
    }

    /** Names no longer than one the system took pass unasked; a longer one is still asked about and refused. */
    @Test
    void aNameTooLongIsRefusedAfterShorterOnesWereTaken() throws IOException {
        File first = tagged(album, "a.mp3", "1", "A", "B");
        File second = tagged(album, "b.mp3", "1", "A", "B");
        File third = tagged(album, "c.mp3", "1", "A", "B");
        assertEquals(RenameOutcome.RENAMED, disk.rename(first, new File(album, "x".repeat(250) + ".mp3")));
        assertEquals(RenameOutcome.RENAMED, disk.rename(second, new File(album, "y".repeat(100) + ".mp3")));
        assertEquals(RenameOutcome.REFUSED, disk.rename(third, new File(album, "z".repeat(300) + ".mp3")));
        assertEquals(1, err.lines().size());
        assertTrue(err.text().contains("File name too long"), err.text());
        assertEquals(2, out.lines().size());
    }

    @Test
    void aFolderTakesUnaskedOnlyNamesNoLongerThanOnesItTookWhenAsked() {
        PlannedFolder folder = new PlannedFolder(album, new File[] {new File(album, "a listed name.mp3")}, false);
        // A listed name may still be refused a look-up (a folder that may be listed, not searched).
        assertFalse(folder.takesUnasked("a.mp3"));
        folder.took("abc.mp3");
        assertTrue(folder.takesUnasked("abc.mp3"));
        assertTrue(folder.takesUnasked("b.mp3"));
        assertFalse(folder.takesUnasked("abcd.mp3"));
    }

    @Test
    void tracksAreNotReadForTheirChecksums() throws IOException {
        File track = TestTracks.write(album, "t.mp3", "123456789".getBytes());
        assertEquals(Disk.UNREAD, disk.checksum(track));
        assertEquals(0xcbf43926L, new RealDisk(diagnostics).checksum(track));
    }

    @Test
    void controlCharactersAndCaretsInNamesAreShownInCaretNotation() throws IOException {
        File image = TestTracks.write(album, "Tab\tHere^.jpg", new byte[0]);
        assertEquals(RenameOutcome.RENAMED, disk.rename(image, new File(album, "line\nfeed.jpg")));
        assertEquals(List.of("rename\t" + path("Tab^IHere^^.jpg") + "\tline^Jfeed.jpg"), out.lines());
    }

    /** On a file system that ignores letter case a name in another case leads to the same entry. */
    @Test
    void aFolderThatIgnoresCaseFindsEntriesInAnyCase() throws IOException {
        File[] listed = {TestTracks.write(album, "a.mp3", new byte[0]), TestTracks.write(album, "Straße.MP3", new byte[0])};
        PlannedFolder folder = new PlannedFolder(album, listed, true);
        PlannedFolder.Entry track = folder.find("A.MP3");
        assertNotNull(track);
        folder.rename(track, "A.mp3");
        assertSame(track, folder.find("a.MP3"));
        // Character by character, as such file systems compare: ß has no one-letter upper case.
        assertNotNull(folder.find("straße.mp3"));
        assertNull(folder.find("STRASSE.MP3"));
        assertEquals(List.of("A.mp3", "Straße.MP3"), names(folder.listing(album, entry -> true, diagnostics)));

        PlannedFolder caseSensitive = new PlannedFolder(album, listed, false);
        assertNull(caseSensitive.find("A.MP3"));
    }

    @Test
    void aFolderOnThisFileSystemTellsLetterCasesApart() throws IOException {
        File lower = TestTracks.write(album, "a.mp3", new byte[0]);
        Files.createLink(new File(album, "A.MP3").toPath(), lower.toPath());
        PlannedFolder folder = PlannedFolder.read(album);
        assertNotNull(folder.find("a.mp3"));
        assertTrue(folder.find("a.mp3") != folder.find("A.MP3"));
        assertNull(folder.find("A.mp3"));
    }

    private static List<String> names(List<File> entries) {
        List<String> names = new ArrayList<>();
        for (File entry : entries) {
            names.add(entry.getName());
        }
        return names;
    }
}
