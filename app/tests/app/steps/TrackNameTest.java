package app.steps;

import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.charset.StandardCharsets;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.CsvSource;

/** The name a track gets from its tag and its old name. */
class TrackNameTest {
    private static String filename(String number, String artist, String title) {
        Mp3FileInfo info = new Mp3FileInfo();
        info.setNumber(number);
        info.setArtist(artist);
        info.setTitle(title);
        return info.getFilename();
    }

    private static String newName(String number, String artist, String title, String oldName) {
        return TrackNamePrefix.apply(filename(number, artist, title), oldName);
    }

    /** The whole file name, shortened where it would not fit. */
    private static String fileName(String number, String artist, String title, String oldName) {
        Mp3FileInfo info = new Mp3FileInfo();
        info.setNumber(number);
        info.setArtist(artist);
        info.setTitle(title);
        return TrackNameFromTag.newName(info, oldName);
    }

    private static int utf8Bytes(String name) {
        return name.getBytes(StandardCharsets.UTF_8).length;
    }

    @Test
    void nameRuleLowerCasesAndReplacesEachUnwelcomeCharacter() {
        assertEquals("03-some_band-song__part_1", newName("3", "Some Band", "Song: Part 1", "Track 3.mp3"));
        assertEquals("1-__________-__________", filename("1", " \t\n\u000B\f\r%*/;", ":\"|<>?\\ \\ "));
        assertEquals("2-ac_dc-it's-a_b-[live].(ok)", filename("2", "AC\\DC", "It's-A/B-[Live].(OK)"));
        assertEquals("4-éric_çа-ÿ", filename("4", "ÉRIC ÇА", "Ÿ"));
        assertEquals("5-null-title", filename("5", null, "Title"));
        assertEquals("6-artist-null", filename("6", "Artist", null));
    }

    /** Windows refuses every one of them in a file name. */
    @Test
    void everyControlCharacterIsUnwelcome() {
        for (char c = 0; c <= 0x7F; c = c == 0x1F ? 0x7F : (char) (c + 1)) {
            String hex = Integer.toHexString(c);
            assertEquals("1_-a_b-_t_", filename("1" + c, "a" + c + "b", c + "T" + c), hex);
            assertEquals("01-a_b-_t_.mp3", fileName("1", "A" + c + "B", c + "T" + c, "x.mp3"), hex);
        }
        // Characters beyond those are welcome, as they are on Windows.
        assertEquals("1-\u0080\u009f-~", filename("1", "\u0080\u009F", "~"));
    }

    /**
     * The title, head and unit repeated, cut from its end a whole character at a time until the
     * name has 255 UTF-8 bytes at most: "01-a-" and ".mp3" take 9 of them.
     */
    @ParameterizedTest(name = "{0}")
    @CsvSource(delimiter = '|', value = {
        "ASCII, 256 bytes                | ''  | x  | 247 | 246 | 255",
        "ASCII, exactly 255 bytes        | ''  | x  | 246 | 246 | 255",
        "two-byte UTF-8                  | ''  | é  | 200 | 123 | 255",
        "two-byte UTF-8, 256 bytes       | x   | é  | 123 | 122 | 254",
        "three-byte UTF-8                | ''  | 東 | 100 |  82 | 255",
        "three-byte UTF-8, 256 bytes     | x   | 東 |  82 |  81 | 253",
        "surrogate pairs                 | ''  | 𝄞 |  80 |  61 | 253",
        "surrogate pairs, exactly 255    | xx  | 𝄞 |  61 |  61 | 255",
        "surrogate pairs, 256 bytes      | xxx | 𝄞 |  61 |  60 | 252",
    })
    void titleIsShortenedToFit(String what, String head, String unit, int repeats, int kept, int bytes) {
        String title = head + unit.repeat(repeats);
        String name = fileName("1", "A", title, "x.mp3");
        assertEquals("01-a-" + head + unit.repeat(kept) + ".mp3", name);
        assertEquals(bytes, utf8Bytes(name));
        assertEquals(name, fileName("1", "A", title, name), "a second run");
    }

    @Test
    void artistIsShortenedOnceTheTitleIsGone() {
        String name = fileName("1", "ä".repeat(200), "Title", "x.mp3");
        assertEquals("01-" + "ä".repeat(123) + "-.mp3", name);
        assertEquals(254, utf8Bytes(name));
        assertEquals(name, fileName("1", "ä".repeat(200), "Title", name), "a second run");
    }

    /** What the prefix rules put in front, and a number of any length, stay whole. */
    @ParameterizedTest(name = "{0} with number {1}")
    @CsvSource(delimiter = '|', value = {
        "A1 x.mp3    | 5     | a1-",
        "103 x.mp3   | 3     | 103-",
        "x.mp3       | 12345 | 12345-",
        "B12 x.mp3   | -1    | -1-",
    })
    void prefixAndNumberStayWhole(String oldName, String number, String begin) {
        String name = fileName(number, "Band", "東".repeat(100), oldName);
        assertTrue(name.startsWith(begin + "band-東") && name.endsWith("東.mp3"), name);
        assertTrue(utf8Bytes(name) > 252 && utf8Bytes(name) <= 255, name);
        assertEquals(name, fileName(number, "Band", "東".repeat(100), name), "a second run");
    }

    /** Long names in many scripts, run again under the names they got: nothing changes. */
    @Test
    void aSecondRunKeepsEveryShortenedName() {
        String[] texts = {"x".repeat(300), "Ünïcode ".repeat(40), "日本語のタイトル".repeat(20), "𝄞a".repeat(100),
                "Σ".repeat(200), "İ".repeat(200), "Short"};
        for (String artist : texts) {
            for (String title : texts) {
                String first = fileName("3", artist, title, "A1 x.mp3");
                assertTrue(FileNameLimit.fits(first), first);
                assertEquals(first, fileName("3", artist, title, first), artist + " / " + title);
            }
        }
    }

    @Test
    void namesThatFitAreNotChanged() {
        for (String title : new String[] {"x".repeat(246), "é".repeat(123), "東".repeat(82), "Song: Part 1"}) {
            assertEquals(newName("1", "A", title, "x.mp3") + ".mp3", fileName("1", "A", title, "x.mp3"));
        }
        // The whole name is lower-cased at once: a sigma before the hyphen is not final there.
        assertEquals("01-οδοσ-αλφα.mp3", fileName("1", "ΟΔΟΣ", "ΑΛΦΑ", "x.mp3"));
    }

    @ParameterizedTest(name = "{1} with number {0} begins {2}")
    @CsvSource(delimiter = '|', value = {
        "0   | x.mp3           | 00-",
        "7   | x.mp3           | 07-",
        "12  | x.mp3           | 12-",
        "-1  | x.mp3           | -1-",
        "2   | B2 Whatever.MP3 | b2-",
        "10  | A10 x.mp3       | a10-",
        "5   | A123 x.mp3      | a12-",
        "3   | 103 x.mp3       | 103-",
        "3   | 2005 x.mp3      | 03-",
        "7   | 2005 live.mp3   | 07-",
        "100 | A1 x.mp3        | a1-",
        "12345 | A1 x.mp3      | a1-",
        "103 | 103 three.mp3   | 103-",
        "1000 | 103 x.mp3      | 103-",
        "100 | 100-art-hundred.mp3 | 100-",
        "1000 | 1000-x.mp3     | 1000-",
        "-12 | A1 x.mp3        | -a1-",
        "-1  | A1 x.mp3        | -1-",
        "7   | 12 x.mp3        | 07-",
        "7   | Ä1 x.mp3        | 07-",
        "7   | ١٢٣ x.mp3       | 07-",
    })
    void prefixRules(String number, String oldName, String begin) {
        assertEquals(begin + "artist-title", newName(number, "Artist", "Title", oldName));
    }

    /** Each track renamed once, then again under the name it got: the second name is the first. */
    @Test
    void aSecondRunKeepsEveryNameWhateverTheTrackNumber() {
        int[] numbers = {0, 7, 42, 99, 100, 103, 999, 1000, 12345, Integer.MAX_VALUE, -1};
        String[] oldNames = {"x.mp3", "A1 x.mp3", "b12 x.mp3", "103 x.mp3", "2005 x.mp3", "07 x.mp3", "1000-x.mp3"};
        for (int number : numbers) {
            for (String oldName : oldNames) {
                String first = newName(Integer.toString(number), "Artist", "Title", oldName);
                assertEquals(first, newName(Integer.toString(number), "Artist", "Title", first + ".mp3"),
                        oldName + " with number " + number);
            }
        }
    }

    @Test
    void prefixRulesLookOnlyAtTheStartOfTheNames() {
        assertEquals("07-a\u2028b-title", newName("7", "A\u2028B", "Title", "x.mp3"));
        assertEquals("b3-a\u2028b-title", newName("3", "A\u2028B", "Title", "B3\u2028x.mp3"));
        assertEquals("-1-band_b2-title", newName("-1", "Band 12", "Title", "B2 x.mp3"));
    }
}
