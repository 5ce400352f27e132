package jid3;

import java.nio.ByteBuffer;
import java.nio.channels.NonWritableChannelException;
import java.nio.channels.SeekableByteChannel;

/** A read-only channel over bytes in memory that counts the bytes its reads delivered. */
final class MemoryChannel implements SeekableByteChannel {
    private final byte[] bytes;
    private int position;
    private long delivered;
    private int reads;

    MemoryChannel(byte[] bytes) {
        this.bytes = bytes;
    }

    long delivered() {
        return delivered;
    }

    /** The read calls made, those that found the end included. */
    int reads() {
        return reads;
    }

    @Override
    public int read(ByteBuffer into) {
        reads++;
        if (position >= bytes.length) {
            return -1;
        }
        int n = Math.min(into.remaining(), bytes.length - position);
        into.put(bytes, position, n);
        position += n;
        delivered += n;
        return n;
    }

    @Override
    public int write(ByteBuffer from) {
        throw new NonWritableChannelException();
    }

    @Override
    public long position() {
        return position;
    }

    @Override
    public SeekableByteChannel position(long newPosition) {
        // Past the end is allowed, as on a file; reads there find nothing.
        position = (int) Math.min(newPosition, Integer.MAX_VALUE);
        return this;
    }

    @Override
    public long size() {
        return bytes.length;
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
