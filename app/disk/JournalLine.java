package app.disk;

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
        StringBuilder line = new StringBuilder();
        for (String field : fields) {
            if (line.length() > 0) {
                line.append('\t');
            }
            escape(field, line);
        }
        byte[] text = line.toString().getBytes(StandardCharsets.UTF_8);
        CRC32 crc = new CRC32();
        crc.update(text);
        byte[] end = ('\t' + Long.toHexString(crc.getValue()) + '\n').getBytes(StandardCharsets.US_ASCII);
        byte[] whole = Arrays.copyOf(text, text.length + end.length);
        System.arraycopy(end, 0, whole, text.length, end.length);
        return whole;
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
