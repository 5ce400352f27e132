package jid3;

/** The track builder of the tag library's tests, opened to the tests of the application. */
public final class TrackFixtures {
    /** One MPEG-1 Layer III frame of silence. */
    public static final byte[] AUDIO = Tracks.AUDIO;

    private TrackFixtures() {
    }

    /** A version 2.3 tag with Latin-1 artist, title and track frames, a null value leaving its frame out; then the audio. */
    public static byte[] tagged(String number, String artist, String title) {
        TagBuilder tag = TagBuilder.version(3);
        textFrame(tag, "TPE1", artist);
        textFrame(tag, "TIT2", title);
        textFrame(tag, "TRCK", number);
        return TagBuilder.concat(tag.build(), AUDIO);
    }

    private static void textFrame(TagBuilder tag, String id, String value) {
        if (value != null) {
            tag.frame(id, TagBuilder.latin1(value));
        }
    }
}
