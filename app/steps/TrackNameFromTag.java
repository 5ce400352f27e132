package app.steps;

import app.Diagnostics;
import app.disk.ListedEntry;
import java.io.File;
import jid3.ID3Exception;
import jid3.ID3V2Tag;
import jid3.MP3File;

/**
 * Forms a track's new name from its ID3v2 tag. The only class that uses the tag library, so
 * that a missing library shows up when the first track is handled, not when the run starts.
 */
final class TrackNameFromTag {
    private TrackNameFromTag() {
    }

    /**
     * The new file name, or null when the track has no ID3v2 tag or its tag cannot be read
     * (reported). The tag is read from where the track's bytes are; in a dry run that is not
     * where the plan has put the track. The kind and size the listing learnt of the track are
     * handed on, so the reader does not ask for them again.
     */
    static String of(File track, File bytes, Diagnostics diagnostics) {
        try {
            ID3V2Tag tag = new MP3File(bytes, ListedEntry.attributesOf(bytes)).getID3V2Tag();
            if (tag == null) {
                return null;
            }
            Mp3FileInfo info = new Mp3FileInfo();
            info.setArtist(tag.getArtist());
            info.setTitle(tag.getTitle());
            info.setNumber(Integer.toString(tag.getTrackNumber()));
            return newName(info, track.getName());
        } catch (ID3Exception | RuntimeException e) {
            // A fault of the tag library on one track is that track's problem only.
            diagnostics.report("Cannot read the tag of " + track, e);
            return null;
        }
    }

    /** The name rule, the prefix rules and ".mp3", shortened where needed to fit one name of the file system. */
    static String newName(Mp3FileInfo info, String oldName) {
        return withPrefixAndExtension(
                info.getFilename(filename -> FileNameLimit.fits(withPrefixAndExtension(filename, oldName))), oldName);
    }

    private static String withPrefixAndExtension(String filename, String oldName) {
        return TrackNamePrefix.apply(filename, oldName) + ".mp3";
    }
}
