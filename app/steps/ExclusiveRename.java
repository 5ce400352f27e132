package app.steps;

import app.Diagnostics;
import app.Refusal;
import java.io.File;
import java.io.IOException;
import java.nio.file.FileAlreadyExistsException;
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
     * True when the entry now bears the target name: renamed, or named so already. False when the
     * name is taken by another entry, which is how the run settles entries aiming at one name and
     * so is not reported; and false when the system refused, which is reported with its reason.
     */
    static boolean rename(File from, File to, Diagnostics diagnostics) {
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
            reportRefusal(from, to, e, diagnostics);
        }
        return false;
    }

    /** Both names and the reason. */
    static void reportRefusal(File from, File to, Exception e, Diagnostics diagnostics) {
        diagnostics.report("Cannot rename " + from + " to " + to.getName() + ": " + Refusal.reason(e));
    }

    private static boolean renameThroughSpareName(Path source, Path target) throws IOException {
        Path spare = source.resolveSibling(".renaming-" + UUID.randomUUID());
        Files.move(source, spare);
        // Still there once the entry has moved away: the name belongs to another entry
        // (a hard or symbolic link), which must be left alone.
        boolean renamed = false;
        try {
            renamed = !exists(target) && tryMove(spare, target);
        } finally {
            if (!renamed) {
                Files.move(spare, source);
            }
        }
        return renamed;
    }

    /** Without REPLACE_EXISTING the move fails rather than replace an entry that appeared meanwhile. */
    private static boolean tryMove(Path from, Path to) throws IOException {
        try {
            Files.move(from, to);
            return true;
        } catch (FileAlreadyExistsException e) {
            return false;
        }
    }

    private static boolean exists(Path path) {
        return Files.exists(path, LinkOption.NOFOLLOW_LINKS);
    }
}
