package app.console;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertThrows;

import app.Diagnostics;
import app.disk.Disk;
import app.disk.PlannedDisk;
import app.disk.ProgressDisk;
import app.disk.RealDisk;
import app.report.Progress;
import java.io.ByteArrayOutputStream;
import java.io.File;
import java.io.IOException;
import java.io.PrintStream;
import java.io.UncheckedIOException;
import java.nio.charset.Charset;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.concurrent.CompletableFuture;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.CsvSource;

class StatusLineTest {
    private static final long MILLISECOND = 1_000_000L;

    @TempDir
    File root;
    /** What reaches the terminal, from the status line and from both erasing streams, in order. */
    private final ByteArrayOutputStream screen = new ByteArrayOutputStream();
    private final PrintStream terminal = new PrintStream(screen, true);
    private long now = 5_000 * MILLISECOND;
    private final StatusLine statusLine = new StatusLine(terminal, 79, () -> now);
    private final Diagnostics diagnostics = new Diagnostics(new PrintStream(new ByteArrayOutputStream(), true));

    private String taken() {
        String text = new String(screen.toByteArray(), StandardCharsets.UTF_8);
        screen.reset();
        return text;
    }

    private static String blanks(int count) {
        return new String(new char[count]).replace('\0', ' ');
    }

    private File track(String name, int bytes) throws IOException {
        File track = new File(root, name);
        Files.write(track.toPath(), new byte[bytes]);
        return track;
    }

    @Test
    void writesAtMostTenTimesASecondAndEachTimeFromTheLineStart() throws IOException {
        Disk disk = watched(statusLine, new RealDisk(diagnostics, statusLine), true);
        File track = track("a.mp3", 1_234_567);
        statusLine.album(1, 2, "Band - Album");
        disk.checksum(track);
        assertEquals("", taken(), "nothing before a tenth of a second has passed");

        now += 100 * MILLISECOND;
        disk.checksum(track);
        assertEquals("\rAlbum 1/2  Band - Album  2 tracks  2.5 MB  0:00", taken());
        now += 99 * MILLISECOND;
        statusLine.album(2, 2, "Other");
        disk.checksum(track);
        assertEquals("", taken());

        now += 62_000 * MILLISECOND;
        disk.checksum(track);
        // Blanks cover the end of the longer line before.
        assertEquals("\rAlbum 2/2  Other  4 tracks  4.9 MB  1:02" + blanks(7), taken());
        statusLine.end();
        assertEquals("\r" + blanks(47) + "\r", taken());
        statusLine.end();
        assertEquals("", taken(), "erased once");
    }

    @Test
    void theWalkForAlbumsShowsItsCountsAtMostTenTimesASecondAndTheAlbumsTheirPaths() {
        now += 100 * MILLISECOND;
        statusLine.looking(1, 0);
        assertEquals("\rLooking for albums: 1 folder, 0 albums", taken());
        statusLine.looking(2, 1);
        assertEquals("", taken());
        now += 100 * MILLISECOND;
        statusLine.looking(12_345, 1);
        assertEquals("\rLooking for albums: 12,345 folders, 1 album", taken());
        now += 100 * MILLISECOND;
        statusLine.album(1, 2, "Some Band" + File.separator + "Greatest Hits");
        assertEquals("\rAlbum 1/2  Some Band" + File.separator + "Greatest Hits  0 tracks  0:00", taken());
    }

    @Test
    void theRealDiskTellsEveryByteItReadsAndNothingForATrackItCannotRead() throws IOException {
        long[] told = {0};
        Progress counting = new Progress() {
            @Override
            public void read(long bytes) {
                told[0] += bytes;
            }
        };
        Disk disk = new RealDisk(diagnostics, counting);
        disk.checksum(track("a.mp3", 3 * 10240 + 7));
        disk.checksum(track("b.mp3", 0));
        assertThrows(IOException.class, () -> disk.checksum(new File(root, "missing.mp3")));
        assertEquals(3 * 10240 + 7, told[0]);
    }

    @Test
    void aDryRunShowsTracksWithoutBytesAndReadsNone() throws IOException {
        Disk disk = watched(statusLine, new PlannedDisk(terminal, diagnostics), false);
        File track = track("a.mp3", 3);
        statusLine.album(7, 4567, "Some Band - Greatest Hits");
        now += 100 * MILLISECOND;
        assertEquals(Disk.UNREAD, disk.checksum(track));
        assertEquals("\rAlbum 7/4567  Some Band - Greatest Hits  1 track  0:00", taken());
    }

    @Test
    void nothingShowsNothingAndLeavesTheChecksumsAsTheyAre() throws IOException {
        File track = track("a.mp3", 3);
        Disk disk = watched(Progress.NONE, new RealDisk(diagnostics), true);
        assertEquals(new RealDisk(diagnostics).checksum(track), disk.checksum(track));
        assertEquals("", taken());
    }

    /** As the run watches its disk. */
    private static Disk watched(Progress progress, Disk disk, boolean readsTracks) {
        progress.readsTracks(readsTracks);
        return new ProgressDisk(disk, progress);
    }

    /** Each line reaches the stream beneath in one write, as through the plain stream: one system call. */
    @Test
    void aLineGoesOnInOneWrite() throws IOException {
        List<String> writes = new ArrayList<>();
        PrintStream beneath = new PrintStream(new ByteArrayOutputStream(), true, "UTF-8") {
            @Override
            public void write(byte[] bytes, int offset, int length) {
                writes.add(new String(bytes, offset, length, StandardCharsets.UTF_8));
            }
        };
        PrintStream out = new ErasingPrintStream(beneath, StandardCharsets.UTF_8, statusLine);
        String end = System.lineSeparator();
        out.println("Directory: music");
        out.println(Arrays.asList("A", "B"));
        out.println();
        assertEquals(Arrays.asList("Directory: music" + end, "[A, B]" + end, end), writes);
    }

    /** Both streams erase the line before they write, and write their text as the plain stream would. */
    @ParameterizedTest
    @CsvSource({"UTF-8", "ISO-8859-1", "IBM850"})
    void theErasingStreamsWriteTheSameBytesAfterTheLineIsGone(String charsetName) throws IOException {
        Charset charset = Charset.forName(charsetName);
        PrintStream out = new ErasingPrintStream(terminal, charset, statusLine);
        PrintStream err = new ErasingPrintStream(terminal, charset, statusLine);
        String text = "Ölçü Café ½ \u6771\u4eac";
        ByteArrayOutputStream plainBytes = new ByteArrayOutputStream();
        PrintStream plain = new PrintStream(plainBytes, true, charset.name());
        plain.println(text);
        plain.print('x');
        plain.printf("%d%n", 12);

        statusLine.album(1, 1, "A");
        now += 100 * MILLISECOND;
        statusLine.album(1, 1, "A");
        String shown = "\rAlbum 1/1  A  0 tracks  0:00";
        String erased = "\r" + blanks(shown.length() - 1) + "\r";
        assertEquals(shown, taken());
        err.println(text);
        out.print('x');
        out.printf("%d%n", 12);
        byte[] written = screen.toByteArray();
        byte[] expected = concat(erased.getBytes(StandardCharsets.US_ASCII), plainBytes.toByteArray());
        assertEquals(new String(expected, StandardCharsets.ISO_8859_1), new String(written, StandardCharsets.ISO_8859_1));
    }

    private static byte[] concat(byte[] first, byte[] second) {
        byte[] both = new byte[first.length + second.length];
        System.arraycopy(first, 0, both, 0, first.length);
        System.arraycopy(second, 0, both, first.length, second.length);
        return both;
    }

    @Test
    void theLineIsWrittenInTheTerminalsCharset() throws IOException {
        ByteArrayOutputStream latin = new ByteArrayOutputStream();
        StatusLine line = new StatusLine(new PrintStream(latin, true, "ISO-8859-1"), 79, () -> now);
        now += 100 * MILLISECOND;
        line.album(1, 1, "Café");
        assertEquals("\rAlbum 1/1  Café  0 tracks  0:00", new String(latin.toByteArray(), StandardCharsets.ISO_8859_1));
    }

    @Test
    void theNameIsCutSoTheLineFillsTheWidthAndNoMore() {
        String name = "Some Band - The Greatest Hits Of All Times, Remastered And Expanded Deluxe Edition";
        String text = StatusText.of(123, 4567, name, 2345, 12_345_678_901L, 271, 79);
        assertEquals("Album 123/4567  Some Band - The Greatest Hits Of A  2,345 tracks  12.3 GB  4:31", text);
        assertEquals(79, text.length());
    }

    @ParameterizedTest
    @CsvSource(delimiter = '|', value = {
        "79|Album 1/2  A  0 tracks  0 B  0:00",
        "33|Album 1/2  A  0 tracks  0 B  0:00",
        "32|Album 1/2  0 tracks  0 B  0:00",
        "10|'Album 1/2 '",
        "1|A"})
    void aNarrowTerminalCutsTheNameFirstThenTheLine(int width, String expected) {
        assertEquals(expected, StatusText.of(1, 2, "A", 0, 0, 0, width));
    }

    @Test
    void wideCharactersTakeTwoColumnsAndControlCharactersShowAsLetters() {
        String name = "\u6771\u4eac\u6771\u4eac\u6771\u4eac\u6771\u4eac\u6771\u4eac\u6771\u4eac\u6771\u4eac";
        String text = StatusText.of(1, 1, name, 0, -1, 0, 40);
        assertEquals("Album 1/1  \u6771\u4eac\u6771\u4eac\u6771\u4eac  0 tracks  0:00", text);
        assertEquals(39, StatusText.columns(text), "a wide character that would cross the edge stays out");
        assertEquals("Album 1/1  a^Ib^Mc^[d?e^  0 tracks  0:00",
                StatusText.of(1, 1, "a\tb\rc\u001bd\u009be^", 0, -1, 0, 79));
        assertEquals("Album 1/1  \uD83C\uDFB5x  0 tracks  0:00", StatusText.of(1, 1, "\uD83C\uDFB5x\uD83C\uDFB5", 0, -1, 0, 30));
    }

    @ParameterizedTest
    @CsvSource({"0, 0 B", "999, 999 B", "1000, 1.0 kB", "999949, 999.9 kB", "999950, 1.0 MB", "1049, 1.0 kB", "1050, 1.1 kB", "999999999, 1.0 GB", "12345678901, 12.3 GB",
        "9223372036854775807, 9.2 EB"})
    void bytesShowInDecimalUnits(long bytes, String expected) {
        assertEquals(expected, StatusText.size(bytes));
    }

    @ParameterizedTest
    @CsvSource({"0, 0", "1, 1", "999, 999", "1000, '1,000'", "123456, '123,456'", "1234567, '1,234,567'"})
    void tracksAreCountedWithACommaBetweenThousands(long count, String expected) {
        assertEquals(expected, StatusText.grouped(count));
    }

    @ParameterizedTest
    @CsvSource({"0, 0:00", "59, 0:59", "271, 4:31", "3599, 59:59", "3600, 1:00:00", "3871, 1:04:31", "360000, 100:00:00"})
    void timeShowsMinutesAndSecondsAndHoursOnceThereAreAny(long seconds, String expected) {
        assertEquals(expected, StatusText.time(seconds));
    }

    @ParameterizedTest
    @CsvSource(value = {"120, 120", "' 100 ', 100", "1, 1", "0, 79", "-5, 79", "wide, 79", "99999, 79", "NULL, 79"},
            nullValues = "NULL")
    void theWidthIsTheExportedColumnsOr79(String columns, int expected) {
        assertEquals(expected, StatusLine.width(columns));
    }

    @Test
    void underTheTestRunnerTheOutputIsNoTerminal() throws Exception {
        assertFalse(Terminal.isStandardOutput());
        assertFalse(Terminal.checkBesideTheWork().get());
    }

    /** The terminal check's verdict, given by each test once half a second of work is done. */
    private final CompletableFuture<Boolean> check = new CompletableFuture<>();

    /** Half a second of work on a line whose terminal check goes on, and that shows nothing meanwhile. */
    private Runnable workWhileTheCheckGoesOn() throws IOException {
        StatusLine line = new StatusLine(terminal, 79, () -> now, check);
        Disk disk = watched(line, new RealDisk(diagnostics, line), true);
        File track = track("a.mp3", 1000);
        line.album(1, 1, "Band - Album");
        Runnable nextTrack = () -> {
            now += 100 * MILLISECOND;
            try {
                disk.checksum(track);
            } catch (IOException e) {
                throw new UncheckedIOException(e);
            }
        };
        for (int i = 0; i < 5; i++) {
            nextTrack.run();
        }
        assertEquals("", taken());
        return nextTrack;
    }

    @Test
    void afterTheCheckFoundNoTerminalNothingShows() throws IOException {
        Runnable nextTrack = workWhileTheCheckGoesOn();
        check.complete(false);
        nextTrack.run();
        assertEquals("", taken());
    }

    @Test
    void theLineShowsOnceTheCheckFoundATerminalWithWhatWasDoneMeanwhile() throws IOException {
        Runnable nextTrack = workWhileTheCheckGoesOn();
        check.complete(true);
        nextTrack.run();
        assertEquals("\rAlbum 1/1  Band - Album  6 tracks  6.0 kB  0:00", taken());
    }
}
