package app.report;

/**
 * What a long run tells of its work while it goes on: the album it is at and what the disk has done
 * so far. Only a console shows it; each part tells nothing unless a listener wants it.
 */
public interface Progress {
    /** Tells nothing. */
    Progress NONE = new Progress() {
    };

    /** Whether the run reads the tracks' bytes (a dry run reads none), told through {@link #read}. */
    default void readsTracks(boolean reads) {
    }

    /** The walk for album folders has listed that many folders so far and found that many albums. */
    default void looking(int folders, int albums) {
    }

    /** Work starts on an album folder: its number, counted from 1, of `count`, and its name. */
    default void album(int number, int count, String name) {
    }

    /** One more track is done: its checksum was taken. */
    default void track() {
    }

    /** More bytes of tracks were read. */
    default void read(long bytes) {
    }

    /** The work is over: whatever shows the progress goes. */
    default void end() {
    }
}
