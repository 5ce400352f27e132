package app.steps;

import static org.junit.jupiter.api.Assertions.assertEquals;

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

    @Test
    void nameRuleLowerCasesAndReplacesEachUnwelcomeCharacter() {
        assertEquals("03-some_band-song__part_1", newName("3", "Some Band", "Song: Part 1", "Track 3.mp3"));
        assertEquals("1-__________-__________", filename("1", " \t\n\u000B\f\r%*/;", ":\"|<>?\\ \\ "));
        assertEquals("2-ac_dc-it's-a_b-[live].(ok)", filename("2", "AC\\DC", "It's-A/B-[Live].(OK)"));
        assertEquals("4-éric_çа-ÿ", filename("4", "ÉRIC ÇА", "Ÿ"));
        assertEquals("5-null-title", filename("5", null, "Title"));
        assertEquals("6-artist-null", filename("6", "Artist", null));
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
