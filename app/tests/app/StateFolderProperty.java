package app;

import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.Comparator;
import java.util.stream.Stream;
import org.junit.jupiter.api.extension.AfterEachCallback;
import org.junit.jupiter.api.extension.BeforeEachCallback;
import org.junit.jupiter.api.extension.ExtensionContext;

/**
 * Points the application's journals at a fresh folder of each test's own through the system
 * property that stands in for XDG_STATE_HOME, and after the test removes that folder and puts
 * back what the test JVM was given, so that no later test writes its journals anywhere else.
 */
public final class StateFolderProperty implements BeforeEachCallback, AfterEachCallback {
    private static final String NAME = "XDG_STATE_HOME";
    private String before;
    private Path folder;

    @Override
    public void beforeEach(ExtensionContext context) throws IOException {
        before = System.getProperty(NAME);
        folder = Files.createTempDirectory("state");
        set(folder.toFile());
    }

    /** The test's own state folder. */
    public File folder() {
        return folder.toFile();
    }

    /** Points the journals elsewhere for the rest of the test. */
    public void set(File state) {
        System.setProperty(NAME, state.getPath());
    }

    @Override
    public void afterEach(ExtensionContext context) throws IOException {
        if (before == null) {
            System.clearProperty(NAME);
        } else {
            System.setProperty(NAME, before);
        }
        try (Stream<Path> entries = Files.walk(folder)) {
            for (Path entry : (Iterable<Path>) entries.sorted(Comparator.reverseOrder())::iterator) {
                Files.delete(entry);
            }
        }
    }
}
