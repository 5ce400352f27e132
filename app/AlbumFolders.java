package app;

import app.disk.Disk;
import app.report.Refusal;
import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.NoSuchFileException;
import java.nio.file.Path;
import java.nio.file.attribute.BasicFileAttributes;
import java.util.ArrayList;
import java.util.Collections;
import java.util.HashMap;
import java.util.List;
import java.util.Map;
import java.util.Set;

/**
 * The album folders of the music folder: its entries that are folders, links to folders
 * included, in listing order. Reported and left out: an entry whose kind cannot be told (a path
 * too long for the system, say), and one that leads back to the music folder or to a folder
 * above it, where the steps would write into the music folder or rename files outside it.
 */
final class AlbumFolders {
    private final Diagnostics diagnostics;
    private final File musicFolder;
    /** The music folder and every folder above it, by file key; empty where the system has none. */
    private final Set<Object> musicFolderAndAbove;

    private AlbumFolders(File musicFolder, Diagnostics diagnostics) {
        this.musicFolder = musicFolder;
        this.diagnostics = diagnostics;
        Map<Object, File> keys = keysOfMusicFolderAndAbove(musicFolder);
        musicFolderAndAbove = keys == null ? Collections.emptySet() : keys.keySet();
    }

    /** The music folder and every folder above it, by file key; null where the system gives no keys. */
    static Map<Object, File> keysOfMusicFolderAndAbove(File musicFolder) {
        Map<Object, File> keys = new HashMap<>();
        for (Path folder = canonical(musicFolder).toPath(); folder != null; folder = folder.getParent()) {
            try {
                Object key = Files.readAttributes(folder, BasicFileAttributes.class).fileKey();
                if (key == null) {
                    return null;
                }
                keys.put(key, folder.toFile());
            } catch (IOException | InvalidPathException e) {
                return null;
            }
        }
        return keys;
    }

    static List<File> of(File musicFolder, Disk disk, Diagnostics diagnostics) {
        AlbumFolders folders = new AlbumFolders(musicFolder, diagnostics);
        List<File> albums = new ArrayList<>();
        // Every entry is listed, so that one whose name cannot be reached is reported whatever it is.
        for (File entry : disk.entries(musicFolder, entry -> true)) {
            if (folders.isAlbum(entry)) {
                albums.add(entry);
            }
        }
        return albums;
    }

    private boolean isAlbum(File entry) {
        BasicFileAttributes attributes;
        try {
            attributes = Files.readAttributes(entry.toPath(), BasicFileAttributes.class);
        } catch (NoSuchFileException e) {
            return false; // a link to nothing, or gone since the listing
        } catch (IOException | InvalidPathException e) {
            // A link that cannot be followed (one that leads round in a circle) is a link, not a
            // folder; otherwise the system cannot tell what the entry is.
            if (!Files.isSymbolicLink(entry.toPath())) {
                diagnostics.report("Cannot open " + entry + " as an album folder: " + Refusal.reason(e));
            }
            return false;
        }
        if (!attributes.isDirectory()) {
            return false;
        }
        if (leadsToMusicFolderOrAbove(entry, attributes)) {
            diagnostics.report("Cannot work on " + entry + ": it leads to " + canonical(entry)
                    + ", the music folder or a folder above it");
            return false;
        }
        return true;
    }

    private boolean leadsToMusicFolderOrAbove(File entry, BasicFileAttributes attributes) {
        if (!musicFolderAndAbove.isEmpty()) {
            return musicFolderAndAbove.contains(attributes.fileKey());
        }
        String target = canonical(entry).getPath();
        String music = canonical(musicFolder).getPath();
        return music.equals(target) || music.startsWith(target.endsWith(File.separator) ? target : target + File.separator);
    }

    private static File canonical(File file) {
        try {
            return file.getCanonicalFile();
        } catch (IOException e) {
            return file.getAbsoluteFile();
        }
    }
}
