package jid3;

/**
 * Picks the frame layout of a tag. Version 4 sizes should be syncsafe, but some writers stored
 * plain integers; the reading under which more frames fit decides, once for the whole tag.
 */
final class FrameSizeReading {
    private FrameSizeReading() {
    }

    static FrameFormat choose(int version, byte[] data, int start, int end) {
        if (version == 2) {
            return FrameFormat.VERSION_2;
        }
        if (version == 3) {
            return FrameFormat.VERSION_3;
        }
        int syncsafe = FrameWalker.fittingFrames(FrameFormat.VERSION_4, data, start, end).size();
        int plain = FrameWalker.fittingFrames(FrameFormat.VERSION_4_PLAIN_SIZES, data, start, end).size();
        return plain > syncsafe ? FrameFormat.VERSION_4_PLAIN_SIZES : FrameFormat.VERSION_4;
    }
}
