package app;

import app.disk.Disk;
import app.disk.ForwardingDisk;
import java.io.File;
import java.io.IOException;

/** A disk whose track checksums count on the status line; everything else passes straight through. */
final class ProgressDisk extends ForwardingDisk {
    private final StatusLine statusLine;

    ProgressDisk(Disk disk, StatusLine statusLine) {
        super(disk);
        this.statusLine = statusLine;
    }

    @Override
    public long checksum(File track) throws IOException {
        long checksum = disk.checksum(track);
        statusLine.track();
        return checksum;
    }
}
