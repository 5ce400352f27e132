package app.steps;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import app.CapturedStream;
import app.Context;
import app.Diagnostics;
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

class M3UCreatorTest {
    @TempDir
    File album;
    private final CapturedStream err = new CapturedStream();
    private final Diagnostics diagnostics = new Diagnostics(err.stream);

    private void run(File directory, String text, File... files) {
        Context context = new Context();
        context.setText(text);
        context.setFiles(Arrays.asList(files));
        new M3UCreator(new RealDisk(diagnostics), diagnostics).execute(directory, context);
    }

    private String playlist(String name) throws IOException {
        return new String(Files.readAllBytes(new File(album, name).toPath()));
    }

    @Test
    void withoutTracksThePlaylistIsEmpty() throws IOException {
        run(album, "artist - album");
        assertEquals("", playlist("00-artist - album.m3u"));
        assertEquals("", err.text());
    }

    @Test
    void listsBareNamesWithLineFeedsInTrackOrderDuplicatesAndMissingTracksIncluded() throws IOException {
        File track = new File(album, "02-b-c.mp3");
        run(album, "album", track, new File(album, "01-a-b.mp3"), track, new File("elsewhere", "missing.mp3"));
        assertEquals("02-b-c.mp3\n01-a-b.mp3\n02-b-c.mp3\nmissing.mp3\n", playlist("00-album.m3u"));
    }

    @Test
    void oldPlaylistsInAnyLetterCaseAreReplaced() throws IOException {
        for (String name : List.of("Old.M3U", "00-x.m3u", "list.m3u", "00-album.m3u", "c.m3u8")) {
            TestTracks.write(album, name, "old\n".getBytes());
        }
        assertTrue(new File(album, "empty.m3u").mkdir());
        File track = new File(album, "01-a-b.mp3");
        run(album, "album", track);
        assertEquals(Set.of("00-album.m3u", "c.m3u8"), new TreeSet<>(Arrays.asList(album.list())));
        assertEquals("01-a-b.mp3\n", playlist("00-album.m3u"));
    }

    @Test
    void directoryReachedThroughAnOddPathGetsItsPlaylistInside() throws IOException {
        File inner = new File(album, "Inner");
        assertTrue(inner.mkdir());
        run(new File(inner, "../Inner/."), "inner");
        assertTrue(new File(inner, "00-inner.m3u").isFile());
    }

    @Test
    void nameTakenByAFolderIsReported() throws IOException {
        File folder = new File(album, "00-album.m3u");
        assertTrue(new File(folder, "inside").mkdirs());
        run(album, "album", new File(album, "01-a-b.mp3"));
        List<String> reported = err.lines();
        assertEquals(2, reported.size(), err.text());
        assertEquals("Cannot delete " + folder + ": DirectoryNotEmptyException", reported.get(0));
        assertTrue(reported.get(1).contains(folder.getPath()), err.text());
        assertTrue(new File(folder, "inside").isDirectory());
    }
}
