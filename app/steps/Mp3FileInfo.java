package app.steps;

import java.util.function.Predicate;

/** The parts of a track's new name, as its tag gives them. */
public class Mp3FileInfo {
    /**
     * Characters unwelcome in file names beside white space and the control characters (all of
     * them up to the space, and DEL): the characters Windows refuses, and both path separators,
     * so that a tag can never move a track into another folder.
     */
    private static final String UNWELCOME = "%*/\\;:\"|<>?";

    private String number;
    private String artist;
    private String title;

    public void setNumber(String number) {
        this.number = number;
    }

    public void setArtist(String artist) {
        this.artist = artist;
    }

    public void setTitle(String title) {
        this.title = title;
    }

    /** "number-artist-title", lower-cased, each unwelcome character replaced by "_"; no extension. */
    public String getFilename() {
        return tidy(number + "-" + artist + "-" + title);
    }

    /**
     * The name of getFilename where fits accepts it. Otherwise its title part and then its artist
     * part are cut short from their ends, a whole character at a time, until fits accepts the name;
     * the number is always kept whole. The parts are then lower-cased one by one, which gives
     * what the whole name gives but for a sigma beside the hyphens (σ or ς, both of one size).
     */
    String getFilename(Predicate<String> fits) {
        String name = getFilename();
        if (fits.test(name)) {
            return name;
        }
        String numberPart = tidy(number);
        String artistPart = tidy(artist);
        String titlePart = tidy(title);
        while (!fits.test(name) && !(artistPart.isEmpty() && titlePart.isEmpty())) {
            if (titlePart.isEmpty()) {
                artistPart = withoutLastCharacter(artistPart);
            } else {
                titlePart = withoutLastCharacter(titlePart);
            }
            name = numberPart + "-" + artistPart + "-" + titlePart;
        }
        return name;
    }

    /** An absent part is written as the four letters null, as joining writes it. */
    private static String tidy(String text) {
        char[] tidied = String.valueOf(text).toLowerCase().toCharArray();
        for (int i = 0; i < tidied.length; i++) {
            char c = tidied[i];
            if (c <= ' ' || c == 0x7F || UNWELCOME.indexOf(c) >= 0) {
                tidied[i] = '_';
            }
        }
        return new String(tidied);
    }

    /** A surrogate pair is one character. */
    private static String withoutLastCharacter(String text) {
        return text.substring(0, text.offsetByCodePoints(text.length(), -1));
    }
}
