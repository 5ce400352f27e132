package jid3;

import java.nio.charset.Charset;
import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.List;

/** Turns the data of a text frame (encoding byte, then text) into the one value the tag reports. */
final class TextDecoder {
    /**
     * The most characters (UTF-16 units) kept of a value. No file system takes a file name of
     * more than 255, so a longer value never makes a usable name, and cutting it costs nothing.
     */
    static final int MAX_CHARACTERS = 1024;

    private static final int LATIN_1 = 0;
    private static final int UTF_16_WITH_BOM = 1;
    private static final int UTF_16_BIG_ENDIAN = 2;
    private static final int UTF_8 = 3;

    private TextDecoder() {
    }

    /**
     * The first value of the frame; version 4 frames may hold several values, each ended by a
     * zero character, and then the first non-empty one counts. Trailing zeros never show. The
     * value is cut at MAX_CHARACTERS, never inside a surrogate pair.
     */
    static String decode(byte[] content, int version, String frameId) throws ID3Exception {
        return cut(firstValue(content, version, frameId));
    }

    private static String cut(String value) {
        if (value.length() <= MAX_CHARACTERS) {
            return value;
        }
        int end = Character.isHighSurrogate(value.charAt(MAX_CHARACTERS - 1)) ? MAX_CHARACTERS - 1 : MAX_CHARACTERS;
        return value.substring(0, end);
    }

    private static String firstValue(byte[] content, int version, String frameId) throws ID3Exception {
        int encoding = content[0] & 0xFF;
        if (encoding > UTF_8) {
            throw new ID3Exception("frame " + frameId + " has unknown text encoding " + encoding);
        }
        int unit = encoding == UTF_16_WITH_BOM || encoding == UTF_16_BIG_ENDIAN ? 2 : 1;
        // A dangling half of a two-byte character is dropped.
        int end = 1 + (content.length - 1) / unit * unit;
        List<String> values = new ArrayList<>();
        int valueStart = 1;
        for (int at = 1; at < end; at += unit) {
            if (content[at] == 0 && content[at + unit - 1] == 0) {
                values.add(decodeValue(content, valueStart, at, encoding));
                valueStart = at + unit;
            }
        }
        values.add(decodeValue(content, valueStart, end, encoding));
        if (version < 4) {
            return values.get(0);
        }
        for (String value : values) {
            if (!value.isEmpty()) {
                return value;
            }
        }
        return "";
    }

    private static String decodeValue(byte[] content, int from, int to, int encoding) {
        String text = new String(content, from, to - from, charset(content, from, to, encoding));
        // A byte order mark decodes to U+FEFF; it is no part of the text.
        return text.startsWith("\uFEFF") ? text.substring(1) : text;
    }

    private static Charset charset(byte[] content, int from, int to, int encoding) {
        switch (encoding) {
            case LATIN_1:
                return StandardCharsets.ISO_8859_1;
            case UTF_16_WITH_BOM:
                // Without a byte order mark, little-endian is what such writers meant.
                return startsWith(content, from, to, 0xFE, 0xFF) ? StandardCharsets.UTF_16BE : StandardCharsets.UTF_16LE;
            case UTF_16_BIG_ENDIAN:
                // A JavaScript tag writer gives this encoding to little-endian text that it opens
                // with a byte order mark; the mark tells the truth.
                return startsWith(content, from, to, 0xFF, 0xFE) ? StandardCharsets.UTF_16LE : StandardCharsets.UTF_16BE;
            default:
                return StandardCharsets.UTF_8;
        }
    }

    private static boolean startsWith(byte[] content, int from, int to, int first, int second) {
        return to - from >= 2 && content[from] == (byte) first && content[from + 1] == (byte) second;
    }
}
