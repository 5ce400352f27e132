package app.steps;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import app.CapturedStream;
import app.Context;
import app.Diagnostics;
import app.ExternalCommand;
import app.disk.Disk;
import app.disk.PlannedDisk;
import app.disk.RealDisk;
import app.disk.TrackChecksum;
import java.io.File;
import java.io.IOException;
import java.io.RandomAccessFile;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.nio.file.attribute.FileTime;
import java.util.Arrays;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;
import java.util.Random;
import java.util.Set;
import java.util.TreeSet;
import java.util.zip.CRC32;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** Old lists of tracks that the run does not list stay as they are; every other old list goes. */
class KeptListsTest {
    @TempDir
    File album;
    private final CapturedStream out = new CapturedStream();
    private final CapturedStream err = new CapturedStream();
    private final Diagnostics diagnostics = new Diagnostics(err.stream);

    /** Runs both list steps over the album with the given disk; the tracks are the album's own. */
    private void runLists(Disk disk, File... tracks) {
        runListsIn(album, disk, tracks);
    }

    private void runListsIn(File folder, Disk disk, File... tracks) {
        Context context = new Context();
        context.setText("album");
        context.setFiles(Arrays.asList(tracks));
        new M3UCreator(disk, diagnostics).execute(folder, context);
        new SVFCreator(disk, diagnostics).execute(folder, context);
    }

    private void run(File... tracks) {
        runLists(new RealDisk(diagnostics), tracks);
    }

    /** The plan of the same run, as lines. */
    private List<String> plan(File... tracks) {
        runLists(new PlannedDisk(out.stream, diagnostics), tracks);
        return out.lines();
    }

    private File file(String name, String content) throws IOException {
        File file = new File(album, name);
        file.getParentFile().mkdirs();
        Files.write(file.toPath(), content.getBytes(StandardCharsets.UTF_8));
        return file;
    }

    /** Every file below the album with its bytes. */
    private Map<String, byte[]> contents() throws IOException {
        Map<String, byte[]> contents = new LinkedHashMap<>();
        for (File entry : new TreeSet<>(Arrays.asList(album.listFiles()))) {
            if (Files.isRegularFile(entry.toPath())) {
                contents.put(entry.getName(), Files.readAllBytes(entry.toPath()));
            }
        }
        return contents;
    }

    private void assertKept(Map<String, byte[]> before, String... names) throws IOException {
        Map<String, byte[]> after = contents();
        for (String name : names) {
            assertArrayEquals(before.get(name), after.get(name), name);
        }
    }

    private static long crc(String text) {
        CRC32 crc = new CRC32();
        crc.update(text.getBytes(StandardCharsets.UTF_8));
        return crc.getValue();
    }

    private File flacAlbum() throws IOException {
        file("01 - One.flac", "one");
        file("02 - Two.flac", "two");
        return file("CD1/01 - x.flac", "x");
    }

    @Test
    void listsOfAFlacAlbumStayByteForByteBesideTheNewOnes() throws Exception {
        flacAlbum();
        Files.write(new File(album, "rhash.sfv").toPath(), ExternalCommand.succeed(album, "rhash", "--sfv",
                "01 - One.flac", "02 - Two.flac").getBytes(StandardCharsets.UTF_8));
        Files.write(new File(album, "cksfv.sfv").toPath(), ExternalCommand.succeed(album, "cksfv", "-q",
                "01 - One.flac", "02 - Two.flac").getBytes(StandardCharsets.UTF_8));
        file("crlf.m3u", "\uFEFF#EXTM3U\r\n#EXTINF:1,One\r\nhttp://example.com/x.flac\r\nCD1\\01 - x.flac\r\n");
        file("absolute.m3u", new File(album, "02 - Two.flac").getAbsolutePath() + "\n");
        file("url.m3u", new File(album, "01 - One.flac").toURI() + "\n");
        Map<String, byte[]> before = contents();
        String[] lists = {"rhash.sfv", "cksfv.sfv", "crlf.m3u", "absolute.m3u", "url.m3u"};

        List<String> plan = plan();
        assertEquals(List.of("write\t" + new File(album.getCanonicalFile(), "00-album.m3u") + "\t0",
                "write\t" + new File(album.getCanonicalFile(), "00-album.sfv") + "\t2"), plan);
        run();
        assertKept(before, lists);
        assertEquals(before.size() + 2, contents().size());
        assertEquals("", err.text());
    }

    @Test
    void aMixedAlbumsListIsKeptAndItsMp3LinesStillShowDamage() throws Exception {
        File track = file("01-a-b.mp3", "123456780");
        file("02 - Two.flac", "two");
        File list = file("mixed.sfv", "01-a-b.mp3 cbf43926\n02 - Two.flac 12345678\n");
        Files.setLastModifiedTime(track.toPath(), FileTime.fromMillis(list.lastModified() - 60_000));
        Map<String, byte[]> before = contents();

        run(track);
        assertKept(before, "mixed.sfv");
        assertEquals(List.of("Checksum of " + track + " changed since " + list + ": was cbf43926, now "
                + TrackChecksum.text(crc("123456780"))), err.lines());
        assertTrue(new String(contents().get("00-album.sfv"), StandardCharsets.UTF_8).endsWith("01-a-b.mp3 cbf43926"
                + System.lineSeparator()));
        assertEquals("01-a-b.mp3\n", new String(contents().get("00-album.m3u"), StandardCharsets.UTF_8));
    }

    /**
     * Also where a run over the albums below renamed a disc folder's tracks: any entry in a folder
     * below that holds tracks keeps its list, so that the next run keeps what this one kept.
     */
    @Test
    void listsOfDiscFoldersAreKept() throws Exception {
        file("CD1/01 First.mp3", "first");
        file("CD2/01 Second.mp3", "second");
        file("CD3/01-band-third.mp3", "third");
        file("backslash.m3u", "CD1\\01 First.mp3\nCD2\\01 Second.mp3\n");
        file("slash.sfv", "CD1/01 First.mp3 12345678\r\nCD2/01 Second.mp3 12345678\r\n");
        file("renamed.m3u", "CD3\\01 Third.mp3\n");
        file("anyName.sfv", "CD3/gone.txt 12345678\n");
        Map<String, byte[]> before = contents();
        run();
        assertKept(before, "backslash.m3u", "slash.sfv", "renamed.m3u", "anyName.sfv");
        assertEquals("", err.text());
    }

    /**
     * A disc folder is told where links lead: a link into another album names that album's
     * tracks, which the run renames, and a link back into the album its own. The plan, which
     * finds them not yet renamed, decides as the run does.
     */
    @Test
    void discFoldersAreToldWhereLinksLead() throws Exception {
        File box = new File(album, "Box");
        file("Other/01 a.mp3", "a");
        file("Box/CD2/02 b.mp3", "b");
        Files.createSymbolicLink(new File(box, "CD1").toPath(), new File(album, "Other").toPath());
        Files.createSymbolicLink(new File(box, "here").toPath(), box.toPath());
        Files.createSymbolicLink(new File(box, "disc").toPath(), new File(box, "CD2").toPath());
        file("Box/other.m3u", "CD1/01 a.mp3\n");
        file("Box/03 c.mp3", "c");
        file("Box/here.m3u", "here/03 c.mp3\nhere\\CD2\\..\\nothing.mp3\n");
        file("Box/disc.m3u", "disc/02 b.mp3\n");

        runListsIn(box, new PlannedDisk(out.stream, diagnostics));
        assertEquals(Set.of("delete\t" + new File(box, "other.m3u"), "delete\t" + new File(box, "here.m3u")),
                Set.copyOf(out.lines().subList(0, 2)));
        runListsIn(box, new RealDisk(diagnostics));
        assertEquals(Set.of("00-album.m3u", "00-album.sfv", "disc.m3u", "03 c.mp3", "CD1", "CD2", "here", "disc"),
                Set.of(box.list()));
    }

    /** What rhash --sfv * writes into an MP3 album, and lists of names that are gone or of nothing. */
    @Test
    void listsOfTheAlbumsOwnTracksCoversAndGoneNamesGo() throws Exception {
        file("Track 1.mp3", "1");
        file("cover.jpg", "jpg");
        file("info.nfo", "nfo");
        file("album.cue", "cue");
        file("CD1/notes.txt", "txt");
        file("own.sfv", ExternalCommand.succeed(album, "rhash", "--sfv", "Track 1.mp3", "cover.jpg", "info.nfo"));
        file("gone.m3u", "Old Name.mp3\nCD9\\gone.flac\n../Other/missing.flac\ncover.jpg\nalbum.cue\nCD1/notes.txt\n");
        file("folder.m3u", "CD1\n");
        file("empty.sfv", "");
        assertTrue(new File(album, "x.flac").mkdir());
        file("namesAFolder.m3u", "x.flac\n");
        byte[] garbage = new byte[4096];
        new Random(5).nextBytes(garbage);
        Files.write(new File(album, "garbage.sfv").toPath(), garbage);

        run(new File(album, "Track 1.mp3"));
        assertEquals(Set.of("00-album.m3u", "00-album.sfv", "Track 1.mp3", "cover.jpg", "info.nfo", "album.cue"),
                contents().keySet());
        assertEquals("", err.text());
    }

    @Test
    void linksAndPipesNamedLikeListsAreNotReadAndGo() throws Exception {
        file("01 - One.flac", "one");
        File target = file("elsewhere/target.m3u", "../01 - One.flac\n");
        Files.createSymbolicLink(new File(album, "link.m3u").toPath(), target.toPath());
        ExternalCommand.succeed(album, "mkfifo", "fifo.sfv");
        file("viaLink.m3u", "link.flac\n");
        Files.createSymbolicLink(new File(album, "link.flac").toPath(), new File(album, "01 - One.flac").toPath());

        run();
        assertFalse(Files.exists(new File(album, "link.m3u").toPath(), LinkOption.NOFOLLOW_LINKS));
        assertFalse(new File(album, "fifo.sfv").exists());
        assertTrue(target.isFile());
        // A link among the entries is followed: it leads to a FLAC track.
        assertTrue(new File(album, "viaLink.m3u").isFile());
    }

    @Test
    void aListTooLargeToReadIsKept() throws Exception {
        try (RandomAccessFile large = new RandomAccessFile(new File(album, "large.sfv"), "rw")) {
            large.setLength((16L << 20) + 1);
        }
        run();
        assertEquals(Set.of("00-album.m3u", "00-album.sfv", "large.sfv"), contents().keySet());
    }

    @Test
    void aKeptListOfTheNewListsNameIsWrittenOverByNothing() throws Exception {
        flacAlbum();
        file("00-album.m3u", "01 - One.flac\n");
        file("00-album.sfv", "01 - One.flac 12345678\n");
        Map<String, byte[]> before = contents();
        assertEquals(List.of(), plan());
        run();
        assertEquals(before.keySet(), contents().keySet());
        assertKept(before, "00-album.m3u", "00-album.sfv");
        assertEquals("", err.text());

        // With MP3 tracks beside, their lists cannot be written: that is said.
        File track = file("03-a-b.mp3", "mp3");
        run(track);
        assertKept(before, "00-album.m3u", "00-album.sfv");
        File folder = album.getCanonicalFile();
        assertEquals(List.of("Cannot write " + new File(folder, "00-album.m3u") + ": it lists other tracks, kept as it is",
                "Cannot write " + new File(folder, "00-album.sfv") + ": it lists other tracks, kept as it is"), err.lines());
    }

    /** The list written last tells a track's checksum, whichever the folder lists first. */
    @Test
    void theNewestOfTwoListsCounts() throws Exception {
        File track = file("01-a-b.mp3", "123456789");
        long now = System.currentTimeMillis();
        Files.setLastModifiedTime(track.toPath(), FileTime.fromMillis(now - 120_000));
        for (boolean rightIsNewer : new boolean[] {true, false}) {
            File wrong = file("a.sfv", "01-a-b.mp3 12345678\n");
            File right = file("b.sfv", "01-a-b.mp3 cbf43926\n");
            Files.setLastModifiedTime(wrong.toPath(), FileTime.fromMillis(now - (rightIsNewer ? 60_000 : 0)));
            Files.setLastModifiedTime(right.toPath(), FileTime.fromMillis(now - (rightIsNewer ? 0 : 60_000)));
            run(track);
            assertTrue(new File(album, "00-album.sfv").delete());
        }
        assertEquals(List.of("Checksum of " + track + " changed since " + new File(album, "a.sfv")
                + ": was 12345678, now cbf43926"), err.lines());
    }
}
