package app.disk;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertFalse;
import static org.junit.jupiter.api.Assertions.assertTrue;
import static org.junit.jupiter.api.Assertions.assertNull;

import java.io.File;
import java.nio.file.attribute.FileTime;
import org.junit.jupiter.api.Test;

class ListedChecksumsTest {
    private final ListedChecksums listed = new ListedChecksums();
    private final File list = new File("album", "old.sfv");

    private String take(String line) {
        return listed.take(list, FileTime.fromMillis(0), line, true);
    }

    @Test
    void tracksLinesAsEveryWriterPutsThem() {
        String[][] cases = {
            {"01 - a b.mp3 cbf43926", "01 - a b.mp3", "cbf43926"},
            {"TAB.mp3\t\tCBF43926 \t", "TAB.mp3", "CBF43926"},
            {" lead.mp3  0", " lead.mp3", "0"},
            {"CD1\\01 x.flac 1234abcd", "CD1\\01 x.flac", "1234abcd"},
        };
        for (String[] line : cases) {
            assertEquals(line[1], take(line[0]), line[0]);
            assertEquals(line[2], listed.find(line[1]).text, line[0]);
        }
    }

    @Test
    void commentsAndOtherLinesNameNoTrack() {
        String blanks = " ".repeat(8190);
        for (String line : new String[] {"; a.mp3 12345678", "a.mp3", "a.mp3 123456789", "a.mp3 xyz", " 1234", "",
                "a" + blanks + "x", "a\u2028b.mp3 1234"}) {
            assertNull(take(line), line);
        }
        // A long run of blanks is passed in one go: a pattern that searched for them took seconds.
        assertEquals("a", take("a" + blanks + "1234"));
    }

    /** A quick run trusts a value only on a whole line that no other line naming the track contradicts. */
    @Test
    void aValueIsAgreedWhereEveryLineNamingTheTrackGivesItOnAWholeLine() {
        File newer = new File("album", "newer.sfv");
        listed.take(list, FileTime.fromMillis(1), "same.mp3 cbf43926", true);
        listed.take(newer, FileTime.fromMillis(2), "same.mp3 CBF43926", true);
        listed.take(list, FileTime.fromMillis(1), "other.mp3 1", true);
        listed.take(newer, FileTime.fromMillis(2), "other.mp3 2", true);
        listed.take(list, FileTime.fromMillis(1), "twice.mp3 1", true);
        listed.take(list, FileTime.fromMillis(1), "twice.mp3 2", true);
        listed.take(newer, FileTime.fromMillis(2), "cut.mp3 12345", false);
        assertTrue(listed.find("same.mp3").isWholeAndAgreed());
        assertEquals(newer, listed.find("same.mp3").list);
        assertFalse(listed.find("other.mp3").isWholeAndAgreed());
        assertEquals("1", listed.find("twice.mp3").text);
        assertFalse(listed.find("twice.mp3").isWholeAndAgreed());
        assertFalse(listed.find("cut.mp3").isWholeAndAgreed());
    }
}
