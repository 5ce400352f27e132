package app.rename;

import app.report.Problems;
import app.report.Refusal;
import java.io.File;
import java.io.IOException;
import java.nio.file.FileAlreadyExistsException;
import java.nio.file.InvalidPathException;
import java.nio.file.Path;
import java.util.Set;

/** Renames an entry within its directory without ever replacing another entry. */
public final class ExclusiveRename {
    /**
     * Windows refuses by itself to move onto a name that is taken, and a second name there could
     * not be removed while a player holds the file open.
     */
    public static final boolean MOVE_MAY_REPLACE = !System.getProperty("os.name", "").startsWith("Windows");
    /**
     * Linux's link(2) gives a symbolic link itself the second name, never its target, so an entry
     * that a listing found to be a regular file, links followed, may be linked without asking
     * its kind again: were it a link to one, the link would still be what is renamed.
     */
    private static final boolean LINK_NAMES_A_LINK_ITSELF = System.getProperty("os.name", "").equals("Linux");

    private ExclusiveRename() {
    }

    /**
     * Gives the entry the target name, its file-system calls made through `calls`. `listedFile`
     * tells that a listing found the entry to be a regular file, links followed, so that it need
     * not be asked again.
     */
    public static RenameOutcome rename(File from, File to, boolean listedFile, RenameCalls calls, Problems problems) {
        if (from.getPath().equals(to.getPath())) {
            return RenameOutcome.RENAMED;
        }
        try {
            Path source = from.toPath();
            Path target = to.toPath();
            RenameOutcome linked = LINK_NAMES_A_LINK_ITSELF && listedFile ? link(calls, source, target, problems) : null;
            if (linked == RenameOutcome.RENAMED) {
                return linked;
            }
            // A link refused because the name is taken tells what asking first would have told.
            if (linked != RenameOutcome.NAME_TAKEN && !calls.exists(target)) {
                return outcome(linked == RenameOutcome.REFUSED ? plainMove(calls, source, target)
                        : tryMove(calls, source, target, problems));
            }
            return renameOntoALeadingName(calls, source, target, problems);
        } catch (IOException | InvalidPathException e) {
            Refusal.reportRename(from, to, e, problems);
            return RenameOutcome.REFUSED;
        }
    }

    private static RenameOutcome outcome(boolean moved) {
        return moved ? RenameOutcome.RENAMED : RenameOutcome.NAME_TAKEN;
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
    private static RenameOutcome renameOntoALeadingName(RenameCalls calls, Path source, Path target, Problems problems)
            throws IOException {
        String sourceName = source.getFileName().toString();
        String targetName = target.getFileName().toString();
        Path folder = target.toAbsolutePath().getParent();
        Set<String> listed = calls.names(folder);
        if (listed.contains(targetName)) {
            return outcome(targetName.equals(sourceName));
        }
        if (!listed.contains(sourceName) || !sourceName.equalsIgnoreCase(targetName)
                || !renameThroughSpareName(calls, source, target, problems)) {
            return RenameOutcome.NAME_TAKEN;
        }
        if (calls.names(folder).contains(targetName)) {
            return RenameOutcome.RENAMED;
        }
        problems.report("Cannot rename " + source + " to " + targetName
                + ": the folder lists no entry of that name afterwards");
        return RenameOutcome.REFUSED;
    }

    /**
     * Renames through a spare name: to the spare, then to the target. A record beside the spare
     * keeps both names while the entry bears it, so that the next run can give it its name back
     * should this one be killed in between.
     */
    static boolean renameThroughSpareName(RenameCalls calls, Path source, Path target, Problems problems)
            throws IOException {
        SpareName spare = SpareName.beside(source);
        calls.writeNew(spare.record, SpareName.record(source.getFileName().toString(), target.getFileName().toString()));
        if (!tryMove(calls, source, spare.spare, problems)) {
            calls.delete(spare.record);
            return false;
        }
        // Still there once the entry has moved away: the name belongs to another entry
        // (a hard or symbolic link), which must be left alone.
        boolean renamed;
        try {
            renamed = !calls.exists(target) && tryMove(calls, spare.spare, target, problems);
        } catch (IOException e) {
            try {
                putBack(calls, spare, source, problems);
            } catch (IOException alsoFailed) {
                e.addSuppressed(alsoFailed);
            }
            throw e;
        }
        if (renamed) {
            calls.delete(spare.record);
        } else {
            putBack(calls, spare, source, problems);
        }
        return renamed;
    }

    private static void putBack(RenameCalls calls, SpareName spare, Path source, Problems problems)
            throws IOException {
        if (!tryMove(calls, spare.spare, source, problems)) {
            // Left with its record, which the next run finds.
            throw new FileAlreadyExistsException(spare.spare.toString(), source.toString(),
                    "another entry took the old name meanwhile, so the entry keeps the spare name");
        }
        calls.delete(spare.record);
    }

    /**
     * Moves an entry to a name that is free, never replacing an entry that took the name
     * meanwhile; false when one did. Where the system's move replaces (every system but Windows),
     * a regular file is given the new name as a second one, which fails when the name is taken,
     * and then loses the old one. Where links are refused (FAT, some shares, a file of another
     * user under fs.protected_hardlinks, another device) and for other entries, the move is
     * made: it checks the name just before it moves.
     */
    private static boolean tryMove(RenameCalls calls, Path from, Path to, Problems problems) throws IOException {
        if (MOVE_MAY_REPLACE && calls.isRegularFile(from)) {
            RenameOutcome linked = link(calls, from, to, problems);
            return linked == RenameOutcome.REFUSED ? plainMove(calls, from, to) : linked == RenameOutcome.RENAMED;
        }
        return plainMove(calls, from, to);
    }

    /**
     * Gives the file the new name as a second one, then takes the old one from it. Refused here
     * means only that the system gives no second names here: the caller moves the entry instead.
     */
    private static RenameOutcome link(RenameCalls calls, Path from, Path to, Problems problems) throws IOException {
        try {
            calls.link(from, to);
        } catch (FileAlreadyExistsException e) {
            return RenameOutcome.NAME_TAKEN;
        } catch (IOException | UnsupportedOperationException e) {
            return RenameOutcome.REFUSED;
        }
        dropOldName(calls, from, to, problems);
        return RenameOutcome.RENAMED;
    }

    /**
     * An entry never ends with two names: when the old one will not go, the new one goes again,
     * if it still leads to the file linked. Another program may have put its own file there in
     * between; asking first narrows that window but cannot close it, as no system call removes a
     * name only while it leads to a given file.
     */
    private static void dropOldName(RenameCalls calls, Path from, Path to, Problems problems) throws IOException {
        try {
            calls.delete(from);
        } catch (IOException e) {
            try {
                Object linked = calls.fileKey(from);
                if (linked != null && linked.equals(calls.fileKey(to))) {
                    calls.delete(to);
                } else {
                    problems.report("Cannot take back the second name " + to + ": another entry holds it now");
                }
            } catch (IOException alsoFailed) {
                e.addSuppressed(alsoFailed);
            }
            throw e;
        }
    }

    /** Without REPLACE_EXISTING the move fails rather than replace an entry that is there. */
    private static boolean plainMove(RenameCalls calls, Path from, Path to) throws IOException {
        try {
            calls.move(from, to);
            return true;
        } catch (FileAlreadyExistsException e) {
            return false;
        }
    }
}
