package app.journal;

import java.nio.charset.StandardCharsets;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import java.util.zip.CRC32;

/**
 * One record of a journal as one line: its fields apart by tabs, then the CRC-32 of what comes
 * before it, then a line feed. A line that a killed run left cut short has no line feed or a
 * checksum that does not match, and is known for what it is. Tabs, line ends, control
 * characters, lone surrogates and % in a field are written as % and their number.
 */
final class JournalLine {
    private JournalLine() {
    }

    static String of(String... fields) {
        return new String(bytesOf(fields), StandardCharsets.UTF_8);
    }

    /** The line in UTF-8, as it goes into the file. */
    static byte[] bytesOf(String... fields) {
        Lines lines = new Lines();
        lines.add(fields);
        return Arrays.copyOf(lines.bytes, lines.length);
    }

    /**
     * Lines in UTF-8 one after another, as they go into the file, made straight into one array: a
     * run writes several for every track.
     */
    static final class Lines {
        byte[] bytes = new byte[8192];
        int length;
        private final CRC32 crc = new CRC32();
        private int lineStart = -1;

        void add(String... fields) {
            for (String field : fields) {
                field(field);
            }
            end();
        }

        /** The next field of the line begun by the first field since the last end. */
        void field(String field) {
            if (lineStart < 0) {
                lineStart = length;
            } else {
                put((byte) '\t');
            }
            if (isPlainAscii(field)) {
                room(field.length());
                for (int i = 0; i < field.length(); i++) {
                    bytes[length++] = (byte) field.charAt(i);
                }
            } else {
                StringBuilder escaped = new StringBuilder();
                escape(field, escaped);
                byte[] text = escaped.toString().getBytes(StandardCharsets.UTF_8);
                room(text.length);
                System.arraycopy(text, 0, bytes, length, text.length);
                length += text.length;
            }
        }

        /** Ends the line with the CRC-32 of its fields. */
        void end() {
            crc.reset();
            crc.update(bytes, lineStart, length - lineStart);
            put((byte) '\t');
            String check = Long.toHexString(crc.getValue());
            room(check.length() + 1);
            for (int i = 0; i < check.length(); i++) {
                bytes[length++] = (byte) check.charAt(i);
            }
            bytes[length++] = '\n';
            lineStart = -1;
        }

        private void put(byte b) {
            room(1);
            bytes[length++] = b;
        }

        private void room(int more) {
            if (length + more > bytes.length) {
                bytes = Arrays.copyOf(bytes, Math.max(2 * bytes.length, length + more));
            }
        }
    }

    /** The fields of a whole line without its line feed; null for one that is cut short or damaged. */
    static String[] fields(String line) {
        int lastTab = line.lastIndexOf('\t');
        if (lastTab < 0) {
            return null;
        }
        String text = line.substring(0, lastTab);
        if (!Long.toHexString(crc(text)).equals(line.substring(lastTab + 1))) {
            return null;
        }
        List<String> fields = new ArrayList<>();
        for (String field : text.split("\t", -1)) {
            String unescaped = unescape(field);
            if (unescaped == null) {
                return null;
            }
            fields.add(unescaped);
        }
        return fields.toArray(new String[0]);
    }

    private static long crc(String text) {
        CRC32 crc = new CRC32();
        crc.update(text.getBytes(StandardCharsets.UTF_8));
        return crc.getValue();
    }

    private static void escape(String field, StringBuilder into) {
        if (isPlain(field)) {
            into.append(field);
            return;
        }
        for (int i = 0; i < field.length(); i++) {
            char c = field.charAt(i);
            if (Character.isHighSurrogate(c) && i + 1 < field.length() && Character.isLowSurrogate(field.charAt(i + 1))) {
                into.append(c).append(field.charAt(++i));
            } else if (c < 0x20 || c == 0x7F || c == '%' || Character.isSurrogate(c)) {
                String hex = Integer.toHexString(c);
                into.append('%').append("0000", hex.length(), 4).append(hex);
            } else {
                into.append(c);
            }
        }
    }

    private static boolean isPlainAscii(String field) {
        for (int i = 0; i < field.length(); i++) {
            char c = field.charAt(i);
            if (c < 0x20 || c >= 0x7F || c == '%') {
                return false;
            }
        }
        return true;
    }

    private static boolean isPlain(String field) {
        for (int i = 0; i < field.length(); i++) {
            char c = field.charAt(i);
            if (c < 0x20 || c == 0x7F || c == '%' || Character.isSurrogate(c)) {
                return false;
            }
        }
        return true;
    }

    private static String unescape(String field) {
        StringBuilder text = new StringBuilder(field.length());
        for (int i = 0; i < field.length(); i++) {
            char c = field.charAt(i);
            if (c != '%') {
                text.append(c);
                continue;
            }
            if (i + 5 > field.length()) {
                return null;
            }
            try {
                text.append((char) Integer.parseInt(field.substring(i + 1, i + 5), 16));
            } catch (NumberFormatException e) {
                return null;
            }
            i += 4;
        }
        return text.toString();
    }
}
