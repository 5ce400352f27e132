package app;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import app.disk.Disk;
import app.disk.ForwardingDisk;
import app.disk.RealDisk;
import app.disk.TrackTimes;
import app.report.Progress;
import app.steps.ChecksumTrust;
import app.steps.M3UCreator;
import app.steps.Mp3FilesRenamer;
import app.steps.SVFCreator;
import app.steps.TestTracks;
import java.io.File;
import java.io.IOException;
import java.io.RandomAccessFile;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.attribute.FileTime;
import java.util.ArrayList;
import java.util.List;
import java.util.Map;
import java.util.TreeMap;
import java.util.TreeSet;
import java.util.stream.Stream;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.RegisterExtension;
import org.junit.jupiter.api.io.TempDir;

/** Quick re-runs: which tracks they read, and that they leave what a normal run leaves. */
class QuickRunTest {
    private static final FileTime LONG_AGO = FileTime.fromMillis(1_000_000_000_000L);

    @TempDir
    File root;
    private File music;
    private File album;
    private File twin;
    private File twinAlbum;
    private final CapturedStream out = new CapturedStream();
    private final CapturedStream err = new CapturedStream();
    @RegisterExtension
    final StateFolderProperty stateFolder = new StateFolderProperty();
    /** The tracks whose bytes the run read, by the bytes each read. */
    private final List<Long> read = new ArrayList<>();
    private final Progress counting = new Progress() {
        @Override
        public void read(long bytes) {
            read.add(bytes);
        }
    };

    /** Two like libraries, each tidied by a normal run: the quick run goes over one, a normal run over its twin. */
    @BeforeEach
    void tidiedLibraries() throws Exception {
        music = new File(root, "Music");
        twin = new File(root, "Twin");
        album = library(music);
        twinAlbum = library(twin);
        assertEquals(0, Main.run(new String[] {music.getPath()}, out.stream, err.stream));
        assertEquals(0, Main.run(new String[] {twin.getPath()}, out.stream, err.stream));
        // Past the coarse clock that stamps the lists and the tracks' change times.
        Thread.sleep(50);
    }

    /** An album of three tracks written long ago. */
    private static File library(File music) throws IOException {
        File album = new File(music, "Band - Album");
        assertTrue(album.mkdirs());
        for (String[] track : new String[][] {{"a.mp3", "1", "First"}, {"b.mp3", "2", "Second"}, {"c.mp3", "3", "Third"}}) {
            File file = TestTracks.tagged(album, track[0], track[1], "Band", track[2]);
            Files.setLastModifiedTime(file.toPath(), LONG_AGO);
        }
        return album;
    }

    /** A change made by hand to an album of either library. */
    private interface ChangeByHand {
        void make(File album) throws Exception;
    }

    /**
     * Makes the change in both libraries, then runs quickly over the one and normally over the
     * other: both end alike (status, reports, names and bytes) and the quick run read that many tracks.
     */
    private void expectAsANormalRunReading(int tracks, ChangeByHand change) throws Exception {
        change.make(album);
        change.make(twinAlbum);
        CapturedStream normalErr = new CapturedStream();
        int normal = Main.run(new String[] {twin.getPath()}, out.stream, normalErr.stream);
        CapturedStream quickErr = new CapturedStream();
        read.clear();
        assertEquals(normal, Main.run(new String[] {"--quick", music.getPath()}, out.stream, quickErr.stream, counting));
        assertEquals(normalErr.text().replace(twin.getPath(), music.getPath()), quickErr.text());
        assertEquals(tree(twin), tree(music));
        assertEquals(tracks, read.size(), "tracks read");
    }

    /** Every file below the folder by its path there, with its bytes; a list's lines in any order. */
    private static Map<String, String> tree(File folder) throws IOException {
        Map<String, String> tree = new TreeMap<>();
        try (Stream<Path> entries = Files.walk(folder.toPath())) {
            for (Path entry : (Iterable<Path>) entries::iterator) {
                String bytes = Files.isRegularFile(entry) ? new String(Files.readAllBytes(entry), StandardCharsets.ISO_8859_1)
                        : "folder";
                boolean list = entry.toString().endsWith(".sfv") || entry.toString().endsWith(".m3u");
                tree.put(folder.toPath().relativize(entry).toString(), list ? new TreeSet<>(List.of(bytes.split("\n"))).toString()
                        : bytes);
            }
        }
        return tree;
    }

    @Test
    void overAnUnchangedLibraryItReadsNoTrackAndLeavesWhatANormalRunLeaves() throws Exception {
        expectAsANormalRunReading(0, album -> { });
        assertEquals("", err.text());
    }

    @Test
    void aTrackTouchedOrEditedOrAddedIsRead() throws Exception {
        expectAsANormalRunReading(3, album -> {
            Files.setLastModifiedTime(new File(album, "01-band-first.mp3").toPath(),
                    FileTime.fromMillis(System.currentTimeMillis()));
            Path edited = new File(album, "02-band-second.mp3").toPath();
            Files.write(edited, Files.readAllBytes(edited));
            TestTracks.tagged(album, "n.mp3", "4", "Band", "New");
        });
    }

    @Test
    void tracksWhoseNamesWereSwappedByHandWithTheirTimesAreRead() throws Exception {
        expectAsANormalRunReading(2, album -> {
            Path first = new File(album, "01-band-first.mp3").toPath();
            Path second = new File(album, "02-band-second.mp3").toPath();
            Path spare = first.resolveSibling("spare");
            Files.move(first, spare);
            Files.move(second, first);
            Files.move(spare, second);
        });
    }

    @Test
    void aTrackReplacedByAnOlderFileUnderANameNoListHoldsIsRead() throws Exception {
        expectAsANormalRunReading(1, album -> {
            Path third = new File(album, "03-band-third.mp3").toPath();
            Path replaced = third.resolveSibling("Third.mp3");
            Files.move(third, replaced);
            Files.setLastModifiedTime(replaced, LONG_AGO);
        });
    }

    @Test
    void aListCutInsideItsLastDigitsHasThatTrackRead() throws Exception {
        expectAsANormalRunReading(1, album -> {
            try (RandomAccessFile file = new RandomAccessFile(new File(album, "00-band - album.sfv"), "rw")) {
                file.setLength(file.length() - 4);
            }
        });
    }

    @Test
    void aListDatedAheadOfTheRunTrustsNoTrack() throws Exception {
        expectAsANormalRunReading(3, album -> Files.setLastModifiedTime(new File(album, "00-band - album.sfv").toPath(),
                FileTime.fromMillis(System.currentTimeMillis() + 3_600_000)));
    }

    @Test
    void twoOldListsThatDisagreeOnATrackHaveItRead() throws Exception {
        expectAsANormalRunReading(1, album -> {
            File other = TestTracks.write(album, "other.sfv", "01-band-first.mp3 12345678\n".getBytes());
            Files.setLastModifiedTime(other.toPath(), LONG_AGO);
        });
    }

    @Test
    void aDamagedTrackWithItsTimeSetBackIsReadWhereTheChangeTimeShowsTheWrite() throws Exception {
        expectAsANormalRunReading(1, QuickRunTest::damageThird);
        assertTrue(list().contains("03-band-third.mp3 "), list());
    }

    /** The last byte of the third track flipped, its modification time set back as it was. */
    private static void damageThird(File album) throws IOException {
        Path damaged = new File(album, "03-band-third.mp3").toPath();
        byte[] bytes = Files.readAllBytes(damaged);
        bytes[bytes.length - 1] ^= 1;
        Files.write(damaged, bytes);
        Files.setLastModifiedTime(damaged, LONG_AGO);
    }

    private File track(String name) {
        return new File(album, name);
    }

    /** The album's checksum list, its lines in order of their text. */
    private String list() throws IOException {
        return new TreeSet<>(Files.readAllLines(new File(album, "00-band - album.sfv").toPath())).toString();
    }

    @Test
    void whereNoChangeTimeCanBeReadADamagedTrackWithItsTimeSetBackIsTrusted() throws Exception {
        damageThird(album);
        String before = list();

        Diagnostics diagnostics = new Diagnostics(err.stream);
        Disk disk = new ForwardingDisk(new RealDisk(diagnostics, counting)) {
            @Override
            public TrackTimes times(File track) throws IOException {
                return new TrackTimes(disk.times(track).modified, null);
            }
        };
        read.clear();
        ChecksumTrust trust = ChecksumTrust.since(FileTime.fromMillis(System.currentTimeMillis()));
        assertEquals(0, Main.run(new String[] {music.getPath()}, out.stream, diagnostics, disk, List.of(
                new DirectoryNameAnalizer(), new Mp3FilesRenamer(disk, diagnostics, true), new M3UCreator(disk, diagnostics),
                new SVFCreator(disk, diagnostics, trust)), counting));
        assertEquals(List.of(), read);
        assertEquals(before, list());
        assertEquals("", err.text());
    }

    @Test
    void listsOfOtherToolsAreTrustedByTheSameRulesAndGarbageTrustsNothing() throws Exception {
        expectAsANormalRunReading(0, album -> {
            Files.delete(new File(album, "00-band - album.sfv").toPath());
            String cksfv = ExternalCommand.succeed(album, "cksfv", "-q", "01-band-first.mp3", "02-band-second.mp3");
            String rhash = ExternalCommand.succeed(album, "rhash", "--crc32", "03-band-third.mp3").toUpperCase()
                    .replace("03-BAND-THIRD.MP3", "03-band-third.mp3");
            TestTracks.write(album, "cksfv.sfv", ("; a comment\n" + cksfv).getBytes());
            TestTracks.write(album, "rhash.sfv", rhash.getBytes());
            TestTracks.write(album, "garbage.sfv", "01-band-first.mp3 nothex\n\u0000\u0001".getBytes());
            Thread.sleep(50);
        });
        assertTrue(ExternalCommand.succeed(album, "cksfv", "-f", "00-band - album.sfv").contains("Everything OK"));
    }

    @Test
    void aGarbageListTrustsNothing() throws Exception {
        expectAsANormalRunReading(3, album -> {
            Files.delete(new File(album, "00-band - album.sfv").toPath());
            TestTracks.write(album, "garbage.sfv", "01-band-first.mp3 nothex\n\u0000\u0001 ff\n".getBytes());
            Thread.sleep(50);
        });
    }

    @Test
    void anAlbumWithoutAnOldListIsReadWhole() throws Exception {
        expectAsANormalRunReading(3, album -> Files.delete(new File(album, "00-band - album.sfv").toPath()));
    }
}
