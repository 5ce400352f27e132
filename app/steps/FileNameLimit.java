package app.steps;

import java.nio.charset.StandardCharsets;

/**
 * How long one file name may be: 255 bytes in UTF-8 on Linux file systems, 255 UTF-16 units on
 * Windows ones. A name within both fits on either.
 */
final class FileNameLimit {
    static final int MOST_UTF8_BYTES = 255;
    static final int MOST_UTF16_UNITS = 255;

    private FileNameLimit() {
    }

    static boolean fits(String name) {
        return name.length() <= MOST_UTF16_UNITS && name.getBytes(StandardCharsets.UTF_8).length <= MOST_UTF8_BYTES;
    }
}
