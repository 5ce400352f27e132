package jid3;

import java.io.File;
import java.io.FileInputStream;
import java.io.IOException;
import java.nio.channels.SeekableByteChannel;
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
    private final BasicFileAttributes attributes;

    public MP3File(File file) {
        this(file, null);
    }

    /**
     * A track whose attributes, links followed, the caller has just read (from a directory
     * listing, say): the reader takes its kind and size from them instead of asking the system
     * again. Null has them read.
     */
    public MP3File(File file, BasicFileAttributes attributes) {
        this.file = file;
        this.attributes = attributes;
    }

    /** The ID3v2 tag at the start of the track, or null when the track has none. */
    public ID3V2Tag getID3V2Tag() throws ID3Exception {
        if (file == null) {
            throw new ID3Exception("no file was given");
        }
        BasicFileAttributes known = attributes != null ? attributes : readAttributes();
        refuseSpecialFile(known);
        try {
            if (known == null || !known.isRegularFile()) {
                // Missing, out of reach or a directory: this open says why, in the system's words.
                try (FileInputStream in = new FileInputStream(file)) {
                    return TagParser.read(in.getChannel());
                }
            }
            try (SeekableByteChannel in = open()) {
                return TagParser.read(in, known.size());
            }
        } catch (IOException e) {
            throw new ID3Exception("cannot read the file: " + e.getMessage(), e);
        }
    }

    /**
     * A channel straight from the path asks the system nothing but the open. Where it cannot be
     * had, a stream's open tells why in the words the reader has always reported.
     */
    private SeekableByteChannel open() throws IOException {
        try {
            return Files.newByteChannel(file.toPath());
        } catch (IOException | InvalidPathException e) {
            return new FileInputStream(file).getChannel();
        }
    }

    /** Null when they cannot be read. */
    private BasicFileAttributes readAttributes() {
        try {
            return Files.readAttributes(file.toPath(), BasicFileAttributes.class);
        } catch (IOException | InvalidPathException e) {
            return null;
        }
    }

    /**
     * Opening a FIFO waits for a writer, and a device or socket is no track: only regular files
     * are opened. A directory goes on to the open, which refuses it as it refuses a missing file.
     */
    private static void refuseSpecialFile(BasicFileAttributes attributes) throws ID3Exception {
        if (attributes != null && !attributes.isRegularFile() && !attributes.isDirectory()) {
            throw new ID3Exception("not a regular file");
        }
    }
}
