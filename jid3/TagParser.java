package jid3;

import java.util.Arrays;
import java.util.List;

/** Turns the bytes of a whole tag, header first, into the values the tag reports. */
final class TagParser {
    /** Artist, title and track frames, in the order ID3V2Tag takes them. */
    private static final List<String> VERSION_2_IDS = Arrays.asList("TP1", "TT2", "TRK");
    private static final List<String> IDS = Arrays.asList("TPE1", "TIT2", "TRCK");

    private TagParser() {
    }

    static ID3V2Tag parse(byte[] tag) throws ID3Exception {
        TagHeader header = TagHeader.parse(tag);
        byte[] body = tag;
        int start = TagHeader.LENGTH;
        int end = TagHeader.LENGTH + header.size;
        if (header.version < 4 && header.isUnsynchronised()) {
            // Before version 4 the whole body is unsynchronised and frame sizes count the restored bytes.
            body = Unsynchronisation.decode(tag, start, end);
            start = 0;
            end = body.length;
        }
        int framesStart = ExtendedHeader.framesStart(header, body, start, end);
        FrameFormat format = FrameSizeReading.choose(header.version, body, framesStart, end);
        List<String> ids = header.version == 2 ? VERSION_2_IDS : IDS;
        String[] values = new String[ids.size()];
        for (RawFrame frame : FrameWalker.frames(format, body, framesStart, end)) {
            int slot = ids.indexOf(frame.id);
            if (slot < 0 || values[slot] != null) {
                continue;
            }
            byte[] content = FrameContent.unpack(frame, header);
            // Encrypted and empty frames count as missing; a later frame of the same id may stand in.
            if (content != null && content.length > 0) {
                values[slot] = TextDecoder.decode(content, header.version, frame.id);
            }
        }
        return new ID3V2Tag(values[0], values[1], values[2]);
    }
}
