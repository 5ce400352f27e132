package app.steps;

import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import jid3.TrackFixtures;

/** Files for the application's tests; tracks come from the tag library's test builder. */
public final class TestTracks {
    public static final byte[] AUDIO_FRAME = TrackFixtures.AUDIO;

    private TestTracks() {
    }

    /** A track whose tag holds the given frames; a null value leaves its frame out. */
    public static File tagged(File directory, String name, String number, String artist, String title) throws IOException {
        return write(directory, name, TrackFixtures.tagged(number, artist, title));
    }

    public static File write(File directory, String name, byte[] content) throws IOException {
        File file = new File(directory, name);
        Files.write(file.toPath(), content);
        return file;
    }
}
