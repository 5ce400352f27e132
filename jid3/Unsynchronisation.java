package jid3;

import java.io.IOException;
import java.io.InputStream;

/**
 * Undoes unsynchronisation while reading: writers put a zero byte after 0xFF so no false MPEG
 * sync appears, and every 0xFF 0x00 read here comes out as 0xFF. It reads from its source only
 * as many bytes as it hands out (plus the zeros it drops), so it never reads ahead.
 */
final class Unsynchronisation extends BlockInput {
    private static final int SKIP_CHUNK = 64 * 1024;

    private final InputStream source;
    /** Whether the last byte read from the source was 0xFF, so a zero that follows is dropped. */
    private boolean afterFF;
    private byte[] skipBuffer;

    Unsynchronisation(InputStream source) {
        this.source = source;
    }

    @Override
    public int read(byte[] into, int offset, int length) throws IOException {
        if (length == 0) {
            return 0;
        }
        int produced = 0;
        while (produced == 0) {
            int n = source.read(into, offset, length);
            if (n < 0) {
                return -1;
            }
            // Dropping bytes only ever moves the rest forward, so it works in place.
            for (int i = offset; i < offset + n; i++) {
                byte b = into[i];
                if (!(afterFF && b == 0)) {
                    into[offset + produced++] = b;
                }
                afterFF = b == (byte) 0xFF;
            }
        }
        return produced;
    }

    /** Reads and drops: where zeros were inserted cannot be known without reading. */
    @Override
    public long skip(long count) throws IOException {
        if (skipBuffer == null) {
            skipBuffer = new byte[SKIP_CHUNK];
        }
        long skipped = 0;
        while (skipped < count) {
            int n = read(skipBuffer, 0, (int) Math.min(skipBuffer.length, count - skipped));
            if (n < 0) {
                break;
            }
            skipped += n;
        }
        return skipped;
    }
}
