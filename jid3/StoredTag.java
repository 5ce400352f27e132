package jid3;

import java.io.IOException;
import java.nio.ByteBuffer;
import java.nio.channels.NonWritableChannelException;
import java.nio.channels.SeekableByteChannel;

/**
 * The stored bytes of a small tag, read from the file at once and then served from memory at
 * the file's own positions, so that the walk over the frames makes no further system calls.
 * Holds the declared bytes, or fewer where the file ends first; never a byte beyond the tag.
 */
final class StoredTag implements SeekableByteChannel {
    private final long start;
    private final ByteBuffer bytes;

    private StoredTag(long start, ByteBuffer bytes) {
        this.start = start;
        this.bytes = bytes;
    }

    /** Reads up to length bytes from the file's position, which is start. */
    static StoredTag read(SeekableByteChannel file, long start, int length) throws IOException {
        ByteBuffer bytes = ByteBuffer.allocate(length);
        while (bytes.hasRemaining() && file.read(bytes) > 0) {
            continue;
        }
        bytes.flip();
        return new StoredTag(start, bytes);
    }

    @Override
    public int read(ByteBuffer into) {
        if (!bytes.hasRemaining()) {
            return into.hasRemaining() ? -1 : 0;
        }
        int n = Math.min(into.remaining(), bytes.remaining());
        ByteBuffer piece = bytes.duplicate();
        piece.limit(piece.position() + n);
        into.put(piece);
        bytes.position(bytes.position() + n);
        return n;
    }

    @Override
    public long position() {
        return start + bytes.position();
    }

    /** Past the end is allowed, as on a file; reads there find nothing. */
    @Override
    public SeekableByteChannel position(long newPosition) {
        bytes.position((int) Math.max(0, Math.min(newPosition - start, bytes.limit())));
        return this;
    }

    /** Where the bytes held end, as a file's size. */
    @Override
    public long size() {
        return start + bytes.limit();
    }

    @Override
    public int write(ByteBuffer from) {
        throw new NonWritableChannelException();
    }

    @Override
    public SeekableByteChannel truncate(long size) {
        throw new NonWritableChannelException();
    }

    @Override
    public boolean isOpen() {
        return true;
    }

    @Override
    public void close() {
    }
}
