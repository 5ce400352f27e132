package jid3;

import java.nio.charset.StandardCharsets;

/** How a frame header is laid out: widths of its id and size, flag bytes, and how the size is stored. */
enum FrameFormat {
    /** 3-byte ids and sizes, no flags. */
    VERSION_2(3, false, false),
    VERSION_3(4, true, false),
    VERSION_4(4, true, true),
    /** Version 4 frames whose sizes a writer stored as plain integers instead of syncsafe ones. */
    VERSION_4_PLAIN_SIZES(4, true, false);

    /** Width of the id, and of the size that follows it. */
    final int idLength;
    private final boolean hasFlags;
    private final boolean syncsafeSizes;

    FrameFormat(int idLength, boolean hasFlags, boolean syncsafeSizes) {
        this.idLength = idLength;
        this.hasFlags = hasFlags;
        this.syncsafeSizes = syncsafeSizes;
    }

    int headerLength() {
        return 2 * idLength + (hasFlags ? 2 : 0);
    }

    /** Whether the bytes at 'at' form a frame id: capital letters and digits only. */
    static boolean isFrameId(byte[] data, int at, int length) {
        for (int i = at; i < at + length; i++) {
            byte b = data[i];
            if (!(b >= 'A' && b <= 'Z') && !(b >= '0' && b <= '9')) {
                return false;
            }
        }
        return true;
    }

    boolean hasFrameId(byte[] data, int at) {
        return isFrameId(data, at, idLength);
    }

    String id(byte[] data, int at) {
        return new String(data, at, idLength, StandardCharsets.US_ASCII);
    }

    /** The size of the frame whose header starts at 'at', or -1 when it is not readable in this format. */
    long size(byte[] data, int at) {
        return syncsafeSizes
                ? TagNumbers.syncsafe(data, at + idLength)
                : TagNumbers.bigEndian(data, at + idLength, idLength);
    }

    int flags(byte[] data, int at) {
        return hasFlags ? (int) TagNumbers.bigEndian(data, at + 2 * idLength, 2) : 0;
    }
}
