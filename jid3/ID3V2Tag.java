package jid3;

/** The text fields of one ID3v2 tag that the renamer needs. */
public class ID3V2Tag {
    private final String artist;
    private final String title;
    private final String trackText;

    ID3V2Tag(String artist, String title, String trackText) {
        this.artist = artist;
        this.title = title;
        this.trackText = trackText;
    }

    /** The lead artist, or null when the tag has no artist frame. */
    public String getArtist() throws ID3Exception {
        return artist;
    }

    /** The title, or null when the tag has no title frame. */
    public String getTitle() throws ID3Exception {
        return title;
    }

    /** The track number; a missing or unreadable track frame is an error. */
    public int getTrackNumber() throws ID3Exception {
        return TrackNumber.parse(trackText);
    }
}
