package app.steps;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import app.CapturedStream;
import app.Context;
import app.Diagnostics;
import app.ExternalCommand;
import app.disk.RealDisk;
import app.disk.TrackChecksum;
import java.io.File;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.attribute.FileTime;
import java.util.Arrays;
import java.util.List;
import java.util.Map;
import java.util.Random;
import java.util.Set;
import java.util.TreeSet;
import java.util.zip.CRC32;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.Timeout;
import org.junit.jupiter.api.io.TempDir;

class SVFCreatorTest {
    private static final String NL = System.lineSeparator();
    private static final String HEADER = "; Created by Quom's Dovatrik" + NL + NL;

    @TempDir
    File album;
    private final CapturedStream err = new CapturedStream();
    private final Diagnostics diagnostics = new Diagnostics(err.stream);

    /** Runs the step and gives the list it wrote. */
    private String run(String text, File... files) throws IOException {
        execute(text, files);
        return new String(Files.readAllBytes(new File(album, "00-" + text + ".sfv").toPath()));
    }

    private void execute(String text, File... files) {
        execute(text, Map.of(), files);
    }

    private void execute(String text, Map<File, String> previousNames, File... files) {
        Context context = new Context();
        context.setText(text);
        context.setFiles(Arrays.asList(files));
        context.setPreviousNames(previousNames);
        new SVFCreator(new RealDisk(diagnostics), diagnostics).execute(album, context);
    }

    /** An old list, written a minute after the tracks were last written. */
    private File oldList(String name, String content, File... tracks) throws IOException {
        File list = TestTracks.write(album, name, content.getBytes(StandardCharsets.UTF_8));
        FileTime tracksWritten = Files.getLastModifiedTime(list.toPath());
        Files.setLastModifiedTime(list.toPath(), FileTime.fromMillis(tracksWritten.toMillis() + 60_000));
        for (File track : tracks) {
            Files.setLastModifiedTime(track.toPath(), tracksWritten);
        }
        return list;
    }

    private File track(String name, byte[] content) throws IOException {
        return TestTracks.write(album, name, content);
    }

    /** Both independent checkers accept the list, run from its folder. */
    private void assertCheckersAccept(String listName) throws Exception {
        ExternalCommand.succeed(album, "cksfv", "-q", "-f", listName);
        ExternalCommand.succeed(album, "rhash", "-c", listName);
    }

    @Test
    void withoutTracksTheListHoldsTheHeaderOnly() throws Exception {
        assertEquals(HEADER, run("artist - album"));
        assertEquals("", err.text());
    }

    @Test
    void checksumsHaveEightLowerCaseDigits() throws Exception {
        File digits = track("digits.mp3", "123456789".getBytes());
        File small = track("small.mp3", "x31".getBytes());
        File empty = track("empty.mp3", new byte[0]);
        assertEquals(HEADER + "digits.mp3 cbf43926" + NL + "small.mp3 001685f0" + NL + "empty.mp3 00000000" + NL,
                run("album", digits, small, empty));
        assertCheckersAccept("00-album.sfv");
    }

    @Test
    void tracksAroundThePieceSizeAndRepeatedTracks() throws Exception {
        Random random = new Random(7);
        StringBuilder expected = new StringBuilder(HEADER);
        File[] tracks = new File[4];
        int[] sizes = {TrackChecksum.PIECE_SIZE - 1, TrackChecksum.PIECE_SIZE, TrackChecksum.PIECE_SIZE + 1, 5 * TrackChecksum.PIECE_SIZE + 3};
        for (int i = 0; i < sizes.length; i++) {
            byte[] content = new byte[sizes[i]];
            random.nextBytes(content);
            tracks[i] = track("t" + i + ".mp3", content);
            CRC32 crc = new CRC32();
            crc.update(content);
            expected.append(tracks[i].getName()).append(' ').append(String.format("%08x", crc.getValue())).append(NL);
        }
        String line = expected.substring(expected.lastIndexOf(tracks[3].getName()));
        assertEquals(expected + line, run("album", tracks[0], tracks[1], tracks[2], tracks[3], tracks[3]));
        assertCheckersAccept("00-album.sfv");
    }

    @Test
    void unreadableTrackIsReportedAndSkippedWhileLaterTracksKeepTheirLines() throws Exception {
        File before = track("before.mp3", "a".getBytes());
        File missing = new File(album, "missing.mp3");
        File folder = new File(album, "folder.mp3");
        assertTrue(folder.mkdir());
        File after = track("after.mp3", "123456789".getBytes());
        String list = run("album", before, missing, folder, after);
        assertEquals(HEADER + "before.mp3 e8b7be43" + NL + "after.mp3 cbf43926" + NL, list);
        List<String> diagnostics = err.lines();
        assertEquals(2, diagnostics.size());
        assertTrue(diagnostics.get(0).contains(missing.getPath()), diagnostics.get(0));
        assertTrue(diagnostics.get(1).contains(folder.getPath()), diagnostics.get(1));
        assertCheckersAccept("00-album.sfv");
    }

    @Test
    void oldListsInAnyLetterCaseAreReplaced() throws Exception {
        track("OLD.SFV", "x".getBytes());
        track("old.sfv", "x".getBytes());
        track("keep.sfv.txt", "x".getBytes());
        execute("album");
        assertEquals(Set.of("00-album.sfv", "keep.sfv.txt"), new TreeSet<>(Arrays.asList(album.list())));
    }

    @Test
    void nameTakenByAFolderIsReported() throws IOException {
        assertTrue(new File(album, "00-album.sfv/inside").mkdirs());
        execute("album", track("t.mp3", "x".getBytes()));
        List<String> reported = err.lines();
        assertEquals(2, reported.size(), err.text());
        assertEquals("Cannot delete " + new File(album, "00-album.sfv") + ": DirectoryNotEmptyException", reported.get(0));
    }

    @Test
    void aTrackChangedSinceTheOldListThoughNotWrittenSinceIsReportedAndKeepsTheOldChecksum() throws IOException {
        File damaged = track("01-a-b.mp3", "123456780".getBytes());
        File intact = track("02-a-c.mp3", "123456789".getBytes());
        File list = oldList("00-album.sfv", "; old\r\n\r\n01-a-b.mp3 CBF43926\r\n02-a-c.mp3 cbf43926\r\n", damaged, intact);
        CRC32 crc = new CRC32();
        crc.update("123456780".getBytes());
        String now = String.format("%08x", crc.getValue());

        assertEquals(HEADER + "01-a-b.mp3 CBF43926" + NL + "02-a-c.mp3 cbf43926" + NL, run("album", damaged, intact));
        assertEquals(List.of("Checksum of " + damaged + " changed since " + list + ": was CBF43926, now " + now),
                err.lines());
        assertEquals(1, diagnostics.count());
    }

    @Test
    void aTrackRenamedInThisRunIsComparedUnderItsPreviousName() throws IOException {
        File renamed = track("01-a-b.mp3", "123456780".getBytes());
        File other = track("Track 1.mp3", "x".getBytes());
        // The old list knows the track as Track 1.mp3; 01-a-b.mp3 was another track's name then.
        File list = oldList("old.SFV", "Track 1.mp3 cbf43926\n01-a-b.mp3 0\n", renamed, other);

        execute("album", Map.of(renamed, "Track 1.mp3"), renamed);
        assertEquals(1, err.lines().size(), err.text());
        assertTrue(err.text().startsWith("Checksum of " + renamed + " changed since " + list + ": was cbf43926, now "),
                err.text());
    }

    @Test
    void checksumsCompareAsNumbersAndTracksWrittenSinceTheListAreNotReported() throws IOException {
        File small = track("small.mp3", "x31".getBytes());
        File edited = track("edited.mp3", "123456780".getBytes());
        oldList("00-album.sfv", "small.mp3 1685F0\nedited.mp3 cbf43926\n", small);
        Files.setLastModifiedTime(edited.toPath(), FileTime.fromMillis(System.currentTimeMillis() + 120_000));

        String list = run("album", small, edited);
        assertEquals("", err.text());
        assertTrue(list.contains("small.mp3 001685f0" + NL), list);
        assertTrue(!list.contains("cbf43926"), list);
    }

    @Test
    @Timeout(60)
    void oldListsThatCannotBeReadOrParsedGoWithoutAWord() throws Exception {
        File a = track("a.mp3", "123456789".getBytes());
        byte[] garbage = new byte[4096];
        new Random(3).nextBytes(garbage);
        TestTracks.write(album, "binary.sfv", garbage);
        oldList("garbage.sfv", "a.mp3\na.mp3 123456789\na.mp3 xyz\n;a.mp3 0\n" + "a".repeat(100_000) + " 0\n", a);
        assertTrue(new File(album, "folder.sfv").mkdir());
        ExternalCommand.succeed(album, "mkfifo", "fifo.sfv");

        assertEquals(HEADER + "a.mp3 cbf43926" + NL, run("album", a));
        assertEquals("", err.text());
        assertEquals(Set.of("a.mp3", "00-album.sfv"), new TreeSet<>(Arrays.asList(album.list())));
    }
}
