package app.disk;

import java.io.ByteArrayInputStream;
import java.io.IOException;
import java.io.InputStream;
import java.io.InputStreamReader;
import java.io.Reader;
import java.io.SequenceInputStream;
import java.nio.charset.CharacterCodingException;
import java.nio.charset.Charset;
import java.nio.charset.CodingErrorAction;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.LinkOption;
import java.nio.file.Path;
import java.nio.file.attribute.BasicFileAttributes;
import java.nio.file.attribute.FileTime;
import java.util.Arrays;

/**
 * The text of an old playlist or checksum list, whoever wrote it: rippers and checksum tools write
 * UTF-8, with or without a byte order mark, or the system's code page, as this application does.
 * A list is taken as UTF-8 where it begins with the mark or is valid UTF-8 throughout, else in the
 * lists' encoding; lines end with a line feed, a carriage return and line feed, or, as on old Macs,
 * a carriage return alone.
 */
public final class ListText {
    /** What came of reading a list. */
    public enum Outcome {
        READ,
        /** A regular file far larger than any list: not read. */
        TOO_LARGE,
        /** Not a regular file (a link, a pipe, a folder), or the system refused it. */
        NOT_READ
    }

    /** Takes a list's lines one by one. */
    public interface Lines {
        /**
         * One line, without its line end, of a list last written at `written`; `whole` unless it is
         * the last line and no line end ends it (a list cut short). False when no more are wanted.
         */
        boolean take(String line, FileTime written, boolean whole);
    }

    static final long LONGEST_LIST = 16L << 20;
    /** Far beyond any track's line; a longer one is passed over. */
    static final int LONGEST_LINE = 8192;
    private static final byte[] BYTE_ORDER_MARK = {(byte) 0xEF, (byte) 0xBB, (byte) 0xBF};

    private ListText() {
    }

    /** Reads the list's lines into `lines`; a link is never followed. */
    static Outcome read(Path list, Lines lines) {
        try {
            BasicFileAttributes attributes = Files.readAttributes(list, BasicFileAttributes.class, LinkOption.NOFOLLOW_LINKS);
            if (!attributes.isRegularFile()) {
                return Outcome.NOT_READ;
            }
            if (attributes.size() > LONGEST_LIST) {
                return Outcome.TOO_LARGE;
            }
            Charset charset = isUtf8(list) ? StandardCharsets.UTF_8 : ListEncoding.LISTS;
            try (Reader in = new InputStreamReader(open(list), charset.newDecoder()
                    .onMalformedInput(CodingErrorAction.REPLACE).onUnmappableCharacter(CodingErrorAction.REPLACE))) {
                readLines(in, attributes.lastModifiedTime(), lines);
            }
            return Outcome.READ;
        } catch (IOException | InvalidPathException e) {
            return Outcome.NOT_READ;
        }
    }

    private static InputStream open(Path list) throws IOException {
        return Files.newInputStream(list, LinkOption.NOFOLLOW_LINKS);
    }

    /** Begins with the byte order mark, or decodes as UTF-8 to its end. */
    private static boolean isUtf8(Path list) throws IOException {
        try (InputStream in = open(list)) {
            byte[] start = new byte[BYTE_ORDER_MARK.length];
            int length = 0;
            for (int count; length < start.length && (count = in.read(start, length, start.length - length)) != -1; ) {
                length += count;
            }
            if (Arrays.equals(start, BYTE_ORDER_MARK)) {
                return true;
            }
            InputStream whole = new SequenceInputStream(new ByteArrayInputStream(start, 0, length), in);
            // The decoder reports malformed input by default: the read then throws.
            Reader strict = new InputStreamReader(whole, StandardCharsets.UTF_8.newDecoder());
            char[] buffer = new char[LONGEST_LINE];
            while (strict.read(buffer) != -1) {
                // Only whether it decodes matters.
            }
            return true;
        } catch (CharacterCodingException e) {
            return false;
        }
    }

    private static void readLines(Reader in, FileTime written, Lines lines) throws IOException {
        StringBuilder line = new StringBuilder();
        boolean tooLong = false;
        boolean first = true;
        char previous = 0;
        char[] buffer = new char[LONGEST_LINE];
        for (int count; (count = in.read(buffer)) != -1; ) {
            for (int i = 0; i < count; previous = buffer[i++]) {
                char c = buffer[i];
                if (c != '\n' && c != '\r') {
                    tooLong = tooLong || line.length() >= LONGEST_LINE;
                    if (!tooLong) {
                        line.append(c);
                    }
                    continue;
                }
                // A line feed after a carriage return ends no second line.
                if (c == '\n' && previous == '\r') {
                    continue;
                }
                if (!tooLong && !take(line, first, written, true, lines)) {
                    return;
                }
                line.setLength(0);
                tooLong = false;
                first = false;
            }
        }
        if (!tooLong && line.length() > 0) {
            take(line, first, written, false, lines);
        }
    }

    private static boolean take(StringBuilder line, boolean first, FileTime written, boolean whole, Lines lines) {
        int start = first && line.length() > 0 && line.charAt(0) == '\uFEFF' ? 1 : 0;
        return lines.take(line.substring(start), written, whole);
    }
}
