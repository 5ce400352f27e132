package jid3;

import java.util.Arrays;

/** Undoes unsynchronisation: writers put a zero byte after 0xFF so no false MPEG sync appears. */
final class Unsynchronisation {
    private Unsynchronisation() {
    }

    /** The bytes from..to of data with every 0xFF 0x00 turned back into 0xFF. */
    static byte[] decode(byte[] data, int from, int to) {
        byte[] out = new byte[to - from];
        int length = 0;
        for (int i = from; i < to; i++) {
            out[length++] = data[i];
            if (data[i] == (byte) 0xFF && i + 1 < to && data[i + 1] == 0) {
                i++;
            }
        }
        return Arrays.copyOf(out, length);
    }
}
