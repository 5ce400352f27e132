package app.rename;

import java.io.IOException;
import java.nio.file.DirectoryStream;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.nio.file.Path;
import java.nio.file.StandardOpenOption;
import java.nio.file.attribute.BasicFileAttributes;
import java.util.HashSet;
import java.util.Set;

/**
 * The file-system calls an exclusive rename makes, so that tests can stand in for drivers that no
 * test machine has, such as those that give each spelling of a name its own file number.
 */
public interface RenameCalls {
    /** Whether the name leads to an entry, as the file system resolves names. */
    boolean exists(Path path);

    /** The names of the folder's entries as a fresh listing spells them. */
    Set<String> names(Path folder) throws IOException;

    /** Moves an entry; fails with FileAlreadyExistsException rather than replace one. */
    void move(Path from, Path to) throws IOException;

    /** Whether the entry is a regular file, not following a link. */
    boolean isRegularFile(Path path);

    /**
     * Gives a file a second name; fails with FileAlreadyExistsException when the name is taken,
     * and otherwise with an IOException or UnsupportedOperationException where links are refused.
     */
    void link(Path existing, Path link) throws IOException;

    /** What tells the entry itself from others (Linux: device and inode), links not followed; null where none. */
    Object fileKey(Path path) throws IOException;

    /** Removes a name, or an empty folder. */
    void delete(Path path) throws IOException;

    /** Creates a file that must not exist yet, holding the bytes. */
    void writeNew(Path path, byte[] content) throws IOException;

    RenameCalls SYSTEM = new RenameCalls() {
        @Override
        public boolean exists(Path path) {
            return Files.exists(path, LinkOption.NOFOLLOW_LINKS);
        }

        @Override
        public Set<String> names(Path folder) throws IOException {
            Set<String> names = new HashSet<>();
            try (DirectoryStream<Path> entries = Files.newDirectoryStream(folder)) {
                for (Path entry : entries) {
                    names.add(entry.getFileName().toString());
                }
            }
            return names;
        }

        @Override
        public void move(Path from, Path to) throws IOException {
            Files.move(from, to);
        }

        @Override
        public boolean isRegularFile(Path path) {
            return Files.isRegularFile(path, LinkOption.NOFOLLOW_LINKS);
        }

        @Override
        public void link(Path existing, Path link) throws IOException {
            Files.createLink(link, existing);
        }

        @Override
        public Object fileKey(Path path) throws IOException {
            return Files.readAttributes(path, BasicFileAttributes.class, LinkOption.NOFOLLOW_LINKS).fileKey();
        }

        @Override
        public void delete(Path path) throws IOException {
            // One call where the name goes; Files.delete asks the entry's kind first. Asked
            // again where the name will not go, it tells why.
            if (!path.toFile().delete()) {
                Files.delete(path);
            }
        }

        @Override
        public void writeNew(Path path, byte[] content) throws IOException {
            Files.write(path, content, StandardOpenOption.CREATE_NEW);
        }
    };
}
