package jid3;

import java.io.IOException;

/**
 * Reads the sizes in frame headers. Version 4 sizes should be syncsafe, but some writers stored
 * plain integers. Sizes below 128 read the same both ways; the first frame whose size reads
 * differently decides for the whole tag, by what follows the frame under each reading: the
 * syncsafe reading wins where the tag ends or another frame id stands after it, else the plain
 * reading where the tag ends, a frame id or padding stands after it, else the syncsafe one.
 */
final class FrameSizeReading {
    private final TagRegion region;
    private FrameFormat format;
    private boolean decided;

    FrameSizeReading(int version, TagRegion region) {
        this.region = region;
        this.format = version == 2 ? FrameFormat.VERSION_2 : version == 3 ? FrameFormat.VERSION_3 : FrameFormat.VERSION_4;
        this.decided = version < 4;
    }

    FrameFormat format() {
        return format;
    }

    /** The size in the frame header just read; the frame's data starts at the region's position. */
    long size(byte[] frameHeader, String id) throws IOException, ID3Exception {
        if (!decided) {
            decide(frameHeader);
        }
        long size = format.size(frameHeader, 0);
        if (size < 0) {
            throw new ID3Exception("frame " + id + " has a size that is not syncsafe");
        }
        return size;
    }

    private void decide(byte[] frameHeader) throws IOException {
        long syncsafe = FrameFormat.VERSION_4.size(frameHeader, 0);
        long plain = FrameFormat.VERSION_4_PLAIN_SIZES.size(frameHeader, 0);
        if (syncsafe == plain) {
            return;
        }
        decided = true;
        if (syncsafe < 0 || !frameFollows(syncsafe, false) && frameFollows(plain, true)) {
            format = FrameFormat.VERSION_4_PLAIN_SIZES;
        }
    }

    /**
     * Whether a frame of this size, whose data starts here, ends where the tag ends or where
     * another frame id stands, or (if so asked) a zero byte that may begin the padding. Zeros are
     * common inside binary frames, so they alone do not speak for the syncsafe reading.
     */
    private boolean frameFollows(long size, boolean orPadding) throws IOException {
        long end = region.position() + size;
        if (end >= region.declaredEnd()) {
            return end == region.declaredEnd();
        }
        byte[] next = new byte[4];
        int got = region.peek(end, next);
        return orPadding && got >= 1 && next[0] == 0
                || got == next.length && FrameFormat.isFrameId(next, 0, next.length);
    }
}
