package jid3;

import java.util.Arrays;

/** Undoes what a frame's format flags say was done to its data: unsynchronisation, added fields, compression. */
final class FrameContent {
    private static final int V3_COMPRESSED = 0x0080;
    private static final int V3_ENCRYPTED = 0x0040;
    private static final int V3_GROUPED = 0x0020;

    private static final int V4_GROUPED = 0x0040;
    private static final int V4_COMPRESSED = 0x0008;
    private static final int V4_ENCRYPTED = 0x0004;
    private static final int V4_UNSYNCHRONISED = 0x0002;
    private static final int V4_DATA_LENGTH = 0x0001;

    private FrameContent() {
    }

    /** The frame's data as its writer meant it, or null for an encrypted frame, which cannot be read. */
    static byte[] unpack(RawFrame frame, TagHeader header) throws ID3Exception {
        switch (header.version) {
            case 2:
                return Arrays.copyOfRange(frame.source, frame.offset, frame.end());
            case 3:
                return unpackVersion3(frame);
            default:
                return unpackVersion4(frame, header.isUnsynchronised());
        }
    }

    private static byte[] unpackVersion3(RawFrame frame) throws ID3Exception {
        if (has(frame, V3_ENCRYPTED)) {
            return null;
        }
        // Added fields come in flag order: decompressed size, then group id.
        int dataStart = frame.offset + (has(frame, V3_COMPRESSED) ? 4 : 0) + (has(frame, V3_GROUPED) ? 1 : 0);
        if (dataStart > frame.end()) {
            throw tooShort(frame);
        }
        if (!has(frame, V3_COMPRESSED)) {
            return Arrays.copyOfRange(frame.source, dataStart, frame.end());
        }
        long declared = TagNumbers.bigEndian(frame.source, frame.offset, 4);
        return Inflation.inflate(frame.source, dataStart, frame.end(), declared, frame.id);
    }

    private static byte[] unpackVersion4(RawFrame frame, boolean tagUnsynchronised) throws ID3Exception {
        if (has(frame, V4_ENCRYPTED)) {
            return null;
        }
        // A tag flagged unsynchronised as a whole has every frame unsynchronised.
        byte[] data = has(frame, V4_UNSYNCHRONISED) || tagUnsynchronised
                ? Unsynchronisation.decode(frame.source, frame.offset, frame.end())
                : Arrays.copyOfRange(frame.source, frame.offset, frame.end());
        // Added fields come in flag order: group id, then data length indicator.
        int lengthAt = has(frame, V4_GROUPED) ? 1 : 0;
        int dataStart = lengthAt + (has(frame, V4_DATA_LENGTH) ? 4 : 0);
        if (dataStart > data.length) {
            throw tooShort(frame);
        }
        if (!has(frame, V4_COMPRESSED)) {
            return Arrays.copyOfRange(data, dataStart, data.length);
        }
        long declared = Inflation.MAX_INFLATED;
        if (has(frame, V4_DATA_LENGTH)) {
            declared = TagNumbers.syncsafe(data, lengthAt);
            if (declared < 0) {
                throw new ID3Exception("frame " + frame.id + " has a data length indicator that is not syncsafe");
            }
        }
        return Inflation.inflate(data, dataStart, data.length, declared, frame.id);
    }

    private static boolean has(RawFrame frame, int flag) {
        return (frame.flags & flag) != 0;
    }

    private static ID3Exception tooShort(RawFrame frame) {
        return new ID3Exception("frame " + frame.id + " is too short for the fields its flags announce");
    }
}
