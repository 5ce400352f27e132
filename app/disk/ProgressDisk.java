package app.disk;

import app.report.Progress;
import java.io.File;
import java.io.IOException;

/** A disk whose track checksums, read or kept, count as the run's progress; everything else passes straight through. */
public final class ProgressDisk extends ForwardingDisk {
    private final Progress progress;

    public ProgressDisk(Disk disk, Progress progress) {
        super(disk);
        this.progress = progress;
    }

    @Override
    public long checksum(File track) throws IOException {
        long checksum = disk.checksum(track);
        progress.track();
        return checksum;
    }

    @Override
    public long keptChecksum(File track, long listed) {
        long checksum = disk.keptChecksum(track, listed);
        progress.track();
        return checksum;
    }
}
