package jid3;

/** The two ways tags store numbers: plain big-endian integers and syncsafe ones (seven bits per byte). */
final class TagNumbers {
    private TagNumbers() {
    }

    /** An unsigned big-endian integer of one to four bytes. */
    static long bigEndian(byte[] data, int at, int length) {
        long value = 0;
        for (int i = 0; i < length; i++) {
            value = (value << 8) | (data[at + i] & 0xFF);
        }
        return value;
    }

    /** A four-byte syncsafe integer, or -1 when a byte has its high bit set, so the bytes are not one. */
    static long syncsafe(byte[] data, int at) {
        long value = 0;
        for (int i = 0; i < 4; i++) {
            int b = data[at + i] & 0xFF;
            if (b >= 0x80) {
                return -1;
            }
            value = (value << 7) | b;
        }
        return value;
    }
}
