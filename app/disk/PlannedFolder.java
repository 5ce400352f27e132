package app.disk;

import app.report.Problems;
import java.io.File;
import java.io.FileFilter;
import java.io.IOException;
import java.nio.charset.Charset;
import java.nio.charset.StandardCharsets;
import java.nio.file.AccessDeniedException;
import java.nio.file.DirectoryNotEmptyException;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.LinkOption;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.HashSet;
import java.util.List;
import java.util.Map;
import java.util.Set;

/**
 * What a run would leave in one folder, worked out without changing it: the folder's entries as
 * the disk lists them, once, in that order, changed by the renames, deletions and new files
 * planned so far. Names are told apart the way the folder's file system tells them apart.
 */
public final class PlannedFolder {
    /** One entry under its planned name. */
    public static final class Entry {
        private String name;
        /** Where the entry is on the disk; null for a file that only the plan makes. */
        private final File original;
        private final boolean reachable;

        private Entry(String name, File original, boolean reachable) {
            this.name = name;
            this.original = original;
            this.reachable = reachable;
        }

        /** The name the entry bears in the plan. */
        public String name() {
            return name;
        }

        /** Where the entry is on the disk; null for a file that only the plan makes. */
        public File original() {
            return original;
        }

        boolean isFolder() {
            return original != null && original.isDirectory();
        }

        /** A folder that a deletion leaves in place: one with entries, or one that cannot be listed. */
        boolean isFolderWithEntries() {
            if (original == null || !Files.isDirectory(original.toPath(), LinkOption.NOFOLLOW_LINKS)) {
                return false;
            }
            String[] inside = original.list();
            return inside == null || inside.length > 0;
        }

        /** Whether the file can be opened for writing; a file the plan makes can. */
        boolean isWritable() {
            return original == null || Files.isWritable(original.toPath());
        }
    }

    private final File directory;
    private final boolean ignoresCase;
    private final List<Entry> entries = new ArrayList<>();
    private final Map<String, Entry> byName = new HashMap<>();
    /** How the runtime gives names to the system; UTF-8, the widest, where it names none it has. */
    private static final Charset FILE_NAME_ENCODING = fileNameEncoding();

    /** The longest names the file system took when asked, in UTF-16 units and in encoded bytes; 0 before one was. */
    private int longestTakenUnits;
    private int longestTakenBytes;
    /** Why the folder's entries cannot be listed; null when they can. */
    private final IOException unlisted;

    /**
     * The folder as the disk has it now. An unreadable folder has no entries and gives the
     * reason as a listing of it in a real run does.
     */
    public static PlannedFolder read(File directory) {
        try {
            File[] listed = Listing.list(directory, entry -> true);
            return new PlannedFolder(directory, listed, ignoresCase(directory, listed), null);
        } catch (IOException e) {
            return new PlannedFolder(directory, new File[0], false, e);
        }
    }

    PlannedFolder(File directory, File[] listed, boolean ignoresCase) {
        this(directory, listed, ignoresCase, null);
    }

    private PlannedFolder(File directory, File[] listed, boolean ignoresCase, IOException unlisted) {
        this.directory = directory;
        this.ignoresCase = ignoresCase;
        this.unlisted = unlisted;
        for (File entry : listed) {
            add(new Entry(entry.getName(), entry, Listing.isReachable(entry)));
        }
    }

    /** The entries whose planned names pass the filter, as a listing of the folder named so would give them. */
    List<File> listing(File listedAs, FileFilter nameFilter, Problems problems) throws IOException {
        if (unlisted != null) {
            throw unlisted;
        }
        List<File> passing = new ArrayList<>();
        for (Entry entry : entries) {
            File file = new File(listedAs, entry.name);
            if (!nameFilter.accept(file)) {
                continue;
            }
            if (entry.reachable) {
                passing.add(file);
            } else {
                Listing.reportUnreachable(file, problems);
            }
        }
        return passing;
    }

    /** The entry that bears the name now, or null. */
    public Entry find(String name) {
        return byName.get(key(name));
    }

    public void rename(Entry entry, String newName) {
        byName.remove(key(entry.name));
        entry.name = newName;
        byName.put(key(newName), entry);
    }

    public void remove(Entry entry) {
        entries.remove(entry);
        byName.remove(key(entry.name));
    }

    /** A new file, listed after the entries there were. */
    public void create(String name) {
        add(new Entry(name, null, true));
    }

    /**
     * Whether the file system is sure to take the name here, having taken one at least as long
     * when asked: the limits that file systems and the system put on names and paths are limits
     * on their length, in the bytes of the file name encoding (Linux, eCryptfs) or in UTF-16
     * units (NTFS, FAT), and a folder's
     * other refusals (one the user may not look into) met the first name asked about. Names
     * merely listed in the folder do not count: a folder that may be listed but not looked
     * into lists names that the system would still refuse to look up.
     */
    boolean takesUnasked(String name) {
        return name.length() <= longestTakenUnits && encodedBytes(name) <= longestTakenBytes;
    }

    /** The file system took the name when asked about it. */
    void took(String name) {
        longestTakenUnits = Math.max(longestTakenUnits, name.length());
        longestTakenBytes = Math.max(longestTakenBytes, encodedBytes(name));
    }

    private static int encodedBytes(String name) {
        return name.getBytes(FILE_NAME_ENCODING).length;
    }

    /** Whether entries can be made, renamed and deleted in the folder. */
    public boolean isWritable() {
        return Files.isWritable(directory.toPath());
    }

    /** Why the system would refuse to make, rename or delete the entry here; null where it would not. */
    public IOException refusalToChange(File entry) {
        return isWritable() ? null : new AccessDeniedException(entry.getPath());
    }

    /** Why the system would refuse to delete the entry: as any change, or a folder with entries. */
    public IOException refusalToDelete(Entry entry, File path) {
        IOException refusal = refusalToChange(path);
        return refusal == null && entry.isFolderWithEntries() ? new DirectoryNotEmptyException(path.getPath()) : refusal;
    }

    private void add(Entry entry) {
        entries.add(entry);
        byName.put(key(entry.name), entry);
    }

    /** What the name is known by here: itself, or its letters in one case where the folder ignores case. */
    public String key(String name) {
        if (!ignoresCase) {
            return name;
        }
        // Character by character, as file systems that ignore case compare names.
        char[] folded = name.toCharArray();
        for (int i = 0; i < folded.length; i++) {
            folded[i] = Character.toUpperCase(folded[i]);
        }
        return new String(folded);
    }

    /**
     * Asks the file system whether it ignores letter case here: an entry's name with its case
     * turned round leads to the entry itself. Two listed names that differ only in case answer no.
     */
    private static boolean ignoresCase(File directory, File[] listed) {
        Set<String> names = new HashSet<>();
        for (File entry : listed) {
            names.add(entry.getName());
        }
        for (File entry : listed) {
            String turned = turnCase(entry.getName());
            if (turned.equals(entry.getName()) || !Listing.isReachable(entry)) {
                continue;
            }
            return !names.contains(turned) && leadsTo(new File(directory, turned), entry);
        }
        File parent = directory.getParentFile();
        String turned = turnCase(directory.getName());
        return parent != null && !turned.equals(directory.getName()) && leadsTo(new File(parent, turned), directory);
    }

    private static boolean leadsTo(File name, File entry) {
        try {
            return Files.exists(name.toPath(), LinkOption.NOFOLLOW_LINKS) && Files.isSameFile(name.toPath(), entry.toPath());
        } catch (IOException | InvalidPathException e) {
            return false;
        }
    }

    private static Charset fileNameEncoding() {
        try {
            return Charset.forName(System.getProperty("sun.jnu.encoding", "UTF-8"));
        } catch (IllegalArgumentException e) {
            return StandardCharsets.UTF_8;
        }
    }

    private static String turnCase(String name) {
        char[] turned = name.toCharArray();
        for (int i = 0; i < turned.length; i++) {
            char c = turned[i];
            turned[i] = Character.isUpperCase(c) ? Character.toLowerCase(c) : Character.toUpperCase(c);
        }
        return new String(turned);
    }
}
