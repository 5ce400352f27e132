package app.steps;

import java.io.ByteArrayOutputStream;
import java.io.File;
import java.io.IOException;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;

/** Track files for tests: a hand-made ID3v2.3 tag, then one silent MPEG audio frame. */
public final class TestTracks {
    /** One MPEG-1 Layer III frame header (128 kbit/s, 44.1 kHz) with a silent body. */
    public static final byte[] AUDIO_FRAME = new byte[417];

    static {
        AUDIO_FRAME[0] = (byte) 0xFF;
        AUDIO_FRAME[1] = (byte) 0xFB;
        AUDIO_FRAME[2] = (byte) 0x90;
        AUDIO_FRAME[3] = (byte) 0x64;
    }

    private TestTracks() {
    }

    /** A track whose tag holds the given frames; a null value leaves its frame out. */
    public static File tagged(File directory, String name, String number, String artist, String title) throws IOException {
        ByteArrayOutputStream frames = new ByteArrayOutputStream();
        frame(frames, "TPE1", artist);
        frame(frames, "TIT2", title);
        frame(frames, "TRCK", number);
        ByteArrayOutputStream track = new ByteArrayOutputStream();
        track.write(new byte[] {'I', 'D', '3', 3, 0, 0});
        int size = frames.size();
        track.write(new byte[] {(byte) (size >> 21 & 0x7F), (byte) (size >> 14 & 0x7F), (byte) (size >> 7 & 0x7F), (byte) (size & 0x7F)});
        frames.writeTo(track);
        track.write(AUDIO_FRAME);
        return write(directory, name, track.toByteArray());
    }

    public static File write(File directory, String name, byte[] content) throws IOException {
        File file = new File(directory, name);
        Files.write(file.toPath(), content);
        return file;
    }

    private static void frame(ByteArrayOutputStream out, String id, String value) {
        if (value == null) {
            return;
        }
        byte[] text = value.getBytes(StandardCharsets.ISO_8859_1);
        int size = text.length + 1;
        out.writeBytes(id.getBytes(StandardCharsets.US_ASCII));
        out.writeBytes(new byte[] {(byte) (size >> 24), (byte) (size >> 16), (byte) (size >> 8), (byte) size, 0, 0, 0});
        out.writeBytes(text);
    }
}
