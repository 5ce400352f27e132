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

    ProgressDisk(Disk disk, StatusLine statusLine) {
        this.disk = disk;
        this.statusLine = statusLine;
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

    @Override
    public long checksum(File track) throws IOException {
        long checksum = disk.checksum(track);
        statusLine.track();
        return checksum;
    }
}
