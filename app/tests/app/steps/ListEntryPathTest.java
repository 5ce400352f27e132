package app.steps;

import static org.junit.jupiter.api.Assertions.assertEquals;

import java.io.File;
import java.nio.file.Path;
import java.nio.file.Paths;
import org.junit.jupiter.api.Test;

/** The paths that entries of lists name, on this system (Linux). */
class ListEntryPathTest {
    private static final File FOLDER = new File("/music/Album");

    private static void assertNames(String expected, String entry) {
        Path named = ListEntryPath.resolve(FOLDER, entry);
        assertEquals(expected, named == null ? null : named.normalize().toString(), entry);
    }

    @Test
    void relativeEntriesLieInTheListsFolderWhicheverSeparatorTheyUse() {
        assertNames("/music/Album/01 - x.flac", "01 - x.flac");
        assertNames("/music/Album/CD1/01 - x.flac", "CD1\\01 - x.flac");
        assertNames("/music/Album/CD2/01.mp3", "CD2/01.mp3");
        assertNames("/music/Other/x.flac", "..\\Other\\x.flac");
        assertNames("/music/Album/.hidden.flac", ".\\.hidden.flac");
    }

    @Test
    void absoluteEntriesAndFileUrls() {
        assertNames("/srv/rips/x.flac", "/srv/rips/x.flac");
        assertNames("/srv/rips/a b+c.flac", "file:///srv/rips/a%20b+c.flac");
        assertNames("/srv/rips/東京.flac", "FILE:/srv/rips/%E6%9D%B1%E4%BA%AC.flac");
        assertNames("/srv/x.flac", "file://localhost/srv/x.flac");
        assertNames("/music/Album/x.flac", "file:x.flac");
    }

    @Test
    void entriesOfOtherSystemsOtherUrlsAndNamesTheSystemRefusesNameNothing() {
        for (String entry : new String[] {"C:\\Music\\x.flac", "c:x.flac", "\\\\server\\share\\x.flac", "//server/x.flac",
                "http://example.com/x.flac", "HTTPS://example.com/x.flac", "rtsp://x/y", "file:///C:/Music/x.flac",
                "file://server/share/x.flac", "file:///srv/bad%zz.flac", "a\u0000b.flac", "",
                "file:"}) {
            assertNames(null, entry);
        }
    }

    /** A name that only looks like a scheme is one: no Windows name holds a colon. */
    @Test
    void aColonAfterTwoLettersIsAScheme() {
        assertEquals(null, ListEntryPath.resolve(FOLDER, "ab:c.flac"));
        assertEquals(Paths.get("/music/Album/a;b.flac"), ListEntryPath.resolve(FOLDER, "a;b.flac"));
    }
}
