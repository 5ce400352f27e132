package jid3;

import java.io.IOException;
import java.io.InputStream;
import java.util.Arrays;

/**
 * Reads the bytes of the tag at the start of a track: the header, then exactly the size it
 * declares (and the footer), never the audio behind it.
 */
final class TagFileReader {
    private TagFileReader() {
    }

    /** The whole tag, header included, or null when the stream does not start with one. */
    static byte[] read(InputStream in, long streamLength) throws IOException, ID3Exception {
        byte[] head = new byte[TagHeader.LENGTH];
        int got = readUpTo(in, head, 0, head.length);
        if (!TagHeader.startsTag(head, got)) {
            return null;
        }
        if (got < head.length) {
            throw new ID3Exception("the file ends inside the ID3v2 header");
        }
        TagHeader header = TagHeader.parse(head);
        // Checked before allocating, so a lying size never costs more memory than the file holds.
        long tagLength = (long) TagHeader.LENGTH + header.size + header.footerLength();
        if (tagLength > streamLength) {
            throw new ID3Exception("tag size " + header.size + " runs past the end of the file ("
                    + streamLength + " bytes)");
        }
        byte[] tag = Arrays.copyOf(head, (int) tagLength);
        int rest = tag.length - head.length;
        if (readUpTo(in, tag, head.length, rest) < rest) {
            throw new ID3Exception("the file ends inside the tag");
        }
        return tag;
    }

    private static int readUpTo(InputStream in, byte[] into, int offset, int length) throws IOException {
        int total = 0;
        while (total < length) {
            int n = in.read(into, offset + total, length - total);
            if (n < 0) {
                break;
            }
            total += n;
        }
        return total;
    }
}
