package app.steps;

import java.io.File;
import java.io.FileFilter;
import java.io.IOException;
import java.io.Writer;
import java.util.List;

/**
 * Every file operation of the steps: the real disk carries them out, a planned one only works out
 * and shows what they would do. Each reports its own problems, as the run reports them.
 */
public interface Disk {
    /**
     * The directory's entries whose names pass the filter, in the order the file system gives
     * them; an entry that cannot be reached under its listed name is reported and left out.
     */
    List<File> entries(File directory, FileFilter nameFilter);

    /**
     * Renames an entry within its directory, never replacing another entry. True when the entry
     * now bears the new name; false when another entry holds it, which is not reported, or when
     * the system refused, which is.
     */
    boolean rename(File from, File to);

    /** Deletes a file or an empty folder; one that will not go stays without a word. */
    void delete(File entry);

    /** Creates or truncates a text file in the encoding of the lists, the system's code page. */
    Writer create(File file) throws IOException;

    /** The CRC-32 of all the bytes of a track. */
    long checksum(File track) throws IOException;
}
