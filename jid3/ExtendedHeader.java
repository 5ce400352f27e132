package jid3;

/** Finds where the frames begin behind the extended header that some tags carry. */
final class ExtendedHeader {
    /** The smallest extended header: size and flag fields. */
    private static final int MINIMUM_LENGTH = 6;

    private ExtendedHeader() {
    }

    /** The offset of the first frame in data, whose body runs from start to end. */
    static int framesStart(TagHeader header, byte[] data, int start, int end) throws ID3Exception {
        if (!header.hasExtendedHeader() || end - start < 4) {
            return start;
        }
        // Some writers set the flag without writing the header: a frame id or padding stands there instead.
        if (FrameFormat.isFrameId(data, start, 4) || TagNumbers.bigEndian(data, start, 4) == 0) {
            return start;
        }
        long length;
        if (header.version == 3) {
            // The version 3 size field does not count its own four bytes.
            length = 4 + TagNumbers.bigEndian(data, start, 4);
        } else {
            length = TagNumbers.syncsafe(data, start);
            if (length < 0) {
                throw new ID3Exception("the extended header size is not syncsafe");
            }
        }
        if (length < MINIMUM_LENGTH) {
            throw new ID3Exception("the extended header size " + length + " is too small");
        }
        if (length > end - start) {
            throw new ID3Exception("the extended header of " + length + " bytes runs past the end of the tag");
        }
        return start + (int) length;
    }
}
