package jid3;

import java.io.File;

/** One MP3 track on disk; nothing is read until a tag is asked for. */
public class MP3File {
    private final File file;

    public MP3File(File file) {
        this.file = file;
    }

    /** The ID3v2 tag at the start of the track, or null when the track has none. */
    public ID3V2Tag getID3V2Tag() throws ID3Exception {
        throw new ID3Exception("not implemented yet: " + file);
    }
}
