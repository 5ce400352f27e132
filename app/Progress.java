package app;

import app.disk.Disk;

/**
 * What a long run tells of its work while it goes on: the album it is at and what the disk has done
 * so far. Only a console shows it.
 */
public interface Progress {
    /** Tells nothing, and leaves the disk as it is. */
    Progress NONE = new Progress() {
        @Override
        public Disk watching(Disk disk, boolean readsTracks) {
            return disk;
        }

        @Override
        public void album(int number, int count, String name) {
        }

        @Override
        public void read(long bytes) {
        }

        @Override
        public void end() {
        }
    };

    /**
     * The disk the run is to use so that its tracks count: a track counts when its checksum is
     * taken. `readsTracks` tells whether the disk reads them (a dry run's reads none); the bytes
     * it reads are told through {@link #read}.
     */
    Disk watching(Disk disk, boolean readsTracks);

    /** More bytes of tracks were read. */
    void read(long bytes);

    /** Work starts on an album folder: its number, counted from 1, of `count`, and its name. */
    void album(int number, int count, String name);

    /** The work is over: whatever shows the progress goes. */
    void end();
}
