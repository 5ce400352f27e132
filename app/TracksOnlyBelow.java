package app;

import app.steps.TrackFolder;
import java.io.File;
import java.util.List;

/**
 * Whether the album folders of a run hold their tracks only in folders below them: there is one
 * at least, none holds an MP3 track of its own, and a folder one or two levels below one does
 * (Artist\Album, Album\CD1, Genre\Artist\Album). Such a library wants --recursive; a run over it
 * would only write empty lists into the folders above the albums. The check stops at the first
 * track, follows no link below an album folder, and counts a folder it cannot list as holding
 * none, without a word: in a library of MP3 albums it costs one listing.
 */
final class TracksOnlyBelow {
    /** How many levels below an album folder the check looks. */
    private static final int LEVELS = 2;

    private TracksOnlyBelow() {
    }

    static boolean in(List<File> albums) {
        for (File album : albums) {
            if (TrackFolder.holdsTrack(album)) {
                return false;
            }
        }
        for (File album : albums) {
            if (isHeldBelow(album, LEVELS)) {
                return true;
            }
        }
        return false;
    }

    /** Asked of the disk itself, as TrackFolder is. */
    private static boolean isHeldBelow(File folder, int levels) {
        File[] below = folder.listFiles(TrackFolder::isWalkedFolder);
        for (File sub : below == null ? new File[0] : below) {
            if (TrackFolder.holdsTrack(sub) || levels > 1 && isHeldBelow(sub, levels - 1)) {
                return true;
            }
        }
        return false;
    }
}
