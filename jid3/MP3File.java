package jid3;

import java.io.File;
import java.io.FileInputStream;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.attribute.BasicFileAttributes;

/**
 * One MP3 track on disk; nothing is read until a tag is asked for. Reading a tag allocates at
 * most MEMORY_BOUND bytes of heap in all, whatever sizes the tag declares.
 */
public class MP3File {
    /**
     * What reading one tag may allocate in all. The tag is walked as a stream: at most
     * FrameContent.KEPT_BYTES of a needed frame are kept, buffers are 64 KiB at most, and reading
     * through the largest tag a header can declare (256 MiB) makes well under this in garbage.
     * The zlib state of a compressed frame (some 40 KiB) lies outside the heap and is freed at once.
     */
    static final int MEMORY_BOUND = 1 << 20;

    private final File file;

    public MP3File(File file) {
        this.file = file;
    }

    /** The ID3v2 tag at the start of the track, or null when the track has none. */
    public ID3V2Tag getID3V2Tag() throws ID3Exception {
        if (file == null) {
            throw new ID3Exception("no file was given");
        }
        refuseSpecialFile();
        try (FileInputStream in = new FileInputStream(file)) {
            return TagParser.read(in.getChannel());
        } catch (IOException e) {
            throw new ID3Exception("cannot read the file: " + e.getMessage(), e);
        }
    }

    /**
     * Opening a FIFO waits for a writer, and a device or socket is no track: only regular files
     * are opened. A directory goes on to the open, which refuses it as it refuses a missing file.
     */
    private void refuseSpecialFile() throws ID3Exception {
        BasicFileAttributes attributes;
        try {
            attributes = Files.readAttributes(file.toPath(), BasicFileAttributes.class);
        } catch (IOException | InvalidPathException e) {
            // Missing or out of reach: the open says why.
            return;
        }
        if (!attributes.isRegularFile() && !attributes.isDirectory()) {
            throw new ID3Exception("not a regular file");
        }
    }
}
