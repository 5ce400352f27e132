package jid3;

/** One frame as it is stored in the tag: its id, its flag bits and where its data lies. */
final class RawFrame {
    final String id;
    final int flags;
    final byte[] source;
    final int offset;
    final int length;

    RawFrame(String id, int flags, byte[] source, int offset, int length) {
        this.id = id;
        this.flags = flags;
        this.source = source;
        this.offset = offset;
        this.length = length;
    }

    int end() {
        return offset + length;
    }
}
