package app.steps;

import app.Context;
import app.Diagnostics;
import app.Listing;
import app.Step;
import java.io.File;
import java.util.ArrayList;
import java.util.List;
import jid3.ID3Exception;
import jid3.ID3V2Tag;
import jid3.MP3File;

/** Renames the MP3 tracks of an album directory after their ID3v2 tags and lists where they are. */
public class Mp3FilesRenamer implements Step {
    private static final ExtensionFilter TRACKS = new ExtensionFilter(".mp3");

    private final Diagnostics diagnostics;

    public Mp3FilesRenamer(Diagnostics diagnostics) {
        this.diagnostics = diagnostics;
    }

    @Override
    public void execute(File directory, Context context) {
        List<File> handled = new ArrayList<>();
        for (File track : Listing.entries(directory, TRACKS)) {
            String newName;
            try {
                newName = newName(track);
            } catch (ID3Exception | RuntimeException e) {
                // A fault of the tag library on one track is that track's problem only.
                diagnostics.report("Cannot read the tag of " + track, e);
                continue;
            }
            if (newName != null) {
                File renamed = new File(directory, newName);
                handled.add(ExclusiveRename.rename(track, renamed) ? renamed : track);
            }
        }
        context.setFiles(handled);
    }

    /** The track's new file name, or null when it carries no ID3v2 tag. */
    private static String newName(File track) throws ID3Exception {
        ID3V2Tag tag = new MP3File(track).getID3V2Tag();
        if (tag == null) {
            return null;
        }
        Mp3FileInfo info = new Mp3FileInfo();
        info.setArtist(tag.getArtist());
        info.setTitle(tag.getTitle());
        info.setNumber(Integer.toString(tag.getTrackNumber()));
        return TrackNamePrefix.apply(info.getFilename(), track.getName()) + ".mp3";
    }
}
