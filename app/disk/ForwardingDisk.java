package app.disk;

import app.rename.RenameOutcome;
import java.io.File;
import java.io.FileFilter;
import java.io.IOException;
import java.io.Writer;
import java.nio.file.Path;
import java.nio.file.attribute.FileTime;
import java.util.List;

/**
 * A disk that hands every operation on to another: the base of disks that add something to a few
 * of them, so that an operation added to the seam passes through each of those as well.
 */
public abstract class ForwardingDisk implements Disk {
    protected final Disk disk;

    protected ForwardingDisk(Disk disk) {
        this.disk = disk;
    }

    @Override
    public List<File> entries(File directory, FileFilter nameFilter) {
        return disk.entries(directory, nameFilter);
    }

    @Override
    public List<File> entriesWithAttributes(File directory, FileFilter nameFilter) {
        return disk.entriesWithAttributes(directory, nameFilter);
    }

    @Override
    public List<File> listing(File directory, FileFilter nameFilter) throws IOException {
        return disk.listing(directory, nameFilter);
    }

    @Override
    public RenameOutcome rename(File from, File to) {
        return disk.rename(from, to);
    }

    @Override
    public boolean delete(File entry) {
        return disk.delete(entry);
    }

    @Override
    public Writer create(File file) throws IOException {
        return disk.create(file);
    }

    @Override
    public File bytesOf(File entry) {
        return disk.bytesOf(entry);
    }

    @Override
    public long checksum(File track) throws IOException {
        return disk.checksum(track);
    }

    @Override
    public long keptChecksum(File track, long listed) {
        return disk.keptChecksum(track, listed);
    }

    @Override
    public TrackTimes times(File track) throws IOException {
        return disk.times(track);
    }

    @Override
    public ListText.Outcome readList(File list, ListText.Lines lines) {
        return disk.readList(list, lines);
    }

    @Override
    public Path regularFile(File path) {
        return disk.regularFile(path);
    }

    @Override
    public FileTime lastModified(File file) throws IOException {
        return disk.lastModified(file);
    }

    @Override
    public byte[] readSmallFile(File file) throws IOException {
        return disk.readSmallFile(file);
    }

    @Override
    public boolean sameEntry(File one, File other) {
        return disk.sameEntry(one, other);
    }

    @Override
    public boolean finishRename(File oldName, File newName) {
        return disk.finishRename(oldName, newName);
    }
}
