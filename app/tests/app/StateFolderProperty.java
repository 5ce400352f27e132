package app;

import java.io.File;
import org.junit.jupiter.api.extension.AfterEachCallback;
import org.junit.jupiter.api.extension.ExtensionContext;

/**
 * Points the application's journals at a folder of the test's own through the system property
 * that stands in for XDG_STATE_HOME, and after the test puts back what the test JVM was given,
 * so that no later test writes its journals anywhere else.
 */
public final class StateFolderProperty implements AfterEachCallback {
    private static final String NAME = "XDG_STATE_HOME";
    private boolean set;
    private String before;

    public void set(File folder) {
        if (!set) {
            before = System.getProperty(NAME);
            set = true;
        }
        System.setProperty(NAME, folder.getPath());
    }

    @Override
    public void afterEach(ExtensionContext context) {
        if (!set) {
            return;
        }
        if (before == null) {
            System.clearProperty(NAME);
        } else {
            System.setProperty(NAME, before);
        }
        set = false;
    }
}
