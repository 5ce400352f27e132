package app.steps;

import app.Diagnostics;
import app.Refusal;
import app.Listing;
import java.io.BufferedWriter;
import java.io.File;
import java.io.FileFilter;
import java.io.IOException;
import java.io.OutputStreamWriter;
import java.io.Writer;
import java.nio.charset.Charset;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.NoSuchFileException;
import java.util.List;

/** The file operations of a real run. */
public final class RealDisk implements Disk {
    private final Diagnostics diagnostics;
    private final TrackChecksum checksum = new TrackChecksum();

    public RealDisk(Diagnostics diagnostics) {
        this.diagnostics = diagnostics;
    }

    @Override
    public List<File> listing(File directory, FileFilter nameFilter) throws IOException {
        return Listing.listing(directory, nameFilter, diagnostics);
    }

    @Override
    public boolean rename(File from, File to) {
        return ExclusiveRename.rename(from, to, diagnostics);
    }

    @Override
    public void delete(File entry) {
        try {
            Files.delete(entry.toPath());
        } catch (NoSuchFileException e) {
            // Gone already, as it was to be.
        } catch (IOException | InvalidPathException e) {
            Refusal.reportDeletion(entry, e, diagnostics);
        }
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
