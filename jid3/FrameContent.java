package jid3;

import java.io.IOException;
import java.io.InputStream;
import java.util.Arrays;

/**
 * Undoes what a frame's format flags say was done to its data (unsynchronisation, added fields,
 * compression) while reading it, and keeps no more of the result than a text value can use.
 */
final class FrameContent {
    /**
     * The most bytes kept of one frame's data: room for the longest text kept (TextDecoder's
     * MAX_CHARACTERS) in any of the encodings, three bytes a character at worst, with the encoding
     * byte and a byte order mark.
     */
    static final int KEPT_BYTES = 4096;

    private static final int V3_COMPRESSED = 0x0080;
    private static final int V3_ENCRYPTED = 0x0040;
    private static final int V3_GROUPED = 0x0020;

    private static final int V4_GROUPED = 0x0040;
    private static final int V4_COMPRESSED = 0x0008;
    private static final int V4_ENCRYPTED = 0x0004;
    private static final int V4_UNSYNCHRONISED = 0x0002;
    private static final int V4_DATA_LENGTH = 0x0001;

    private static final int GROUP_LENGTH = 1;
    private static final int SIZE_LENGTH = 4;

    private FrameContent() {
    }

    /**
     * The start of the frame's data as its writer meant it, at most KEPT_BYTES, or null for an
     * encrypted frame, which cannot be read. Reads no further into the frame than that needs.
     */
    static byte[] unpack(String id, int flags, FrameData data, TagHeader header) throws IOException, ID3Exception {
        switch (header.version) {
            case 2:
                return keep(data, data);
            case 3:
                return unpackVersion3(id, flags, data);
            default:
                return unpackVersion4(id, flags, data, header.isUnsynchronised());
        }
    }

    private static byte[] unpackVersion3(String id, int flags, FrameData data) throws IOException, ID3Exception {
        if (has(flags, V3_ENCRYPTED)) {
            return null;
        }
        // Added fields come in flag order: decompressed size, then group id.
        byte[] size = readField(id, data, has(flags, V3_COMPRESSED) ? SIZE_LENGTH : 0);
        readField(id, data, has(flags, V3_GROUPED) ? GROUP_LENGTH : 0);
        if (!has(flags, V3_COMPRESSED)) {
            return keep(data, data);
        }
        return Inflation.inflate(data, TagNumbers.bigEndian(size, 0, SIZE_LENGTH), id);
    }

    private static byte[] unpackVersion4(String id, int flags, FrameData stored, boolean tagUnsynchronised)
            throws IOException, ID3Exception {
        if (has(flags, V4_ENCRYPTED)) {
            return null;
        }
        // A tag flagged unsynchronised as a whole has every frame unsynchronised.
        InputStream data = has(flags, V4_UNSYNCHRONISED) || tagUnsynchronised ? new Unsynchronisation(stored) : stored;
        // Added fields come in flag order: group id, then data length indicator.
        readField(id, data, has(flags, V4_GROUPED) ? GROUP_LENGTH : 0);
        byte[] dataLength = readField(id, data, has(flags, V4_DATA_LENGTH) ? SIZE_LENGTH : 0);
        if (!has(flags, V4_COMPRESSED)) {
            return keep(data, stored);
        }
        if (!has(flags, V4_DATA_LENGTH)) {
            return Inflation.inflate(data, Long.MAX_VALUE, id);
        }
        // eyeD3 (0.9, also when it converts a compressed 2.3 tag with --to-v2.4) writes the data
        // length indicator as a plain integer. Read so it is never less than read as syncsafe,
        // so inflating up to it leaves room for either reading; the inflated size tells which.
        long syncsafe = TagNumbers.syncsafe(dataLength, 0);
        long plain = TagNumbers.bigEndian(dataLength, 0, SIZE_LENGTH);
        byte[] inflated = Inflation.inflate(data, plain, id);
        if ((syncsafe >= 0 && inflated.length <= syncsafe) || inflated.length == Math.min(plain, KEPT_BYTES)) {
            return inflated;
        }
        if (syncsafe < 0) {
            throw new ID3Exception("frame " + id + " has a data length indicator that is not syncsafe");
        }
        throw new ID3Exception("frame " + id + ": the compressed data inflates past " + syncsafe + " bytes");
    }

    private static byte[] readField(String id, InputStream data, int length) throws IOException, ID3Exception {
        byte[] field = new byte[length];
        if (FrameData.readUpTo(data, field, 0, length) < length) {
            throw new ID3Exception("frame " + id + " is too short for the fields its flags announce");
        }
        return field;
    }

    /**
     * Up to KEPT_BYTES of the data, read from the frame's stored bytes: no more than those are
     * left, and undoing unsynchronisation only ever makes fewer, so no larger array is needed.
     */
    private static byte[] keep(InputStream data, FrameData stored) throws IOException {
        byte[] kept = new byte[(int) Math.min(KEPT_BYTES, stored.left())];
        int read = FrameData.readUpTo(data, kept, 0, kept.length);
        return read == kept.length ? kept : Arrays.copyOf(kept, read);
    }

    private static boolean has(int flags, int flag) {
        return (flags & flag) != 0;
    }
}
