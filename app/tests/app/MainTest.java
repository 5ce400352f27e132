package app;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import app.disk.RealDisk;
import app.report.Progress;
import app.steps.TestTracks;
import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.Set;
import java.util.jar.JarFile;
import java.util.jar.Manifest;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.extension.RegisterExtension;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.ValueSource;

class MainTest {
    private static final String CLOSING = "All is done for you, lame user!";

    @TempDir
    File root;
    private final CapturedStream out = new CapturedStream();
    private final CapturedStream err = new CapturedStream();
    private final Diagnostics diagnostics = new Diagnostics(err.stream);

    @RegisterExtension
    final StateFolderProperty stateFolder = new StateFolderProperty();

    private int run(String... args) {
        return Main.run(args, out.stream, err.stream);
    }

    private static File mkdirs(File parent, String path) {
        File dir = new File(parent, path);
        assertTrue(dir.mkdirs());
        return dir;
    }

    @Test
    void withoutArgumentPrintsThreeLinesAndEndsWithStatusTwo() {
        assertEquals(2, run());
        List<String> lines = out.lines();
        assertEquals(3, lines.size());
        assertEquals("Quom's files renamer", lines.get(0));
        assertEquals("Please specify directory to work with", lines.get(2));
        assertEquals("", err.text());
    }

    @Test
    void theUsageLineNamesEveryOption() {
        run();
        String usage = out.lines().get(1);
        assertTrue(usage.startsWith("Usage: dovatrik [--dry-run] [--quick] [--recursive] [--undo] <music folder> | dovatrik --version. "),
                usage);
    }

    // The build passes its one version in, so that this checks what the build set.
    @Test
    void versionAsTheFirstArgumentPrintsOneLineAndNothingElse() {
        assertEquals(0, run("--version", root.getPath()));
        assertEquals(List.of("Dovatrik " + System.getProperty("dovatrik.version")), out.lines());
        assertEquals("", err.text());
    }

    @Test
    void versionAfterTheFolderIsIgnoredLikeAnyLaterArgument() {
        assertEquals(0, run(root.getPath(), "--version"));
        assertEquals(List.of("Directory: " + root.getPath(), "[]", CLOSING), out.lines().subList(2, 5));
    }

    @ParameterizedTest
    @ValueSource(strings = {"track.mp3", "missing"})
    void pathThatIsNoDirectoryEndsWithStatusOne(String name) throws IOException {
        assertTrue(new File(root, "track.mp3").createNewFile());
        File path = new File(root, name);
        assertEquals(1, run(path.getPath()));
        assertEquals(List.of("Directory: " + path.getPath(), "Don't fool me - this is not a directory"),
                out.lines().subList(2, 4));
        assertEquals(4, out.lines().size());
    }

    @Test
    void emptyDirectoryListsNothingAndFurtherArgumentsAreIgnored() {
        assertEquals(0, run(root.getPath() + File.separator + File.separator, "ignored", "too"));
        assertEquals(List.of("Directory: " + root.getPath(), "[]", CLOSING), out.lines().subList(2, 5));
    }

    @Test
    void everySubDirectoryGetsAFreshContextInListingOrder() throws IOException {
        mkdirs(root, "B");
        mkdirs(root, "a");
        assertTrue(new File(root, "loose.mp3").createNewFile());
        List<String> seen = new ArrayList<>();
        Step record = (directory, context) -> seen.add(directory.getName() + ":" + context);
        Step fill = (directory, context) -> {
            context.setText(directory.getName());
            context.setFiles(new ArrayList<>(List.of(directory)));
        };
        assertEquals(0, Main.run(new String[] {root.getPath()}, out.stream, diagnostics, new RealDisk(diagnostics),
                List.of(record, fill, record), Progress.NONE));

        File[] albums = root.listFiles(File::isDirectory);
        assertEquals(Arrays.toString(albums), out.lines().get(3));
        List<String> expected = new ArrayList<>();
        for (File album : albums) {
            expected.add(album.getName() + ":text=null;files=null");
            expected.add(album.getName() + ":text=" + album.getName() + ";files=[" + album + "]");
        }
        assertEquals(expected, seen);
    }

    @Test
    void wholeChainWorksOneLevelDeepOnly() throws IOException {
        File album = mkdirs(root, "Best Of The Year");
        assertTrue(new File(album, "Front Cover.JPG").createNewFile());
        File nested = mkdirs(album, "Nested");
        assertTrue(new File(nested, "cover.jpg").createNewFile());
        assertTrue(new File(root, "loose.jpg").createNewFile());

        assertEquals(0, run(root.getPath()));
        assertEquals(List.of("[" + album + "]",
                album + File.separator + "00-best of the year-front_cover.jpg", CLOSING),
                out.lines().subList(3, 6));
        assertEquals(0, new File(album, "00-best of the year.m3u").length());
        assertTrue(new File(album, "00-best of the year.sfv").isFile());
        assertTrue(new File(nested, "cover.jpg").isFile());
        assertTrue(new File(root, "loose.jpg").isFile());
        assertEquals("", err.text());
    }

    @Test
    void anyDiagnosticMakesTheStatusOneAndTheChainGoesOn() throws IOException {
        File album = mkdirs(root, "Album");
        assertTrue(new File(mkdirs(album, "00-album.m3u"), "keep").createNewFile());
        assertTrue(new File(album, "notes.txt").createNewFile());

        assertEquals(1, run(root.getPath()));
        // The folder named like the playlist will not go, and so the playlist cannot be written.
        assertEquals(2, err.lines().size(), err.text());
        assertTrue(new File(album, "00-album.sfv").isFile());
        assertTrue(new File(album, "00-album.nfo").isFile());
        assertEquals(CLOSING, out.lines().get(out.lines().size() - 1));
    }

    @Test
    void unexpectedFaultOfAStepIsReportedAndSkipsOnlyThatFoldersRest() {
        mkdirs(root, "one");
        mkdirs(root, "two");
        List<File> reached = new ArrayList<>();
        Step failing = (directory, context) -> {
            throw new IllegalStateException("broken\nacross lines");
        };
        Step after = (directory, context) -> reached.add(directory);
        assertEquals(1, Main.run(new String[] {root.getPath()}, out.stream, diagnostics, new RealDisk(diagnostics),
                List.of(failing, after), Progress.NONE));
        assertEquals(2, err.lines().size());
        assertTrue(err.lines().get(0).contains("IllegalStateException: broken"), err.text());
        assertEquals(List.of(), reached);
        assertEquals(CLOSING, out.lines().get(out.lines().size() - 1));
    }

    @Test
    void errorsOtherThanLinkageErrorsEndTheRun() {
        mkdirs(root, "one");
        Step failing = (directory, context) -> {
            throw new OutOfMemoryError("test");
        };
        assertThrows(OutOfMemoryError.class, () -> Main.run(new String[] {root.getPath()}, out.stream,
                diagnostics, new RealDisk(diagnostics), List.of(failing), Progress.NONE));
    }

    /** Under a UTF-8 locale the runtime lists a name that is not valid UTF-8 with a replacement character. */
    @Test
    void albumFolderWhoseNameCannotBeReachedIsReported() throws Exception {
        File good = mkdirs(root, "Good");
        ExternalCommand.succeed(root, "sh", "-c", "mkdir \"$(printf 'Bad \\377')\"");

        assertEquals(1, run(root.getPath()));
        assertEquals("[" + good + "]", out.lines().get(3));
        assertEquals(1, err.lines().size());
        assertTrue(err.text().startsWith("Cannot reach " + new File(root, "Bad \uFFFD")), err.text());
        assertTrue(new File(good, "00-good.m3u").isFile());
    }

    @Test
    void linksToTheMusicFolderOrAboveAreReportedAndPassedOverWhileOthersAreAlbums() throws IOException {
        File music = mkdirs(root, "music");
        File album = mkdirs(music, "Album");
        File elsewhere = mkdirs(root, "elsewhere");
        assertTrue(new File(elsewhere, "Front.jpg").createNewFile());
        Files.createSymbolicLink(new File(music, "Loop").toPath(), new File(".").toPath());
        Files.createSymbolicLink(new File(music, "Up").toPath(), new File("..").toPath());
        Files.createSymbolicLink(new File(music, "Linked").toPath(), elsewhere.toPath());

        assertEquals(1, run(music.getPath()));
        List<String> albums = new ArrayList<>();
        for (File entry : music.listFiles()) {
            if (entry.getName().equals("Album") || entry.getName().equals("Linked")) {
                albums.add(entry.getPath());
            }
        }
        assertEquals(albums.toString(), out.lines().get(3));
        List<String> reported = err.lines();
        assertEquals(2, reported.size(), err.text());
        assertTrue(reported.contains("Cannot work on " + new File(music, "Loop") + ": it leads to "
                + music.getCanonicalPath() + ", the music folder or a folder above it"), err.text());
        assertTrue(reported.contains("Cannot work on " + new File(music, "Up") + ": it leads to "
                + root.getCanonicalPath() + ", the music folder or a folder above it"), err.text());
        assertEquals(Set.of("Album", "Loop", "Up", "Linked"), Set.of(music.list()));
        assertEquals(Set.of("music", "elsewhere"), Set.of(root.list()));
        assertTrue(new File(album, "00-album.m3u").isFile());
        assertTrue(new File(elsewhere, "00-linked-front.jpg").isFile());
    }

    /** The built archive, started the way the executable starts it, finds the tag library in lib/. */
    @Test
    void builtArchiveNeedsTheTagLibraryBesideIt() throws Exception {
        File installed = mkdirs(root, "installed");
        File archive = new File(installed, "dovatrik.jar");
        Files.copy(jarOf(Main.class).toPath(), archive.toPath());
        try (JarFile jar = new JarFile(archive)) {
            Manifest manifest = jar.getManifest();
            assertEquals("app.Main", manifest.getMainAttributes().getValue("Main-Class"));
            assertEquals(". lib/jid3.jar", manifest.getMainAttributes().getValue("Class-Path"));
        }
        File music = mkdirs(root, "music");
        File album = mkdirs(music, "Album");
        TestTracks.tagged(album, "Track 1.mp3", "1", "A", "B");

        ExternalCommand withoutLibrary = runArchive(archive, music);
        assertEquals(1, withoutLibrary.status);
        assertTrue(withoutLibrary.output.contains("NoClassDefFoundError"), withoutLibrary.output);
        assertTrue(withoutLibrary.output.contains(CLOSING), withoutLibrary.output);
        assertEquals(List.of("Track 1.mp3"), List.of(album.list()));

        Files.copy(jarOf(jid3.MP3File.class).toPath(), new File(mkdirs(installed, "lib"), "jid3.jar").toPath());
        ExternalCommand withLibrary = runArchive(archive, music);
        assertEquals(0, withLibrary.status, withLibrary.output);
        assertTrue(new File(album, "01-a-b.mp3").isFile());
        assertEquals(1, new File(stateFolder.folder(), "dovatrik/journal").list().length);
    }

    private ExternalCommand runArchive(File archive, File music) throws Exception {
        String java = System.getProperty("java.home") + File.separator + "bin" + File.separator + "java";
        // Its journal in the test's state folder, as the property points this JVM's there.
        return ExternalCommand.run(root, List.of(java, "-DXDG_STATE_HOME=" + stateFolder.folder(), "-jar",
                archive.getPath(), music.getPath()));
    }

    private static File jarOf(Class<?> type) throws Exception {
        return new File(type.getProtectionDomain().getCodeSource().getLocation().toURI());
    }
}
