package app.steps;

import java.io.File;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.InvalidPathException;
import java.nio.file.LinkOption;
import java.nio.file.Path;
import java.util.UUID;

/** Renames an entry within its directory without ever replacing another entry. */
final class ExclusiveRename {
    private ExclusiveRename() {
    }

    /**
     * True when the entry now bears the target name: renamed, or named so already.
     * False when the name is taken by another entry or the system refused.
     */
    static boolean rename(File from, File to) {
        if (from.getPath().equals(to.getPath())) {
            return true;
        }
        try {
            Path source = from.toPath();
            Path target = to.toPath();
            if (!exists(target)) {
                return tryMove(source, target);
            }
            // On a file system that ignores letter case the target name may resolve to the
            // entry itself; a plain move would then do nothing at all.
            return Files.isSameFile(source, target) && renameThroughSpareName(source, target);
        } catch (IOException | InvalidPathException e) {
            return false;
        }
    }

    private static boolean renameThroughSpareName(Path source, Path target) throws IOException {
        Path spare = source.resolveSibling(".renaming-" + UUID.randomUUID());
        Files.move(source, spare);
        // Still there once the entry has moved away: the name belongs to another entry
        // (a hard or symbolic link), which must be left alone.
        if (!exists(target) && tryMove(spare, target)) {
            return true;
        }
        Files.move(spare, source);
        return false;
    }

    /** Without REPLACE_EXISTING the move fails rather than replace an entry that appeared. */
    private static boolean tryMove(Path from, Path to) {
        try {
            Files.move(from, to);
            return true;
        } catch (IOException e) {
            return false;
        }
    }

    private static boolean exists(Path path) {
        return Files.exists(path, LinkOption.NOFOLLOW_LINKS);
    }
}
