package app.steps;

import app.Diagnostics;
import app.Listing;
import app.Progress;
import java.io.BufferedWriter;
import java.io.File;
import java.io.FileFilter;
import java.io.IOException;
import java.io.OutputStreamWriter;
import java.io.Writer;
import java.nio.charset.Charset;
import java.nio.file.Files;
import java.util.List;

/** The file operations of a real run. */
public final class RealDisk implements Disk {
    private final Diagnostics diagnostics;
    private final TrackChecksum checksum;

    public RealDisk(Diagnostics diagnostics) {
        this(diagnostics, Progress.NONE);
    }

    /** The bytes of the tracks it reads count as the run's progress. */
    public RealDisk(Diagnostics diagnostics, Progress progress) {
        this.diagnostics = diagnostics;
        checksum = new TrackChecksum(progress);
    }

    @Override
    public List<File> entries(File directory, FileFilter nameFilter) {
        return Listing.entries(directory, nameFilter, diagnostics);
    }

    @Override
    public boolean rename(File from, File to) {
        return ExclusiveRename.rename(from, to, diagnostics);
    }

    @Override
    public void delete(File entry) {
        entry.delete();
    }

    @Override
    public Writer create(File file) throws IOException {
        return new BufferedWriter(new OutputStreamWriter(Files.newOutputStream(file.toPath()), Charset.defaultCharset()));
    }

    @Override
    public long checksum(File track) throws IOException {
        return checksum.of(track);
    }
}
