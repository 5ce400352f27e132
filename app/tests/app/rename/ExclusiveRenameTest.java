package app.rename;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import app.CapturedStream;
import app.Diagnostics;
import app.disk.ListedEntry;
import app.disk.RealDisk;
import app.journal.InterruptedRenames;
import app.steps.AlbumStart;
import app.steps.TestTracks;
import java.io.File;
import java.io.IOException;
import java.nio.file.AccessDeniedException;
import java.nio.file.FileAlreadyExistsException;
import java.nio.file.FileSystemException;
import java.nio.file.Files;
import java.nio.file.NoSuchFileException;
import java.nio.file.Path;
import java.nio.file.attribute.BasicFileAttributes;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.HashSet;
import java.util.List;
import java.util.Locale;
import java.util.Map;
import java.util.Set;
import java.util.TreeMap;
import java.util.TreeSet;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

class ExclusiveRenameTest {
    @TempDir
    File dir;
    private final CapturedStream err = new CapturedStream();

    private RenameOutcome rename(File from, File to) {
        return rename(from, to, RenameCalls.SYSTEM);
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
        assertEquals(RenameOutcome.RENAMED, rename(file("Old.MP3", "x"), new File(dir, "new.mp3")));
        assertEquals(RenameOutcome.RENAMED, rename(new File(dir, "new.mp3"), new File(dir, "NEW.mp3")));
        assertEquals(RenameOutcome.RENAMED, rename(new File(dir, "NEW.mp3"), new File(dir, "NEW.mp3")));
        assertEquals(Set.of("NEW.mp3"), names());
        assertEquals("x", content("NEW.mp3"));
    }

    @Test
    void neverReplacesAFileOrAFolder() throws IOException {
        File source = file("source", "mine");
        file("taken", "theirs");
        assertEquals(RenameOutcome.NAME_TAKEN, rename(source, new File(dir, "taken")));
        assertEquals("theirs", content("taken"));

        File folder = new File(dir, "folder");
        File emptyFolder = new File(dir, "empty folder");
        assertTrue(folder.mkdir() && emptyFolder.mkdir());
        assertEquals(RenameOutcome.NAME_TAKEN, rename(folder, emptyFolder));
        assertEquals(RenameOutcome.NAME_TAKEN, rename(source, emptyFolder));
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
        assertEquals(RenameOutcome.NAME_TAKEN, rename(source, new File(dir, "A.MP3")));
        assertEquals(RenameOutcome.NAME_TAKEN, rename(source, new File(dir, "link.mp3")));
        assertEquals(Set.of("a.mp3", "A.MP3", "link.mp3"), names());
        assertTrue(Files.isSymbolicLink(new File(dir, "link.mp3").toPath()));
        assertEquals("", err.text());
    }

    /** A folder spelled two ways: the listing shows that the entry bears the name already. */
    @Test
    void targetThatResolvesToTheEntryItselfIsTakenOver() throws IOException {
        File inner = new File(dir, "inner");
        assertTrue(inner.mkdir());
        File source = TestTracks.write(inner, "a.mp3", "x".getBytes());
        Files.createSymbolicLink(new File(dir, "same").toPath(), inner.toPath());
        assertEquals(RenameOutcome.RENAMED, rename(source, new File(dir, "same/a.mp3")));
        assertEquals(List.of("a.mp3"), List.of(inner.list()));
        assertEquals("x", content("inner/a.mp3"));
    }

    @Test
    void refusalsOfTheSystemAreReportedWithTheNamesAndTheReason() throws IOException {
        File source = file("a.mp3", "x");
        String tooLong = "x".repeat(300) + ".mp3";
        assertEquals(RenameOutcome.REFUSED, rename(source, new File(dir, "nul\0l.mp3")));
        assertEquals(RenameOutcome.REFUSED, rename(source, new File(dir, tooLong)));
        assertEquals(RenameOutcome.REFUSED, rename(new File(dir, "missing"), new File(dir, "b.mp3")));
        assertEquals(Set.of("a.mp3"), names());

        List<String> reported = err.lines();
        assertEquals(3, reported.size(), err.text());
        assertTrue(reported.get(0).startsWith("Cannot rename " + source + " to nul"), reported.get(0));
        assertTrue(reported.get(0).contains("Nul character not allowed"), reported.get(0));
        assertEquals("Cannot rename " + source + " to " + tooLong + ": FileSystemException: File name too long",
                reported.get(1));
        assertEquals("Cannot rename " + new File(dir, "missing") + " to b.mp3: NoSuchFileException", reported.get(2));
    }

    /**
     * A folder on a driver that ignores letter case but gives each spelling of a name its own file
     * number (FAT and exFAT through FUSE), with the runtime's move on top: a target name that leads
     * to an entry with another number is taken, one with the same number leaves the move a no-op.
     * With shortNamesLowerCased it lists names as vfat's shortname=lower shows 8.3 names.
     */
    private static final class CaseBlindFolder implements RenameCalls {
        final Path folder = new File("/album").toPath();
        /** Each entry's name as listed, under its folded form. */
        private final Map<String, String> entries = new TreeMap<>();
        boolean shortNamesLowerCased;

        CaseBlindFolder(String... names) {
            for (String name : names) {
                entries.put(fold(name), name);
            }
        }

        File file(String name) {
            return folder.resolve(name).toFile();
        }

        private static String fold(String name) {
            return name.toUpperCase(Locale.ROOT);
        }

        private String key(Path path) {
            assertEquals(folder, path.getParent(), "a rename stays in its folder");
            return fold(path.getFileName().toString());
        }

        @Override
        public boolean exists(Path path) {
            return entries.containsKey(key(path));
        }

        @Override
        public Set<String> names(Path listed) {
            assertEquals(folder, listed);
            return new HashSet<>(entries.values());
        }

        @Override
        public void move(Path from, Path to) throws IOException {
            if (!exists(from)) {
                throw new NoSuchFileException(from.toString());
            }
            if (exists(to)) {
                if (!from.getFileName().equals(to.getFileName())) {
                    throw new FileAlreadyExistsException(to.toString());
                }
                return;
            }
            String name = to.getFileName().toString();
            entries.remove(key(from));
            entries.put(key(to), shortNamesLowerCased && name.length() <= 12 ? name.toLowerCase(Locale.ROOT) : name);
        }

        @Override
        public boolean isRegularFile(Path path) {
            return exists(path);
        }

        /** Each spelling its own number, as the drivers above give it. */
        @Override
        public Object fileKey(Path path) {
            return path.getFileName().toString();
        }

        /** FAT has no links. */
        @Override
        public void link(Path existing, Path link) throws IOException {
            throw new FileSystemException(link.toString(), existing.toString(), "Operation not permitted");
        }

        @Override
        public void delete(Path path) throws IOException {
            if (entries.remove(key(path)) == null) {
                throw new NoSuchFileException(path.toString());
            }
        }

        @Override
        public void writeNew(Path path, byte[] content) throws IOException {
            if (exists(path)) {
                throw new FileAlreadyExistsException(path.toString());
            }
            entries.put(key(path), path.getFileName().toString());
        }
    }

    private RenameOutcome rename(CaseBlindFolder folder, String from, String to) {
        return rename(folder.file(from), folder.file(to), folder);
    }

    @Test
    void letterCaseChangesWhereEachSpellingHasItsOwnFileNumber() {
        CaseBlindFolder folder = new CaseBlindFolder("track one.mp3", "b.mp3");
        assertEquals(RenameOutcome.RENAMED, rename(folder, "track one.mp3", "Track One.mp3"));
        assertEquals(Set.of("Track One.mp3", "b.mp3"), folder.names(folder.folder));
        // The name leads to another entry, which keeps it.
        assertEquals(RenameOutcome.NAME_TAKEN, rename(folder, "b.mp3", "TRACK ONE.mp3"));
        assertEquals(RenameOutcome.NAME_TAKEN, rename(folder, "b.mp3", "track one.mp3"));
        assertEquals(Set.of("Track One.mp3", "b.mp3"), folder.names(folder.folder));
        assertEquals("", err.text());
    }

    @Test
    void letterCaseThatDoesNotTakeIsReported() {
        CaseBlindFolder folder = new CaseBlindFolder("song.mp3");
        folder.shortNamesLowerCased = true;
        assertEquals(RenameOutcome.REFUSED, rename(folder, "song.mp3", "SONG.mp3"));
        assertEquals(Set.of("song.mp3"), folder.names(folder.folder));
        assertEquals(List.of("Cannot rename " + folder.file("song.mp3") + " to SONG.mp3: the folder lists no entry"
                + " of that name afterwards"), err.lines());
    }

    /** The system's calls, with a hook run before each one that changes the folder. */
    private static class HookedCalls implements RenameCalls {
        int changes;

        /** Called with the count of changing calls so far, this one included, and the call's name. */
        void before(String call, Path path) throws IOException {
        }

        private void change(String call, Path path) throws IOException {
            changes++;
            before(call, path);
        }

        @Override
        public boolean exists(Path path) {
            return RenameCalls.SYSTEM.exists(path);
        }

        @Override
        public Set<String> names(Path folder) throws IOException {
            return RenameCalls.SYSTEM.names(folder);
        }

        @Override
        public void move(Path from, Path to) throws IOException {
            change("move", to);
            RenameCalls.SYSTEM.move(from, to);
        }

        @Override
        public boolean isRegularFile(Path path) {
            return RenameCalls.SYSTEM.isRegularFile(path);
        }

        @Override
        public Object fileKey(Path path) throws IOException {
            return RenameCalls.SYSTEM.fileKey(path);
        }

        @Override
        public void link(Path existing, Path link) throws IOException {
            change("link", link);
            RenameCalls.SYSTEM.link(existing, link);
        }

        @Override
        public void delete(Path path) throws IOException {
            change("delete", path);
            RenameCalls.SYSTEM.delete(path);
        }

        @Override
        public void writeNew(Path path, byte[] content) throws IOException {
            change("writeNew", path);
            RenameCalls.SYSTEM.writeNew(path, content);
        }
    }

    /** As a real disk renames: an entry that a listing found to be a regular file is not asked again. */
    private RenameOutcome rename(File from, File to, RenameCalls calls) {
        BasicFileAttributes listed = ListedEntry.attributesOf(from);
        return ExclusiveRename.rename(from, to, listed != null && listed.isRegularFile(), calls, new Diagnostics(err.stream));
    }

    /** Another program takes the name after the rename found it free: its file stays. */
    @Test
    void aNameTakenAfterItWasFoundFreeIsNeverReplaced() throws IOException {
        File source = file("a.mp3", "mine");
        File target = new File(dir, "b.mp3");
        HookedCalls otherProgram = new HookedCalls() {
            @Override
            void before(String call, Path path) throws IOException {
                if (changes == 1) {
                    file("b.mp3", "theirs");
                }
            }
        };
        assertEquals(RenameOutcome.NAME_TAKEN, rename(source, target, otherProgram));
        assertEquals("theirs", content("b.mp3"));
        assertEquals("mine", content("a.mp3"));
        assertEquals("", err.text());
    }

    @Test
    void aRenamedFileKeepsOneNameOnly() throws IOException {
        assertEquals(RenameOutcome.RENAMED, rename(file("a.mp3", "x"), new File(dir, "b.mp3")));
        assertEquals(Set.of("b.mp3"), names());
        assertEquals(1, Files.getAttribute(new File(dir, "b.mp3").toPath(), "unix:nlink"));
    }

    @Test
    void whenTheOldNameWillNotGoTheNewOneGoesAgainAndTheRenameIsRefused() throws IOException {
        File source = file("a.mp3", "x");
        HookedCalls refusing = new HookedCalls() {
            @Override
            void before(String call, Path path) throws IOException {
                if (call.equals("delete") && path.endsWith("a.mp3")) {
                    throw new AccessDeniedException(path.toString());
                }
            }
        };
        assertEquals(RenameOutcome.REFUSED, rename(source, new File(dir, "b.mp3"), refusing));
        assertEquals(Set.of("a.mp3"), names());
        assertEquals(List.of("Cannot rename " + source + " to b.mp3: AccessDeniedException"), err.lines());
    }

    /**
     * The old name will not go, and another program put its own file under the new name in
     * between: that file stays, and the rename says why the second name stays.
     */
    @Test
    void aSecondNameThatAnotherEntryTookMeanwhileIsNotTakenBack() throws IOException {
        File source = file("a.mp3", "x");
        File target = new File(dir, "b.mp3");
        HookedCalls otherProgram = new HookedCalls() {
            @Override
            void before(String call, Path path) throws IOException {
                if (call.equals("delete") && path.endsWith("a.mp3")) {
                    Files.delete(target.toPath());
                    file("b.mp3", "theirs");
                    throw new AccessDeniedException(path.toString());
                }
            }
        };
        assertEquals(RenameOutcome.REFUSED, rename(source, target, otherProgram));
        assertEquals(Set.of("a.mp3", "b.mp3"), names());
        assertEquals("x", content("a.mp3"));
        assertEquals("theirs", content("b.mp3"));
        assertEquals(List.of("Cannot take back the second name " + target + ": another entry holds it now",
                "Cannot rename " + source + " to b.mp3: AccessDeniedException"), err.lines());
    }

    /** FAT, some shares, another user's file under fs.protected_hardlinks: the move does it. */
    @Test
    void whereLinksAreRefusedTheMoveRenames() throws IOException {
        HookedCalls withoutLinks = new HookedCalls() {
            @Override
            void before(String call, Path path) throws IOException {
                if (call.equals("link")) {
                    throw new FileSystemException(path.toString(), null, "Operation not permitted");
                }
            }
        };
        assertEquals(RenameOutcome.RENAMED, rename(file("a.mp3", "x"), new File(dir, "b.mp3"), withoutLinks));
        assertEquals(Set.of("b.mp3"), names());
        assertEquals("x", content("b.mp3"));
        assertEquals("", err.text());
    }

    /** An entry as the track listing gives it: with its attributes, links followed. */
    private static File listed(File entry) throws IOException {
        return new ListedEntry(entry.getParentFile(), entry.getName(),
                Files.readAttributes(entry.toPath(), BasicFileAttributes.class));
    }

    /** Counts the calls that only ask. */
    private static class AskingCounted extends HookedCalls {
        final List<String> asked = new ArrayList<>();

        @Override
        public boolean exists(Path path) {
            asked.add("exists " + path.getFileName());
            return super.exists(path);
        }

        @Override
        public boolean isRegularFile(Path path) {
            asked.add("isRegularFile " + path.getFileName());
            return super.isRegularFile(path);
        }
    }

    @Test
    void aListedFileIsGivenItsNameByALinkWithoutAskingFirst() throws IOException {
        AskingCounted calls = new AskingCounted();
        assertEquals(RenameOutcome.RENAMED, rename(listed(file("a.mp3", "x")), new File(dir, "b.mp3"), calls));
        assertEquals(Set.of("b.mp3"), names());
        assertEquals(1, Files.getAttribute(new File(dir, "b.mp3").toPath(), "unix:nlink"));
        assertEquals(List.of(), calls.asked);
    }

    @Test
    void aListedFileNeverReplacesAFileAFolderOrALink() throws IOException {
        File source = listed(file("a.mp3", "mine"));
        file("taken.mp3", "theirs");
        assertTrue(new File(dir, "folder.mp3").mkdir());
        Files.createSymbolicLink(new File(dir, "dangling.mp3").toPath(), new File(dir, "nothing").toPath());
        Files.createLink(new File(dir, "second.mp3").toPath(), source.toPath());
        for (String taken : List.of("taken.mp3", "folder.mp3", "dangling.mp3", "second.mp3")) {
            assertEquals(RenameOutcome.NAME_TAKEN, rename(source, new File(dir, taken)), taken);
        }
        assertEquals(Set.of("a.mp3", "taken.mp3", "folder.mp3", "dangling.mp3", "second.mp3"), names());
        assertEquals("theirs", content("taken.mp3"));
        assertTrue(Files.isSymbolicLink(new File(dir, "dangling.mp3").toPath()));
        assertEquals("", err.text());
    }

    /** Listed with its target's attributes, a link to a file is still what is renamed, never its target. */
    @Test
    void aListedLinkToAFileIsRenamedItselfAndItsTargetKeepsItsName() throws IOException {
        file("target.mp3", "x");
        Files.createSymbolicLink(new File(dir, "link.mp3").toPath(), new File(dir, "target.mp3").toPath());
        assertEquals(RenameOutcome.RENAMED, rename(listed(new File(dir, "link.mp3")), new File(dir, "renamed.mp3")));
        assertEquals(Set.of("target.mp3", "renamed.mp3"), names());
        assertTrue(Files.isSymbolicLink(new File(dir, "renamed.mp3").toPath()));
        assertEquals("x", content("renamed.mp3"));
    }

    @Test
    void whereTheListedFilesLinkIsRefusedTheMoveRenamesAfterOneLook() throws IOException {
        AskingCounted withoutLinks = new AskingCounted() {
            @Override
            void before(String call, Path path) throws IOException {
                if (call.equals("link")) {
                    throw new FileSystemException(path.toString(), null, "Operation not permitted");
                }
            }
        };
        assertEquals(RenameOutcome.RENAMED, rename(listed(file("a.mp3", "x")), new File(dir, "b.mp3"), withoutLinks));
        assertEquals(Set.of("b.mp3"), names());
        assertEquals(List.of("exists b.mp3"), withoutLinks.asked);
        file("c.mp3", "mine");
        file("taken.mp3", "theirs");
        assertEquals(RenameOutcome.NAME_TAKEN, rename(listed(new File(dir, "c.mp3")), new File(dir, "taken.mp3"), withoutLinks));
        assertEquals("theirs", content("taken.mp3"));
        assertEquals("", err.text());
    }

    private static final class Killed extends Error {
        private static final long serialVersionUID = 1L;
    }

    /**
     * The run killed before each change that a rename through a spare name makes, in turn: the
     * next run's start gives the entry its old name back, or leaves it renamed, and leaves
     * nothing else behind.
     */
    @Test
    void aRunKilledInTheMiddleOfARenameThroughASpareNameIsUndoneByTheNext() throws IOException {
        for (int killedAt = 1; ; killedAt++) {
            for (String name : dir.list()) {
                Files.delete(new File(dir, name).toPath());
            }
            File source = file("Track One.mp3", "x");
            int killPoint = killedAt;
            HookedCalls killing = new HookedCalls() {
                @Override
                void before(String call, Path path) {
                    if (changes == killPoint) {
                        throw new Killed();
                    }
                }
            };
            try {
                ExclusiveRename.renameThroughSpareName(killing, source.toPath(), new File(dir, "01-a-b.mp3").toPath(),
                        new Diagnostics(err.stream));
                assertTrue(killedAt > 4, "two renames, each a link and a removal, and the record");
                return;
            } catch (Killed e) {
                // As a kill leaves it.
            }
            assertTrue(new AlbumStart(new RealDisk(new Diagnostics(err.stream)), new Diagnostics(err.stream), InterruptedRenames.NONE).open(dir));
            Set<String> left = names();
            assertTrue(left.equals(Set.of("Track One.mp3")) || left.equals(Set.of("01-a-b.mp3")),
                    "killed before change " + killedAt + ": " + left);
            assertEquals("x", content(left.iterator().next()));
            assertEquals(1, Files.getAttribute(new File(dir, left.iterator().next()).toPath(), "unix:nlink"));
            assertEquals("", err.text());
        }
    }
}
