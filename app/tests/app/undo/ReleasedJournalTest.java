package app.undo;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import app.CapturedStream;
import app.Diagnostics;
import app.StateFolderProperty;
import app.report.Progress;
import java.io.File;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.nio.file.Path;
import java.nio.file.Paths;
import java.nio.file.attribute.FileTime;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Base64;
import java.util.List;
import java.util.Map;
import java.util.TreeMap;
import java.util.concurrent.TimeUnit;
import java.util.stream.Collectors;
import java.util.stream.Stream;
import java.util.zip.CRC32;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.RegisterExtension;
import org.junit.jupiter.api.io.TempDir;

/**
 * A journal that release 1.1.0 wrote is still read and undone, whatever the code that reads it has
 * become. The fixture was made once by tools/make-released-journal.py with the 1.1.0 build: an
 * album of three tracks tagged by eyeD3 (two of them giving the same name, so that one keeps its
 * own), a cover, an old playlist and an old checksum list, every file at a fixed time; one run of
 * the application on it, then its journal as written and the tree before and after the run. Each
 * manifest line is "folder" and a relative path, or "file", a relative path, the modification
 * time in ns and the bytes in base64, apart by tabs. Journal lines are fields apart by tabs, then
 * the CRC-32 of the UTF-8 text before that last tab in lower-case hex; the test moves the run's
 * music folder to its own and checks the CRCs by itself, so that the format stays pinned.
 */
class ReleasedJournalTest {
    private static final Path FIXTURE = Paths.get(System.getProperty("dovatrik.test.resources"), "journal-1.1.0");
    private static final String ALBUM = "Band - Album";

    @TempDir
    File root;
    @RegisterExtension
    final StateFolderProperty stateFolder = new StateFolderProperty();
    private final CapturedStream out = new CapturedStream();
    private final CapturedStream err = new CapturedStream();
    private File music;
    private File journal;

    @BeforeEach
    void recreateTheRunsTreeAndJournal() throws IOException {
        music = new File(root.getCanonicalFile(), "music");
        for (Map.Entry<String, String[]> entry : manifest("after.manifest").entrySet()) {
            Path path = music.toPath().resolve(entry.getKey());
            String[] fields = entry.getValue();
            if (fields[0].equals("folder")) {
                Files.createDirectories(path);
            } else {
                Files.write(path, Base64.getDecoder().decode(fields[2]));
                Files.setLastModifiedTime(path, FileTime.from(Long.parseLong(fields[1]), TimeUnit.NANOSECONDS));
            }
        }
        journal = writeJournalFor(music);
    }

    /** The released journal with the run's music folder replaced by the test's, every CRC checked and made anew. */
    private File writeJournalFor(File musicFolder) throws IOException {
        File released;
        try (Stream<Path> files = Files.list(FIXTURE)) {
            released = files.filter(path -> path.toString().endsWith(".journal")).findFirst().get().toFile();
        }
        String text = new String(Files.readAllBytes(released.toPath()), StandardCharsets.UTF_8);
        assertTrue(text.endsWith("\n"));
        List<String> lines = Arrays.asList(text.substring(0, text.length() - 1).split("\n", -1));
        String[] folderLine = fields(lines.get(1));
        assertEquals("folder", folderLine[0]);
        String runsFolder = folderLine[1];
        StringBuilder moved = new StringBuilder();
        for (String line : lines) {
            int lastTab = line.lastIndexOf('\t');
            assertEquals(crc(line.substring(0, lastTab)), line.substring(lastTab + 1), line);
            String fields = line.substring(0, lastTab).replace(runsFolder, musicFolder.getPath());
            moved.append(fields).append('\t').append(crc(fields)).append('\n');
        }
        File journals = new File(stateFolder.folder(), "dovatrik" + File.separator + "journal");
        assertTrue(journals.mkdirs());
        File written = new File(journals, released.getName());
        Files.write(written.toPath(), moved.toString().getBytes(StandardCharsets.UTF_8));
        return written;
    }

    private static String[] fields(String line) {
        return line.substring(0, line.lastIndexOf('\t')).split("\t", -1);
    }

    private static String crc(String fields) {
        CRC32 crc = new CRC32();
        crc.update(fields.getBytes(StandardCharsets.UTF_8));
        return Long.toHexString(crc.getValue());
    }

    /** Each relative path with the rest of its manifest line: its kind, then a file's time and bytes. */
    private static Map<String, String[]> manifest(String name) throws IOException {
        Map<String, String[]> entries = new TreeMap<>();
        for (String line : Files.readAllLines(FIXTURE.resolve(name), StandardCharsets.UTF_8)) {
            String[] fields = line.split("\t", -1);
            entries.put(fields[1], fields[0].equals("folder") ? new String[] {"folder"}
                    : new String[] {"file", fields[2], fields[3]});
        }
        return entries;
    }

    /** The music folder as a manifest gives it, one line per entry, to be compared as a whole. */
    private Map<String, String> tree() throws IOException {
        Map<String, String> tree = new TreeMap<>();
        try (Stream<Path> entries = Files.walk(music.toPath())) {
            for (Path entry : entries.skip(1).collect(Collectors.toList())) {
                String relative = music.toPath().relativize(entry).toString().replace(File.separatorChar, '/');
                tree.put(relative, Files.isDirectory(entry, LinkOption.NOFOLLOW_LINKS) ? "folder"
                        : "file\t" + Files.getLastModifiedTime(entry, LinkOption.NOFOLLOW_LINKS).to(TimeUnit.NANOSECONDS)
                                + "\t" + Base64.getEncoder().encodeToString(Files.readAllBytes(entry)));
            }
        }
        return tree;
    }

    private static Map<String, String> expected(String manifest) throws IOException {
        Map<String, String> tree = new TreeMap<>();
        manifest(manifest).forEach((path, fields) -> tree.put(path, String.join("\t", fields)));
        return tree;
    }

    private List<String> undo(boolean planned) {
        Diagnostics diagnostics = new Diagnostics(err.stream);
        new Undo(out.stream, diagnostics, planned, Progress.NONE).undo(music);
        assertEquals("", err.text());
        assertEquals(0, diagnostics.count());
        return out.lines();
    }

    /** Newest change first: the cover, each list the run wrote and the old one it replaced, the tracks. */
    private List<String> undoLines() {
        String album = music.getPath() + File.separator + ALBUM + File.separator;
        return Arrays.asList(
                "rename\t" + album + "00-band - album-front_cover.jpg\tFront Cover.JPG",
                "delete\t" + album + "00-band - album.sfv",
                "restore\t" + album + "00-album.sfv",
                "delete\t" + album + "00-band - album.m3u",
                "restore\t" + album + "Old.M3U",
                "rename\t" + album + "01-band-one.mp3\tTrack 1.mp3",
                "rename\t" + album + "02-band-two.mp3\tTwo again.mp3");
    }

    @Test
    void theUndoGivesBackTheTreeBeforeTheRunAndASecondOneFindsNothing() throws IOException {
        assertEquals(undoLines(), undo(false));
        // Every name and every byte; the times of the tracks and cover the undo left as they were,
        // and those of the lists it restored.
        assertEquals(expected("before.manifest"), tree());

        List<String> again = new ArrayList<>(undo(false));
        assertEquals("Nothing to undo in " + music.getPath(), again.get(again.size() - 1));
        assertEquals(undoLines().size() + 1, again.size());
        assertEquals(expected("before.manifest"), tree());
    }

    @Test
    void aPlannedUndoShowsTheSameLinesAndChangesNothing() throws IOException {
        byte[] journalBefore = Files.readAllBytes(journal.toPath());

        assertEquals(undoLines(), undo(true));
        assertEquals(expected("after.manifest"), tree());
        assertArrayEquals(journalBefore, Files.readAllBytes(journal.toPath()));
    }
}
