package jid3;

import java.io.ByteArrayOutputStream;
import java.nio.charset.Charset;
import java.nio.charset.StandardCharsets;
import java.util.Arrays;
import java.util.zip.Deflater;

/** Builds tag bytes by hand, for layouts that the tag writers at hand never produce. */
final class TagBuilder {
    static final int UNSYNCHRONISED = 0x80;
    static final int EXTENDED_HEADER = 0x40;
    static final int FOOTER = 0x10;

    private final int version;
    private int flags;
    private boolean plainFrameSizes;
    private final ByteArrayOutputStream body = new ByteArrayOutputStream();

    private TagBuilder(int version) {
        this.version = version;
    }

    static TagBuilder version(int version) {
        return new TagBuilder(version);
    }

    /** Header flags; UNSYNCHRONISED on a version 2 or 3 tag also unsynchronises the body when built. */
    TagBuilder flags(int headerFlags) {
        flags |= headerFlags;
        return this;
    }

    /** Writes version 4 frame sizes as plain integers, as some writers did. */
    TagBuilder plainFrameSizes() {
        plainFrameSizes = true;
        return this;
    }

    TagBuilder frame(String id, byte[] data) {
        return frame(id, 0, data);
    }

    TagBuilder frame(String id, int frameFlags, byte[] data) {
        raw(frameHeader(version, id, data.length, frameFlags, version == 4 && !plainFrameSizes));
        return raw(data);
    }

    TagBuilder raw(byte... bytes) {
        body.write(bytes, 0, bytes.length);
        return this;
    }

    TagBuilder padding(int length) {
        return raw(new byte[length]);
    }

    byte[] build() {
        byte[] content = body.toByteArray();
        if (version < 4 && (flags & UNSYNCHRONISED) != 0) {
            content = unsynchronise(content);
        }
        ByteArrayOutputStream tag = new ByteArrayOutputStream();
        byte[] header = tagHeader(version, flags, content.length);
        tag.write(header, 0, header.length);
        tag.write(content, 0, content.length);
        if ((flags & FOOTER) != 0) {
            byte[] footer = tag.toByteArray();
            footer[0] = '3';
            footer[2] = 'I';
            tag.write(footer, 0, TagHeader.LENGTH);
        }
        return tag.toByteArray();
    }

    /** The 10-byte tag header: "ID3", the version, the flags and the syncsafe size of what follows it. */
    static byte[] tagHeader(int version, int flags, long size) {
        return concat(bytes('I', 'D', '3', version, 0, flags), syncsafe((int) size));
    }

    /**
     * A frame header: version 2's 3-byte id and 3-byte size, or the 4-byte id, the 4-byte size
     * (syncsafe in version 4) and the two flag bytes of versions 3 and 4.
     */
    static byte[] frameHeader(int version, String id, long size, int flags) {
        return frameHeader(version, id, size, flags, version == 4);
    }

    private static byte[] frameHeader(int version, String id, long size, int flags, boolean syncsafeSize) {
        byte[] idBytes = id.getBytes(StandardCharsets.US_ASCII);
        if (version == 2) {
            return concat(idBytes, bytes((int) (size >> 16), (int) (size >> 8), (int) size));
        }
        return concat(idBytes, syncsafeSize ? syncsafe((int) size) : bigEndian((int) size), bytes(flags >> 8, flags));
    }

    /** An encoding byte followed by the text; encoding 1 is written little-endian with its byte order mark. */
    static byte[] text(int encoding, String text) {
        Charset[] charsets = {StandardCharsets.ISO_8859_1, StandardCharsets.UTF_16LE,
                StandardCharsets.UTF_16BE, StandardCharsets.UTF_8};
        String written = encoding == 1 ? "\uFEFF" + text : text;
        return concat(new byte[] {(byte) encoding}, written.getBytes(charsets[encoding]));
    }

    static byte[] bytes(int... values) {
        byte[] bytes = new byte[values.length];
        for (int i = 0; i < values.length; i++) {
            bytes[i] = (byte) values[i];
        }
        return bytes;
    }

    static byte[] latin1(String text) {
        return text(0, text);
    }

    static byte[] concat(byte[]... parts) {
        ByteArrayOutputStream out = new ByteArrayOutputStream();
        for (byte[] part : parts) {
            out.write(part, 0, part.length);
        }
        return out.toByteArray();
    }

    static byte[] syncsafe(int value) {
        return new byte[] {(byte) (value >> 21 & 0x7F), (byte) (value >> 14 & 0x7F),
                (byte) (value >> 7 & 0x7F), (byte) (value & 0x7F)};
    }

    static byte[] bigEndian(int value) {
        return new byte[] {(byte) (value >> 24), (byte) (value >> 16), (byte) (value >> 8), (byte) value};
    }

    /** Puts a zero byte after every 0xFF, which is what unsynchronisation does at worst. */
    static byte[] unsynchronise(byte[] data) {
        ByteArrayOutputStream out = new ByteArrayOutputStream();
        for (byte b : data) {
            out.write(b);
            if (b == (byte) 0xFF) {
                out.write(0);
            }
        }
        return out.toByteArray();
    }

    static byte[] deflate(byte[] data) {
        Deflater deflater = new Deflater();
        deflater.setInput(data);
        deflater.finish();
        byte[] buffer = new byte[data.length + 64];
        int length = deflater.deflate(buffer);
        deflater.end();
        return Arrays.copyOf(buffer, length);
    }
}
