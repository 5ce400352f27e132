package app.steps;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import app.CapturedStream;
import app.Context;
import app.Diagnostics;
import app.ExternalCommand;
import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.util.Arrays;
import java.util.List;
import java.util.Random;
import java.util.Set;
import java.util.TreeSet;
import java.util.zip.CRC32;
import org.junit.jupiter.api.Test;
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
        Context context = new Context();
        context.setText(text);
        context.setFiles(Arrays.asList(files));
        new SVFCreator(new RealDisk(diagnostics), diagnostics).execute(album, context);
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
}
