package app.steps;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import app.CapturedStream;
import app.Diagnostics;
import app.disk.ListEncoding;
import java.io.File;
import java.nio.charset.Charset;
import java.nio.charset.StandardCharsets;
import org.junit.jupiter.api.Test;

class AlbumListFileTest {
    private final CapturedStream err = new CapturedStream();
    private final Diagnostics diagnostics = new Diagnostics(err.stream);

    @Test
    void aNameTheListEncodingCannotHoldIsReported() {
        File track = new File("album", "03-東京.mp3");
        AlbumListFile.reportUnwritableName(track, StandardCharsets.ISO_8859_1.newEncoder(), diagnostics);
        assertEquals(1, diagnostics.count());
        assertTrue(err.text().contains(track.toString()), err.text());
        assertTrue(err.text().contains("ISO-8859-1"), err.text());
    }

    @Test
    void namesTheEncodingHoldsPassSilently() {
        AlbumListFile.reportUnwritableName(new File("album", "03-Ölçü.mp3"), StandardCharsets.ISO_8859_1.newEncoder(),
                diagnostics);
        AlbumListFile.reportUnwritableName(new File("album", "03-東京.mp3"), StandardCharsets.UTF_8.newEncoder(),
                diagnostics);
        assertEquals(0, diagnostics.count());
        assertEquals("", err.text());
    }

    /** The code page as Java 17 and later name it; before Java 17 there is no such property. */
    @Test
    void listsTakeTheNativeEncodingWhereTheRuntimeHasIt() {
        Charset utf8 = StandardCharsets.UTF_8;
        assertEquals(Charset.forName("windows-1252"), ListEncoding.choose("Cp1252", utf8));
        assertEquals(StandardCharsets.ISO_8859_1, ListEncoding.choose("ISO-8859-1", StandardCharsets.US_ASCII));
        assertEquals(Charset.forName("windows-31j"), ListEncoding.choose("MS932", utf8));
        assertEquals(utf8, ListEncoding.choose(null, utf8));
        assertEquals(utf8, ListEncoding.choose("x-no-such-code-page", utf8));
        assertEquals(utf8, ListEncoding.choose("not a charset name!", utf8));
    }
}
