package app.steps;

import app.Diagnostics;
import app.Refusal;
import java.io.File;
import java.io.IOException;
import java.nio.file.FileAlreadyExistsException;
import java.nio.file.InvalidPathException;
import java.nio.file.Path;
import java.util.Set;
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
        return rename(from, to, RenameCalls.SYSTEM, diagnostics);
    }

    static boolean rename(File from, File to, RenameCalls calls, Diagnostics diagnostics) {
        if (from.getPath().equals(to.getPath())) {
            return true;
        }
        try {
            Path source = from.toPath();
            Path target = to.toPath();
            if (!calls.exists(target)) {
                return tryMove(calls, source, target);
            }
            return renameOntoALeadingName(calls, source, target, diagnostics);
        } catch (IOException | InvalidPathException e) {
            reportRefusal(from, to, e, diagnostics);
        }
        return false;
    }

    /**
     * The target name leads to an entry, and a fresh listing of the folder tells whose. An entry
     * listed under exactly that name holds it: this very entry when its folder was spelled another
     * way, else another one. With none, the file system ignores letter case here and the name
     * leads to the entry itself when the two names differ only in case; the entry then takes the
     * new case through a spare name, since a plain move would find the name taken or do nothing.
     * File numbers cannot tell this: some drivers (FAT and exFAT through FUSE, some network
     * shares) give each spelling of a name its own.
     */
    private static boolean renameOntoALeadingName(RenameCalls calls, Path source, Path target, Diagnostics diagnostics)
            throws IOException {
        String sourceName = source.getFileName().toString();
        String targetName = target.getFileName().toString();
        Path folder = target.toAbsolutePath().getParent();
        Set<String> listed = calls.names(folder);
        if (listed.contains(targetName)) {
            return targetName.equals(sourceName);
        }
        if (!listed.contains(sourceName) || !sourceName.equalsIgnoreCase(targetName)
                || !renameThroughSpareName(calls, source, target)) {
            return false;
        }
        if (calls.names(folder).contains(targetName)) {
            return true;
        }
        diagnostics.report("Cannot rename " + source + " to " + targetName
                + ": the folder lists no entry of that name afterwards");
        return false;
    }

    /** Both names and the reason. */
    static void reportRefusal(File from, File to, Exception e, Diagnostics diagnostics) {
        diagnostics.report("Cannot rename " + from + " to " + to.getName() + ": " + Refusal.reason(e));
    }

    private static boolean renameThroughSpareName(RenameCalls calls, Path source, Path target) throws IOException {
        Path spare = source.resolveSibling(".renaming-" + UUID.randomUUID());
        calls.move(source, spare);
        // Still there once the entry has moved away: the name belongs to another entry
        // (a hard or symbolic link), which must be left alone.
        boolean renamed = false;
        try {
            renamed = !calls.exists(target) && tryMove(calls, spare, target);
        } finally {
            if (!renamed) {
                calls.move(spare, source);
            }
        }
        return renamed;
    }

    /** Without REPLACE_EXISTING the move fails rather than replace an entry that appeared meanwhile. */
    private static boolean tryMove(RenameCalls calls, Path from, Path to) throws IOException {
        try {
            calls.move(from, to);
            return true;
        } catch (FileAlreadyExistsException e) {
            return false;
        }
    }
}
