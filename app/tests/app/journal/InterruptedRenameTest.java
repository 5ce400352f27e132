package app.journal;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import app.CapturedStream;
import app.Diagnostics;
import app.StateFolderProperty;
import app.disk.Disk;
import app.disk.PlannedDisk;
import app.disk.RealDisk;
import app.rename.RenameCalls;
import app.report.Progress;
import app.steps.AlbumStart;
import app.steps.TestTracks;
import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;
import java.util.List;
import java.util.Set;
import java.util.TreeSet;
import org.junit.jupiter.api.BeforeEach;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.RegisterExtension;
import org.junit.jupiter.api.io.TempDir;

/**
 * A run killed between a rename's second name and its removal of the first leaves the track under
 * both; the next run finishes the rename as that run's journal tells it, before any step lists
 * the album, so that the track is renamed and listed once.
 */
class InterruptedRenameTest {
    @RegisterExtension
    final StateFolderProperty stateFolder = new StateFolderProperty();
    @TempDir
    File music;
    private File album;
    private final CapturedStream out = new CapturedStream();
    private final CapturedStream err = new CapturedStream();
    private final Diagnostics diagnostics = new Diagnostics(err.stream);

    private static final class Killed extends Error {
        private static final long serialVersionUID = 1L;
    }

    /** The system's calls, but the run is killed before it takes the first name from a file. */
    private static final class KilledBeforeRemoval implements RenameCalls {
        @Override
        public boolean exists(Path path) {
            return SYSTEM.exists(path);
        }

        @Override
        public Set<String> names(Path folder) throws IOException {
            return SYSTEM.names(folder);
        }

        @Override
        public void move(Path from, Path to) throws IOException {
            SYSTEM.move(from, to);
        }

        @Override
        public boolean isRegularFile(Path path) {
            return SYSTEM.isRegularFile(path);
        }

        @Override
        public void link(Path existing, Path link) throws IOException {
            SYSTEM.link(existing, link);
        }

        @Override
        public Object fileKey(Path path) throws IOException {
            return SYSTEM.fileKey(path);
        }

        @Override
        public void delete(Path path) {
            throw new Killed();
        }

        @Override
        public void writeNew(Path path, byte[] content) throws IOException {
            SYSTEM.writeNew(path, content);
        }
    }

    @BeforeEach
    void killARunBetweenLinkAndRemoval() throws IOException {
        album = new File(music, "Album");
        assertTrue(album.mkdir());
        File track = TestTracks.write(album, "Track 1.mp3", "x".getBytes());
        Journal journal = Journal.of(JournalFolder.location(), music, "test", diagnostics);
        RealDisk real = new RealDisk(diagnostics, Progress.NONE, new JournalingRenameCalls(new KilledBeforeRemoval(), journal));
        Disk killed = new JournalingDisk(real, journal);
        assertThrows(Killed.class, () -> killed.rename(track, new File(album, "01-a-t.mp3")));
        assertEquals(Set.of("Track 1.mp3", "01-a-t.mp3"), names());
    }

    private Set<String> names() {
        return new TreeSet<>(Arrays.asList(album.list()));
    }

    private boolean start(Disk disk) {
        return new AlbumStart(disk, diagnostics, InterruptedRenames.of(music)).open(album);
    }

    @Test
    void theNextRunTakesTheOldNameWhereBothLeadToOneFile() throws IOException {
        assertTrue(start(new RealDisk(diagnostics)));
        assertEquals(Set.of("01-a-t.mp3"), names());
        assertEquals(1, Files.getAttribute(new File(album, "01-a-t.mp3").toPath(), "unix:nlink"));
        assertEquals("", err.text());
    }

    @Test
    void aDryRunShowsTheRenameItWouldFinishAndChangesNothing() {
        assertTrue(start(new PlannedDisk(out.stream, diagnostics)));
        assertEquals(List.of("rename\t" + new File(album, "Track 1.mp3") + "\t01-a-t.mp3"), out.lines());
        assertEquals(Set.of("Track 1.mp3", "01-a-t.mp3"), names());
    }

    /** Table: what came after the kill; each time the names stay as they are. */
    @Test
    void namesThatNoLongerLeadToOneFileOrARunThatEndedSinceStay() throws IOException {
        File oldName = new File(album, "Track 1.mp3");
        Files.delete(oldName.toPath());
        TestTracks.write(album, "Track 1.mp3", "another file".getBytes());
        assertTrue(start(new RealDisk(diagnostics)));
        assertEquals(Set.of("Track 1.mp3", "01-a-t.mp3"), names());
        assertEquals("another file", new String(Files.readAllBytes(oldName.toPath())));

        Files.delete(oldName.toPath());
        Files.createLink(oldName.toPath(), new File(album, "01-a-t.mp3").toPath());
        Journal ended = Journal.of(JournalFolder.location(), music, "test", diagnostics);
        ended.intent(album, new ListWrite(new File(album, "00-album.m3u").getAbsoluteFile()));
        ended.close();
        assertTrue(start(new RealDisk(diagnostics)));
        assertEquals(Set.of("Track 1.mp3", "01-a-t.mp3"), names());
        assertEquals("", err.text());
    }
}
