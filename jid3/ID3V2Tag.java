package jid3;

/** The text fields of one ID3v2 tag that the renamer needs. */
public class ID3V2Tag {
    /** The lead artist, or null when the tag has no artist frame. */
    public String getArtist() throws ID3Exception {
        throw new ID3Exception("not implemented yet");
    }

    /** The title, or null when the tag has no title frame. */
    public String getTitle() throws ID3Exception {
        throw new ID3Exception("not implemented yet");
    }

    /** The track number; a missing or unreadable track frame is an error. */
    public int getTrackNumber() throws ID3Exception {
        throw new ID3Exception("not implemented yet");
    }
}
