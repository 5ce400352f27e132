package jid3;

import java.io.IOException;
import java.nio.ByteBuffer;
import java.nio.channels.SeekableByteChannel;

/**
 * The stored bytes of a tag behind its header, read straight from the file: exactly the bytes
 * asked for, never ahead, and skipped by moving the file position. The region ends where the tag
 * declares its end, or earlier where the file ends.
 */
final class TagRegion extends BlockInput {
    private final SeekableByteChannel file;
    private final long declaredEnd;
    private long fileEnd;
    private long position;
    /** The last array read into, wrapped once: a long read-and-discard loop then makes no garbage. */
    private byte[] wrappedArray;
    private ByteBuffer wrapped;

    /** The file's position is at start; fileSize is the file's size as last learnt. */
    TagRegion(SeekableByteChannel file, long start, long declaredLength, long fileSize) {
        this.file = file;
        this.position = start;
        this.declaredEnd = start + declaredLength;
        this.fileEnd = Math.min(declaredEnd, fileSize);
    }

    /** Whether the file ends before the tag's declared end, so the tag is cut short. */
    boolean cutShort() {
        return fileEnd < declaredEnd;
    }

    /** Stored bytes from here to the tag's declared end, whether or not the file holds them all. */
    long declaredLeft() {
        return declaredEnd - position;
    }

    long position() {
        return position;
    }

    long declaredEnd() {
        return declaredEnd;
    }

    @Override
    public int read(byte[] into, int offset, int length) throws IOException {
        if (length == 0) {
            return 0;
        }
        int wanted = (int) Math.min(length, fileEnd - position);
        if (wanted <= 0) {
            return -1;
        }
        if (into != wrappedArray) {
            wrappedArray = into;
            wrapped = ByteBuffer.wrap(into);
        }
        wrapped.limit(offset + wanted).position(offset);
        int n = file.read(wrapped);
        if (n < 0) {
            // The file shrank since its size was taken.
            fileEnd = position;
            return -1;
        }
        position += n;
        return n;
    }

    /** Skips by moving the file position; fewer bytes are skipped only at the end of the region. */
    @Override
    public long skip(long count) throws IOException {
        long skipped = Math.max(0, Math.min(count, fileEnd - position));
        position += skipped;
        file.position(position);
        return skipped;
    }

    /**
     * Reads up to into.length bytes at the given place of the region without moving on, for a
     * look ahead; the count read, 0 when the place lies outside what the file holds of the tag.
     */
    int peek(long at, byte[] into) throws IOException {
        int wanted = (int) Math.max(0, Math.min(into.length, fileEnd - at));
        ByteBuffer buffer = ByteBuffer.wrap(into, 0, wanted);
        try {
            file.position(at);
            int n;
            do {
                n = file.read(buffer);
            } while (n > 0 && buffer.hasRemaining());
        } finally {
            file.position(position);
        }
        return buffer.position();
    }
}
