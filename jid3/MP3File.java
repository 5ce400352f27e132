package jid3;

import java.io.File;
import java.io.FileInputStream;
import java.io.IOException;
import java.io.InputStream;

/** One MP3 track on disk; nothing is read until a tag is asked for. */
public class MP3File {
    private final File file;

    public MP3File(File file) {
        this.file = file;
    }

    /** The ID3v2 tag at the start of the track, or null when the track has none. */
    public ID3V2Tag getID3V2Tag() throws ID3Exception {
        if (file == null) {
            throw new ID3Exception("no file was given");
        }
        try (FileInputStream in = new FileInputStream(file)) {
            return readTag(in, in.getChannel().size());
        } catch (IOException e) {
            throw new ID3Exception("cannot read the file: " + e.getMessage(), e);
        }
    }

    /** The tag at the start of a stream of the given length, reading only the tag's own bytes. */
    static ID3V2Tag readTag(InputStream in, long length) throws IOException, ID3Exception {
        byte[] tag = TagFileReader.read(in, length);
        return tag == null ? null : TagParser.parse(tag);
    }
}
