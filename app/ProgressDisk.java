package app;

import app.steps.Disk;
import java.io.File;
import java.io.FileFilter;
import java.io.IOException;
import java.io.Writer;
import java.util.List;

/** A disk whose track checksums count on the status line; everything else passes straight through. */
final class ProgressDisk implements Disk {
    private final Disk disk;
    private final StatusLine statusLine;
    private final boolean readsTracks;

    ProgressDisk(Disk disk, StatusLine statusLine, boolean readsTracks) {
        this.disk = disk;
        this.statusLine = statusLine;
        this.readsTracks = readsTracks;
    }

    @Override
    public List<File> entries(File directory, FileFilter nameFilter) {
        return disk.entries(directory, nameFilter);
    }

    @Override
    public boolean rename(File from, File to) {
        return disk.rename(from, to);
    }

    @Override
    public void delete(File entry) {
        disk.delete(entry);
    }

    @Override
    public Writer create(File file) throws IOException {
        return disk.create(file);
    }

    /** The checksum has read every byte of the track, as many as its length. */
    @Override
    public long checksum(File track) throws IOException {
        long checksum = disk.checksum(track);
        statusLine.track(readsTracks ? track.length() : 0);
        return checksum;
    }
}
