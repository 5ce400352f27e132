package app.steps;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import app.CapturedStream;
import app.Context;
import app.Diagnostics;
import app.Step;
import app.disk.RealDisk;
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
import org.junit.jupiter.params.provider.CsvSource;

class ImagesAndInfoRenamerTest {
    @TempDir
    File root;
    private final CapturedStream out = new CapturedStream();
    private final CapturedStream err = new CapturedStream();
    private final Diagnostics diagnostics = new Diagnostics(err.stream);

    private File album(String name, String... entries) throws IOException {
        File album = new File(root, name);
        assertTrue(album.mkdir());
        for (String entry : entries) {
            TestTracks.write(album, entry, entry.getBytes());
        }
        return album;
    }

    private void run(Step step, File album) {
        Context context = new Context();
        context.setText(album.getName().toLowerCase());
        step.execute(album, context);
    }

    private static Set<String> names(File album) {
        return new TreeSet<>(Arrays.asList(album.list()));
    }

    @ParameterizedTest(name = "{0} becomes {2} in {1}")
    @CsvSource(delimiter = '|', value = {
        "Front Cover.JPG          | album       | 00-album-front_cover.jpg",
        "00-album-front_cover.jpg | album       | 00-album-front_cover.jpg",
        "scan00-album-1.png       | album       | 00-album-scan1.png",
        "00-Album-Back.jpg        | album       | 00-album-00-album-back.jpg",
        "00-album-00-album-back.jpg | album     | 00-album-back.jpg",
        "Inlay.Jpeg               | album       | 00-album-inlay.jpeg",
        "Cover Art.jpg            | my album    | 00-my album-cover_art.jpg",
        "00-my album-cover_art.jpg | my album   | 00-my album-cover_art.jpg",
        "00-a+b (1) [x]-Back.png  | a+b (1) [x] | 00-a+b (1) [x]-back.png",
        "00-00-album-album-x.gif  | album       | 00-album-00-album-x.gif",
        "Tab\tHere.BMP            | album       | 00-album-tab\there.bmp",
    })
    void imageNames(String current, String text, String expected) {
        assertEquals(expected, ImagesRenamer.newName(current, text));
    }

    @Test
    void imagesAreRenamedAndPrintedAndTheFirstListedWinsASharedName() throws IOException {
        File album = album("Album", "Front Cover.jpg", "front_cover.jpg", "Back.PNG", "notes.txt", "00-album.m3u", "x.mp3");
        assertTrue(new File(album, "Scans.png").mkdir());
        String first = Arrays.stream(album.list()).filter(n -> n.startsWith("Front") || n.startsWith("front")).findFirst().get();
        String loser = first.equals("front_cover.jpg") ? "Front Cover.jpg" : "front_cover.jpg";

        run(new ImagesRenamer(out.stream, new RealDisk(diagnostics)), album);
        assertEquals(Set.of("00-album-front_cover.jpg", loser, "00-album-back.png", "00-album-scans.png",
                "notes.txt", "00-album.m3u", "x.mp3"), names(album));
        assertEquals(first, new String(Files.readAllBytes(new File(album, "00-album-front_cover.jpg").toPath())));
        assertEquals(4, out.lines().size());
        assertTrue(out.lines().contains(album.getPath() + File.separator + "00-album-scans.png"));
    }

    @Test
    void infoFilesAllAimAtOneNameAndTheFirstListedTakesIt() throws IOException {
        File album = album("Album", "Info.NFO", "readme.txt");
        String first = album.list()[0];
        String other = first.equals("Info.NFO") ? "readme.txt" : "Info.NFO";

        run(new NFORenamer(out.stream, new RealDisk(diagnostics)), album);
        String target = album.getPath() + File.separator + "00-album.nfo";
        assertEquals(List.of(target, target), out.lines());
        assertEquals(Set.of("00-album.nfo", other), names(album));
        assertEquals(first, new String(Files.readAllBytes(new File(target).toPath())));
        assertEquals("", err.text());
    }

    @Test
    void infoFileNameAlreadyTakenStaysWithItsHolder() throws IOException {
        File album = album("Album", "00-album.nfo", "readme.txt", "NOTES.txt");
        assertTrue(new File(album, "liner.TXT").mkdir());
        Set<String> before = names(album);
        run(new NFORenamer(out.stream, new RealDisk(diagnostics)), album);
        assertEquals(before, names(album));
        assertEquals(4, out.lines().size());
        assertEquals("", err.text());
    }

    @Test
    void singleInfoFileBecomesNfoAndAFolderIsRenamedLikeAFile() throws IOException {
        File notes = album("Notes", "notes.TXT");
        run(new NFORenamer(out.stream, new RealDisk(diagnostics)), notes);
        assertEquals(Set.of("00-notes.nfo"), names(notes));

        File liner = album("Liner");
        assertTrue(new File(liner, "Liner Notes.txt").mkdir());
        run(new NFORenamer(out.stream, new RealDisk(diagnostics)), liner);
        assertTrue(new File(liner, "00-liner.nfo").isDirectory());
    }

    @Test
    void letterCaseOnlyChangeTakesEffect() throws IOException {
        File album = album("Album", "00-ALBUM.NFO", "00-album-COVER.JPG");
        run(new NFORenamer(out.stream, new RealDisk(diagnostics)), album);
        run(new ImagesRenamer(out.stream, new RealDisk(diagnostics)), album);
        assertEquals(Set.of("00-album.nfo", "00-album-cover.jpg"), names(album));
    }

    /** The new name of the first image is longer than a file name may be; the system's refusal is reported. */
    @Test
    void renameTheSystemRefusesIsReportedAndTheOthersGoOn() throws IOException {
        String longName = "x".repeat(250) + ".jpg";
        File album = album("Album", longName, "Back.png");
        run(new ImagesRenamer(out.stream, new RealDisk(diagnostics)), album);
        assertEquals(Set.of(longName, "00-album-back.png"), names(album));
        assertEquals(2, out.lines().size());
        List<String> reported = err.lines();
        assertEquals(1, reported.size());
        assertTrue(reported.get(0).contains(new File(album, longName) + " to 00-album-" + longName), reported.get(0));
        assertTrue(reported.get(0).endsWith("File name too long"), reported.get(0));
    }

    @Test
    void folderNameWithPatternCharactersIsTakenLiterally() throws IOException {
        File album = album("A+B (1) [x]", "00-a+b (1) [x]-Front.jpg", "info.nfo");
        run(new ImagesRenamer(out.stream, new RealDisk(diagnostics)), album);
        run(new NFORenamer(out.stream, new RealDisk(diagnostics)), album);
        assertEquals(Set.of("00-a+b (1) [x]-front.jpg", "00-a+b (1) [x].nfo"), names(album));
    }
}
