package app.disk;

import java.nio.charset.Charset;

/**
 * The encoding of the playlist and the checksum list: the system's own code page, which Windows
 * players and checksum verifiers read them in, whatever the Java version. Up to Java 17 that is
 * the default charset; since Java 18 the default is UTF-8 everywhere and the code page is given as
 * the native.encoding property, which Java 17 gives as well.
 */
public final class ListEncoding {
    public static final Charset LISTS = choose(System.getProperty("native.encoding"), Charset.defaultCharset());

    private ListEncoding() {
    }

    /** The native encoding where the runtime names one that it has, else the default charset. */
    public static Charset choose(String nativeEncoding, Charset defaultCharset) {
        if (nativeEncoding == null) {
            return defaultCharset;
        }
        try {
            return Charset.forName(nativeEncoding);
        } catch (IllegalArgumentException e) {
            // An unknown or malformed name: the runtime lacks that charset.
            return defaultCharset;
        }
    }
}
