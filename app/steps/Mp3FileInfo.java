package app.steps;

import java.util.regex.Pattern;

/** The parts of a track's new name, as its tag gives them. */
public class Mp3FileInfo {
    /**
     * Characters unwelcome in file names: white space, the characters Windows refuses, and
     * both path separators, so that a tag can never move a track into another folder.
     */
    private static final Pattern UNWELCOME = Pattern.compile("[\\s%*/\\\\;:\"|<>?]");

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
        String joined = number + "-" + artist + "-" + title;
        return UNWELCOME.matcher(joined.toLowerCase()).replaceAll("_");
    }
}
