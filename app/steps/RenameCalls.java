package app.steps;

import java.io.IOException;
import java.nio.file.DirectoryStream;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.nio.file.Path;
import java.util.HashSet;
import java.util.Set;

/**
 * The file-system calls an exclusive rename makes, so that tests can stand in for drivers that no
 * test machine has, such as those that give each spelling of a name its own file number.
 */
interface RenameCalls {
    /** Whether the name leads to an entry, as the file system resolves names. */
    boolean exists(Path path);

    /** The names of the folder's entries as a fresh listing spells them. */
    Set<String> names(Path folder) throws IOException;

    /** Moves an entry; fails with FileAlreadyExistsException rather than replace one. */
    void move(Path from, Path to) throws IOException;

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
    };
}
