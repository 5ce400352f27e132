package app.steps;

import app.disk.Disk;
import java.io.File;
import java.io.FileFilter;
import java.io.PrintStream;

/**
 * Renames the entries of a directory that pass a filter, printing each new path before the
 * rename is tried. A name already taken stays with whoever bears it, so among entries aiming at
 * one name the first in listing order wins.
 */
final class EntryRenamer {
    /** The new name of an entry, from its current name and the directory's name. */
    interface Naming {
        String newName(String currentName, String text);
    }

    private final PrintStream out;
    private final Disk disk;
    private final FileFilter filter;
    private final Naming naming;

    /**
     * With `keepsAlbumFolders`, as in a --recursive run, an album folder below the directory is
     * never renamed, whatever its name: it is an album of its own.
     */
    EntryRenamer(PrintStream out, Disk disk, ExtensionFilter names, Naming naming, boolean keepsAlbumFolders) {
        this.out = out;
        this.disk = disk;
        this.filter = keepsAlbumFolders ? entry -> names.accept(entry) && !TrackFolder.isAlbumFolder(entry) : names;
        this.naming = naming;
    }

    void renameAll(File directory, String text) {
        for (File entry : disk.entries(directory, filter)) {
            File renamed = new File(directory, naming.newName(entry.getName(), text));
            out.println(renamed.getPath());
            disk.rename(entry, renamed);
        }
    }
}
