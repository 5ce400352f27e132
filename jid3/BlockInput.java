package jid3;

import java.io.IOException;
import java.io.InputStream;

/** A stream read in blocks; the single-byte read, which the reader never needs, goes through a block of one. */
abstract class BlockInput extends InputStream {
    @Override
    public int read() throws IOException {
        byte[] one = new byte[1];
        return read(one, 0, 1) < 0 ? -1 : one[0] & 0xFF;
    }

    @Override
    public abstract int read(byte[] into, int offset, int length) throws IOException;
}
