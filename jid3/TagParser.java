package jid3;

import java.io.IOException;
import java.io.InputStream;
import java.nio.ByteBuffer;
import java.nio.channels.SeekableByteChannel;
import java.util.Arrays;
import java.util.List;

/**
 * Reads the tag at the start of a file as a stream of frames, keeping only the values the tag
 * reports. Frames not needed are skipped unread where the tag allows it, the walk ends once every
 * value is found, and a tag cut short by the end of the file gives the frames that are whole.
 */
final class TagParser {
    /** Artist, title and track frames, in the order ID3V2Tag takes them. */
    private static final List<String> VERSION_2_IDS = Arrays.asList("TP1", "TT2", "TRK");
    private static final List<String> IDS = Arrays.asList("TPE1", "TIT2", "TRCK");

    /**
     * A tag whose stored bytes are no more than this is read whole, in one read, behind its
     * header: most tags without pictures are. A larger one is walked in place, so that a picture
     * is never read.
     */
    static final int WHOLE_TAG_BYTES = 64 << 10;

    private TagParser() {
    }

    /** The tag at the start of the file, or null when the file does not start with one. */
    static ID3V2Tag read(SeekableByteChannel file) throws IOException, ID3Exception {
        return read(file, file.size());
    }

    /**
     * Like read, with the file's size as the caller just learnt it; the file's position is at
     * its start.
     */
    static ID3V2Tag read(SeekableByteChannel file, long fileSize) throws IOException, ID3Exception {
        ByteBuffer head = ByteBuffer.allocate(TagHeader.LENGTH);
        while (head.hasRemaining() && file.read(head) > 0) {
            continue;
        }
        if (!TagHeader.startsTag(head.array(), head.position())) {
            return null;
        }
        if (head.hasRemaining()) {
            throw new ID3Exception("the file ends inside the ID3v2 header");
        }
        TagHeader header = TagHeader.parse(head.array());
        if (header.size <= WHOLE_TAG_BYTES) {
            StoredTag stored = StoredTag.read(file, TagHeader.LENGTH, header.size);
            return parseFrames(header, new TagRegion(stored, TagHeader.LENGTH, header.size, stored.size()));
        }
        return parseFrames(header, new TagRegion(file, TagHeader.LENGTH, header.size, fileSize));
    }

    private static ID3V2Tag parseFrames(TagHeader header, TagRegion region) throws IOException, ID3Exception {
        // Before version 4 the whole body is unsynchronised and frame sizes count the restored bytes.
        InputStream body = header.version < 4 && header.isUnsynchronised() ? new Unsynchronisation(region) : region;
        FrameSizeReading sizes = new FrameSizeReading(header.version, region);
        byte[] frameHeader = new byte[sizes.format().headerLength()];
        int headerBytesRead = ExtendedHeader.skip(header, body, region, frameHeader);
        List<String> ids = header.version == 2 ? VERSION_2_IDS : IDS;
        String[] values = new String[ids.size()];
        int found = 0;
        while (found < values.length) {
            int wanted = frameHeader.length - headerBytesRead;
            // The walk ends at the end of the tag or of the file, at padding and at bytes that are no frame id.
            if (FrameData.readUpTo(body, frameHeader, headerBytesRead, wanted) < wanted
                    || !sizes.format().hasFrameId(frameHeader, 0)) {
                break;
            }
            headerBytesRead = 0;
            FrameFormat format = sizes.format();
            String id = format.id(frameHeader, 0);
            long size = sizes.size(frameHeader, id);
            if (size > region.declaredLeft()) {
                throw runsPastTag(id, size);
            }
            FrameData data = new FrameData(body, size);
            int slot = ids.indexOf(id);
            String value = slot >= 0 && values[slot] == null
                    ? readValue(id, format.flags(frameHeader, 0), data, header)
                    : null;
            data.skipRest();
            if (data.endedEarly()) {
                if (region.cutShort()) {
                    // The file ends inside this frame: the whole frames before it are the tag.
                    break;
                }
                throw runsPastTag(id, size);
            }
            // Encrypted and empty frames count as missing; a later frame of the same id may stand in.
            if (value != null) {
                values[slot] = value;
                found++;
            }
        }
        return new ID3V2Tag(values[0], values[1], values[2]);
    }

    /** The frame's text, or null when the frame holds none that can be read. */
    private static String readValue(String id, int flags, FrameData data, TagHeader header)
            throws IOException, ID3Exception {
        byte[] content;
        try {
            content = FrameContent.unpack(id, flags, data, header);
        } catch (ID3Exception e) {
            if (data.endedEarly()) {
                // The frame itself is not whole; the caller decides what that means.
                return null;
            }
            throw e;
        }
        return content != null && content.length > 0 ? TextDecoder.decode(content, header.version, id) : null;
    }

    private static ID3Exception runsPastTag(String id, long size) {
        return new ID3Exception("frame " + id + " of " + size + " bytes runs past the end of the tag");
    }
}
