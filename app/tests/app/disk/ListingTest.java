package app.disk;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import app.CapturedStream;
import app.Diagnostics;
import app.steps.TestTracks;
import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.NoSuchFileException;
import java.nio.file.NotDirectoryException;
import java.nio.file.attribute.BasicFileAttributes;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

class ListingTest {
    @TempDir
    File dir;
    private final CapturedStream err = new CapturedStream();
    private final Diagnostics diagnostics = new Diagnostics(err.stream);

    private List<File> withAttributes(File folder) throws IOException {
        return Listing.listingWithAttributes(folder, entry -> true, diagnostics);
    }

    @Test
    void givesTheEntriesOfThePlainListingInItsOrderEachWithItsAttributesLinksFollowed() throws IOException {
        for (int i = 0; i < 20; i++) {
            TestTracks.write(dir, "track " + i + ".mp3", new byte[i]);
        }
        assertTrue(new File(dir, "folder.mp3").mkdir());
        Files.createSymbolicLink(new File(dir, "link.mp3").toPath(), new File(dir, "track 7.mp3").toPath());
        Files.createSymbolicLink(new File(dir, "dangling.mp3").toPath(), new File(dir, "nothing").toPath());

        List<File> listed = withAttributes(dir);
        assertEquals(Arrays.asList(Listing.list(dir, entry -> true)), listed);
        for (File entry : listed) {
            BasicFileAttributes attributes = ListedEntry.attributesOf(entry);
            if (entry.getName().equals("dangling.mp3")) {
                assertNull(attributes, "a link that cannot be followed gives no kind to go by");
                continue;
            }
            assertNotNull(attributes, entry.getName());
            if (entry.getName().startsWith("track ")) {
                assertTrue(attributes.isRegularFile());
                assertEquals(Files.size(entry.toPath()), attributes.size());
            }
        }
        BasicFileAttributes link = ListedEntry.attributesOf(listed.get(listed.indexOf(new File(dir, "link.mp3"))));
        assertTrue(link.isRegularFile() && link.size() == 7);
        assertTrue(ListedEntry.attributesOf(listed.get(listed.indexOf(new File(dir, "folder.mp3")))).isDirectory());
        assertEquals("", err.text());
    }

    @Test
    void passesOnlyWhatTheFilterLetsThrough() throws IOException {
        TestTracks.write(dir, "a.mp3", new byte[0]);
        TestTracks.write(dir, "cover.jpg", new byte[0]);
        List<String> names = new ArrayList<>();
        for (File entry : Listing.listingWithAttributes(dir, entry -> entry.getName().endsWith(".mp3"), diagnostics)) {
            names.add(entry.getName());
        }
        assertEquals(List.of("a.mp3"), names);
    }

    /** Album folders may be links to folders. */
    @Test
    void aFolderReachedThroughALinkGivesItsTargetsEntries() throws IOException {
        File target = new File(dir, "target");
        assertTrue(target.mkdir());
        TestTracks.write(target, "a.mp3", new byte[3]);
        File link = new File(dir, "album");
        Files.createSymbolicLink(link.toPath(), target.toPath());
        List<File> listed = withAttributes(link);
        assertEquals(List.of(new File(link, "a.mp3")), listed);
        assertEquals(3, ListedEntry.attributesOf(listed.get(0)).size());
    }

    @Test
    void aFolderThatCannotBeListedThrowsTheSystemsReason() throws IOException {
        File file = TestTracks.write(dir, "a.mp3", new byte[0]);
        assertThrows(NotDirectoryException.class, () -> withAttributes(file));
        assertThrows(NoSuchFileException.class, () -> withAttributes(new File(dir, "gone")));
    }
}
