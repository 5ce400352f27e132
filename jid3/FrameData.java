package jid3;

import java.io.IOException;
import java.io.InputStream;

/** The stored bytes of one frame: a window of the given size on the tag's bytes. */
final class FrameData extends BlockInput {
    private final InputStream tag;
    private long left;
    private boolean endedEarly;

    FrameData(InputStream tag, long size) {
        this.tag = tag;
        this.left = size;
    }

    /** The stored bytes of the frame not read yet. */
    long left() {
        return left;
    }

    /** Whether the tag's bytes ended before the frame's size was reached. */
    boolean endedEarly() {
        return endedEarly;
    }

    @Override
    public int read(byte[] into, int offset, int length) throws IOException {
        if (length == 0) {
            return 0;
        }
        if (left == 0) {
            return -1;
        }
        int n = tag.read(into, offset, (int) Math.min(length, left));
        if (n < 0) {
            endedEarly = true;
            return -1;
        }
        left -= n;
        return n;
    }

    @Override
    public long skip(long count) throws IOException {
        long wanted = Math.min(count, left);
        long skipped = tag.skip(wanted);
        if (skipped < wanted) {
            endedEarly = true;
        }
        left -= skipped;
        return skipped;
    }

    /** Passes over what is left of the frame: a seek, or a read where the tag is unsynchronised. */
    void skipRest() throws IOException {
        skip(left);
    }

    /** Reads until the array is full or the data ends; the count read. */
    static int readUpTo(InputStream in, byte[] into, int offset, int length) throws IOException {
        int total = 0;
        while (total < length) {
            int n = in.read(into, offset + total, length - total);
            if (n < 0) {
                break;
            }
            total += n;
        }
        return total;
    }
}
