package jid3;

import java.io.IOException;
import java.io.InputStream;

/** Passes over the extended header that some tags carry before their frames. */
final class ExtendedHeader {
    /** The smallest extended header: size and flag fields. */
    private static final int MINIMUM_LENGTH = 6;
    private static final int SIZE_LENGTH = 4;

    private ExtendedHeader() {
    }

    /**
     * Reads past the extended header, if the tag has one. Where the flag is set but a frame
     * stands instead, the bytes read belong to the first frame header: they are left in
     * frameStart, and their count is returned.
     */
    static int skip(TagHeader header, InputStream body, TagRegion region, byte[] frameStart)
            throws IOException, ID3Exception {
        if (!header.hasExtendedHeader()) {
            return 0;
        }
        int got = FrameData.readUpTo(body, frameStart, 0, SIZE_LENGTH);
        // Some writers set the flag without writing the header: a frame id or padding stands there instead.
        if (got < SIZE_LENGTH || FrameFormat.isFrameId(frameStart, 0, SIZE_LENGTH)
                || TagNumbers.bigEndian(frameStart, 0, SIZE_LENGTH) == 0) {
            return got;
        }
        long length;
        if (header.version == 3) {
            // The version 3 size field does not count its own four bytes.
            length = SIZE_LENGTH + TagNumbers.bigEndian(frameStart, 0, SIZE_LENGTH);
        } else {
            length = TagNumbers.syncsafe(frameStart, 0);
            if (length < 0) {
                throw new ID3Exception("the extended header size is not syncsafe");
            }
        }
        if (length < MINIMUM_LENGTH) {
            throw new ID3Exception("the extended header size " + length + " is too small");
        }
        FrameData rest = new FrameData(body, length - SIZE_LENGTH);
        if (length - SIZE_LENGTH > region.declaredLeft()) {
            throw runsPastTag(length);
        }
        rest.skipRest();
        if (rest.endedEarly() && !region.cutShort()) {
            throw runsPastTag(length);
        }
        return 0;
    }

    private static ID3Exception runsPastTag(long length) {
        return new ID3Exception("the extended header of " + length + " bytes runs past the end of the tag");
    }
}
