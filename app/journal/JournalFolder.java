package app.journal;

import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Collections;
import java.util.List;

/**
 * Where the journals of the runs are kept: in the user's local data folder on Windows, and in the
 * state folder of the XDG base directories elsewhere. A system property of the same name stands in
 * for the environment variable, so that tests in one JVM can each have their own. One file per
 * run, named after the time it began, so that the names sort as the runs began.
 */
public final class JournalFolder {
    /** How many journals of one music folder are kept: the newest. */
    static final int KEPT_PER_MUSIC_FOLDER = 20;
    private static final String SUFFIX = ".journal";

    private JournalFolder() {
    }

    /** The folder the journals belong in. */
    public static File location() {
        if (System.getProperty("os.name", "").startsWith("Windows")) {
            String localData = setting("LOCALAPPDATA");
            File base = localData != null ? new File(localData)
                    : new File(System.getProperty("user.home"), "AppData" + File.separator + "Local");
            return new File(new File(base, "Dovatrik"), "journal");
        }
        String state = setting("XDG_STATE_HOME");
        // The base directory rules ignore a relative path.
        File base = state != null && new File(state).isAbsolute() ? new File(state)
                : new File(System.getProperty("user.home"), ".local" + File.separator + "state");
        return new File(new File(base, "dovatrik"), "journal");
    }

    private static String setting(String name) {
        String value = System.getProperty(name, System.getenv(name));
        return value == null || value.isEmpty() ? null : value;
    }

    /** A name for the journal of a run that begins now, after every name there is. */
    static File fresh(File folder, long millis) {
        File journal;
        for (long stamp = millis;; stamp++) {
            journal = new File(folder, padded(stamp) + SUFFIX);
            if (!journal.exists()) {
                return journal;
            }
        }
    }

    /** Fifteen digits, so that names sort as the numbers do. Not by a formatter, whose locale data take long to load. */
    private static String padded(long millis) {
        String digits = Long.toString(millis);
        StringBuilder name = new StringBuilder();
        for (int i = digits.length(); i < 15; i++) {
            name.append('0');
        }
        return name.append(digits).toString();
    }

    /** The journals of the music folder, the newest first. */
    public static List<File> of(File folder, String musicFolder) {
        List<File> found = new ArrayList<>();
        for (File journal : all(folder)) {
            if (musicFolder.equals(JournalReader.musicFolderOf(journal))) {
                found.add(journal);
            }
        }
        return found;
    }

    /** Deletes all but the newest journals of the music folder; one that will not go stays. */
    static void prune(File folder, String musicFolder) {
        List<File> journals = of(folder, musicFolder);
        for (File old : journals.subList(Math.min(KEPT_PER_MUSIC_FOLDER, journals.size()), journals.size())) {
            try {
                Files.deleteIfExists(old.toPath());
            } catch (IOException e) {
                // Kept a while longer; the next run tries again.
            }
        }
    }

    private static List<File> all(File folder) {
        File[] files = folder.listFiles((dir, name) -> name.endsWith(SUFFIX));
        if (files == null) {
            return Collections.emptyList();
        }
        List<File> sorted = new ArrayList<>(Arrays.asList(files));
        sorted.sort((one, other) -> other.getName().compareTo(one.getName()));
        return sorted;
    }
}
