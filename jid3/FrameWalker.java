package jid3;

import java.util.ArrayList;
import java.util.List;

/** Walks the frames of a tag body from the first frame to the padding or the end of the tag. */
final class FrameWalker {
    private FrameWalker() {
    }

    /**
     * The frames that lie wholly inside start..end, in order. The walk stops at padding (zero
     * bytes), at bytes that are no frame id, and at a frame that does not fit.
     */
    static List<RawFrame> fittingFrames(FrameFormat format, byte[] data, int start, int end) {
        List<RawFrame> frames = new ArrayList<>();
        int headerLength = format.headerLength();
        int at = start;
        while (at + headerLength <= end && format.hasFrameId(data, at)) {
            long size = format.size(data, at);
            if (size < 0 || size > end - at - headerLength) {
                break;
            }
            frames.add(new RawFrame(format.id(data, at), format.flags(data, at), data, at + headerLength, (int) size));
            at += headerLength + (int) size;
        }
        return frames;
    }

    /** The frames of the tag; a frame that does not fit inside the tag is an error, not the end. */
    static List<RawFrame> frames(FrameFormat format, byte[] data, int start, int end) throws ID3Exception {
        List<RawFrame> frames = fittingFrames(format, data, start, end);
        int stop = frames.isEmpty() ? start : frames.get(frames.size() - 1).end();
        if (stop + format.headerLength() <= end && format.hasFrameId(data, stop)) {
            String id = format.id(data, stop);
            long size = format.size(data, stop);
            throw new ID3Exception(size < 0
                    ? "frame " + id + " has a size that is not syncsafe"
                    : "frame " + id + " of " + size + " bytes runs past the end of the tag");
        }
        return frames;
    }
}
