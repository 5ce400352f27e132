package app.report;

/**
 * What a long run tells of its work while it goes on: the album it is at and what the disk has done
 * so far. Only a console shows it.
 */
public interface Progress {
    /** Tells nothing. */
    Progress NONE = new Progress() {
        @Override
        public void readsTracks(boolean reads) {
        }

        @Override
        public void looking(int folders, int albums) {
        }

        @Override
        public void album(int number, int count, String name) {
        }

        @Override
        public void track() {
        }

        @Override
        public void read(long bytes) {
        }

        @Override
        public void end() {
        }
    };

    /** Whether the run reads the tracks' bytes (a dry run reads none), told through {@link #read}. */
    void readsTracks(boolean reads);

    /** The walk for album folders has listed that many folders so far and found that many albums. */
    void looking(int folders, int albums);

    /** Work starts on an album folder: its number, counted from 1, of `count`, and its name. */
    void album(int number, int count, String name);

    /** One more track is done: its checksum was taken. */
    void track();

    /** More bytes of tracks were read. */
    void read(long bytes);

    /** The work is over: whatever shows the progress goes. */
    void end();
}
