package app.journal;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;

import app.CapturedStream;
import app.Diagnostics;
import app.StateFolderProperty;
import app.disk.Disk;
import app.disk.RealDisk;
import app.rename.RenameCalls;
import app.rename.RenameOutcome;
import app.report.Progress;
import app.steps.AlbumStart;
import app.steps.TestTracks;
import app.undo.Undo;
import java.io.File;
import java.io.IOException;
import java.nio.file.FileAlreadyExistsException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Arrays;
import java.util.Comparator;
import java.util.Set;
import java.util.TreeSet;
import java.util.stream.Stream;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.RegisterExtension;
import org.junit.jupiter.api.io.TempDir;

/**
 * A change of letter case on a file system that ignores case goes through a spare name, which no
 * Linux file system makes the run take: a stand-in of the rename calls that ignores case over the
 * real disk does. The journaled rename is killed before each of its changes in turn (an Error that
 * nothing catches: no confirmation, no closing line, as a kill leaves them). After each, an undo
 * gives back the old name and a second finds nothing; on the same killed state a next run leaves
 * the new name, as an uninterrupted run does.
 */
class SpareNameKillTest {
    @RegisterExtension
    final StateFolderProperty stateFolder = new StateFolderProperty();
    @TempDir
    File music;
    private final CapturedStream out = new CapturedStream();
    private final CapturedStream err = new CapturedStream();
    private final Diagnostics diagnostics = new Diagnostics(err.stream);

    private static final class Killed extends Error {
        private static final long serialVersionUID = 1L;
    }

    /** The system's calls as a folder that ignores letter case answers them; killed before change number killAt. */
    private static final class CaseBlindCalls implements RenameCalls {
        private final int killAt;
        int changes;

        CaseBlindCalls(int killAt) {
            this.killAt = killAt;
        }

        private void change() {
            if (++changes == killAt) {
                throw new Killed();
            }
        }

        @Override
        public boolean exists(Path path) {
            String[] names = path.getParent().toFile().list();
            return names != null && Arrays.stream(names).anyMatch(name -> name.equalsIgnoreCase(path.getFileName().toString()));
        }

        @Override
        public Set<String> names(Path folder) throws IOException {
            return SYSTEM.names(folder);
        }

        @Override
        public void move(Path from, Path to) throws IOException {
            change();
            if (exists(to)) {
                throw new FileAlreadyExistsException(to.toString());
            }
            SYSTEM.move(from, to);
        }

        @Override
        public boolean isRegularFile(Path path) {
            return SYSTEM.isRegularFile(path);
        }

        @Override
        public Object fileKey(Path path) throws IOException {
            return SYSTEM.fileKey(path);
        }

        @Override
        public void link(Path existing, Path link) throws IOException {
            change();
            if (exists(link)) {
                throw new FileAlreadyExistsException(link.toString());
            }
            SYSTEM.link(existing, link);
        }

        @Override
        public void delete(Path path) throws IOException {
            change();
            SYSTEM.delete(path);
        }

        @Override
        public void writeNew(Path path, byte[] content) throws IOException {
            change();
            SYSTEM.writeNew(path, content);
        }
    }

    private File album() {
        return new File(music, "Album");
    }

    private Disk caseBlindDisk(CaseBlindCalls calls, Journal journal) {
        return new JournalingDisk(new RealDisk(diagnostics, Progress.NONE, new JournalingRenameCalls(calls, journal)), journal);
    }

    /** Whether the rename went through uninterrupted. */
    private boolean renameKilledAt(int killAt) throws IOException {
        // Each kill on a library and state of its own, as the first run over them.
        clear(music);
        clear(stateFolder.folder());
        assertTrue(album().mkdir());
        TestTracks.write(album(), "track.mp3", "x".getBytes());
        Journal journal = Journal.of(JournalFolder.location(), music, "test", diagnostics);
        try {
            caseBlindDisk(new CaseBlindCalls(killAt), journal).rename(new File(album(), "track.mp3"), new File(album(), "TRACK.mp3"));
        } catch (Killed e) {
            return false;
        }
        journal.close();
        return true;
    }

    private Set<String> names() {
        return new TreeSet<>(Arrays.asList(album().list()));
    }

    @Test
    void aRenameThroughASpareNameKilledAtEachChangeIsUndoneOrFinished() throws IOException {
        int killAt = 1;
        for (; !renameKilledAt(killAt); killAt++) {
            new Undo(out.stream, diagnostics, false, Progress.NONE).undo(music);
            assertEquals(Set.of("track.mp3"), names(), "undone after a kill before change " + killAt);
            assertEquals("x", new String(Files.readAllBytes(new File(album(), "track.mp3").toPath())));
            int shown = out.text().length();
            new Undo(out.stream, diagnostics, false, Progress.NONE).undo(music);
            assertEquals("Nothing to undo in " + music + System.lineSeparator(), out.text().substring(shown));
            assertEquals("", err.text(), "the undo after a kill before change " + killAt);

            assertFalse(renameKilledAt(killAt), "killed again before change " + killAt);
            Journal journal = Journal.of(JournalFolder.location(), music, "test", diagnostics);
            Disk next = caseBlindDisk(new CaseBlindCalls(0), journal);
            assertTrue(new AlbumStart(next, diagnostics, InterruptedRenames.of(music)).open(album()));
            // As the track step finds it: under its old name, or renamed already.
            File listed = new File(album(), names().contains("track.mp3") ? "track.mp3" : "TRACK.mp3");
            assertEquals(RenameOutcome.RENAMED, next.rename(listed, new File(album(), "TRACK.mp3")));
            journal.close();
            assertEquals(Set.of("TRACK.mp3"), names(), "a run after a kill before change " + killAt);
            assertEquals("", err.text(), "a run after a kill before change " + killAt);
        }
        assertEquals(7, killAt, "the record, two links and two removals, the record's removal");
    }

    private static void clear(File folder) throws IOException {
        try (Stream<Path> entries = Files.walk(folder.toPath())) {
            for (Path entry : (Iterable<Path>) entries.sorted(Comparator.reverseOrder())::iterator) {
                if (!entry.equals(folder.toPath())) {
                    Files.delete(entry);
                }
            }
        }
    }
}
