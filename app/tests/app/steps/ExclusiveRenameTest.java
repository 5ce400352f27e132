package app.steps;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import app.CapturedStream;
import app.Diagnostics;
import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.util.Arrays;
import java.util.List;
import java.util.Set;
import java.util.TreeSet;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

class ExclusiveRenameTest {
    @TempDir
    File dir;
    private final CapturedStream err = new CapturedStream();

    private boolean rename(File from, File to) {
        return ExclusiveRename.rename(from, to, new Diagnostics(err.stream));
    }

    private File file(String name, String content) throws IOException {
        return TestTracks.write(dir, name, content.getBytes());
    }

    private String content(String name) throws IOException {
        return new String(Files.readAllBytes(new File(dir, name).toPath()));
    }

    private Set<String> names() {
        return new TreeSet<>(Arrays.asList(dir.list()));
    }

    @Test
    void renamesToAFreeNameAndChangesLetterCase() throws IOException {
        assertTrue(rename(file("Old.MP3", "x"), new File(dir, "new.mp3")));
        assertTrue(rename(new File(dir, "new.mp3"), new File(dir, "NEW.mp3")));
        assertTrue(rename(new File(dir, "NEW.mp3"), new File(dir, "NEW.mp3")));
        assertEquals(Set.of("NEW.mp3"), names());
        assertEquals("x", content("NEW.mp3"));
    }

    @Test
    void neverReplacesAFileOrAFolder() throws IOException {
        File source = file("source", "mine");
        file("taken", "theirs");
        assertFalse(rename(source, new File(dir, "taken")));
        assertEquals("theirs", content("taken"));

        File folder = new File(dir, "folder");
        File emptyFolder = new File(dir, "empty folder");
        assertTrue(folder.mkdir() && emptyFolder.mkdir());
        assertFalse(rename(folder, emptyFolder));
        assertFalse(rename(source, emptyFolder));
        assertEquals(Set.of("source", "taken", "folder", "empty folder"), names());
        // A name taken is how entries aiming at one name are settled: no word about it.
        assertEquals("", err.text());
    }

    /** Links resolve to the same file as the entry but are other entries: their names are taken. */
    @Test
    void linksBearingTheNameAreLeftAlone() throws IOException {
        File source = file("a.mp3", "x");
        Files.createLink(new File(dir, "A.MP3").toPath(), source.toPath());
        Files.createSymbolicLink(new File(dir, "link.mp3").toPath(), source.toPath());
        assertFalse(rename(source, new File(dir, "A.MP3")));
        assertFalse(rename(source, new File(dir, "link.mp3")));
        assertEquals(Set.of("a.mp3", "A.MP3", "link.mp3"), names());
        assertTrue(Files.isSymbolicLink(new File(dir, "link.mp3").toPath()));
        assertEquals("", err.text());
    }

    /** The way a letter-case change goes on a file system that ignores case: through a spare name. */
    @Test
    void targetThatResolvesToTheEntryItselfIsTakenOver() throws IOException {
        File inner = new File(dir, "inner");
        assertTrue(inner.mkdir());
        File source = TestTracks.write(inner, "a.mp3", "x".getBytes());
        Files.createSymbolicLink(new File(dir, "same").toPath(), inner.toPath());
        assertTrue(rename(source, new File(dir, "same/a.mp3")));
        assertEquals(List.of("a.mp3"), List.of(inner.list()));
        assertEquals("x", content("inner/a.mp3"));
    }

    @Test
    void refusalsOfTheSystemAreReportedWithTheNamesAndTheReason() throws IOException {
        File source = file("a.mp3", "x");
        String tooLong = "x".repeat(300) + ".mp3";
        assertFalse(rename(source, new File(dir, "nul\0l.mp3")));
        assertFalse(rename(source, new File(dir, tooLong)));
        assertFalse(rename(new File(dir, "missing"), new File(dir, "b.mp3")));
        assertEquals(Set.of("a.mp3"), names());

        List<String> reported = err.lines();
        assertEquals(3, reported.size(), err.text());
        assertTrue(reported.get(0).startsWith("Cannot rename " + source + " to nul"), reported.get(0));
        assertTrue(reported.get(0).contains("Nul character not allowed"), reported.get(0));
        assertEquals("Cannot rename " + source + " to " + tooLong + ": FileSystemException: File name too long",
                reported.get(1));
        assertEquals("Cannot rename " + new File(dir, "missing") + " to b.mp3: NoSuchFileException", reported.get(2));
    }
}
