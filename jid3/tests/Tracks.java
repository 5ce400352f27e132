package jid3;

import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.Path;

/** Track files for tests: a tag (or none), then a few bytes that look like MPEG audio. */
final class Tracks {
    /** One MPEG-1 Layer III frame of silence; enough for tag writers to accept the file as audio. */
    static final byte[] AUDIO = TagBuilder.concat(new byte[] {(byte) 0xFF, (byte) 0xFB, (byte) 0x90, 0x64}, new byte[413]);

    private Tracks() {
    }

    /** Writes "track.mp3" in the directory: the tag bytes, then the audio. */
    static Path write(Path directory, byte[] tag) throws IOException {
        return Files.write(directory.resolve("track.mp3"), TagBuilder.concat(tag, AUDIO));
    }

    static ID3V2Tag read(Path track) throws ID3Exception {
        return new MP3File(track.toFile()).getID3V2Tag();
    }
}
