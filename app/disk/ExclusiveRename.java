package app.disk;

import app.Diagnostics;
import app.Refusal;
import java.io.File;
import java.io.IOException;
import java.nio.file.FileAlreadyExistsException;
import java.nio.file.InvalidPathException;
import java.nio.file.Path;
import java.nio.file.attribute.BasicFileAttributes;
import java.util.Set;

/** Renames an entry within its directory without ever replacing another entry. */
final class ExclusiveRename {
    /**
     * Windows refuses by itself to move onto a name that is taken, and a second name there could
     * not be removed while a player holds the file open.
     */
    static final boolean MOVE_MAY_REPLACE = !System.getProperty("os.name", "").startsWith("Windows");
    /**
     * Linux's link(2) gives a symbolic link itself the second name, never its target, so an entry
     * that a listing found to be a regular file, links followed, may be linked without asking
     * its kind again: were it a link to one, the link would still be what is renamed.
     */
    private static final boolean LINK_NAMES_A_LINK_ITSELF = System.getProperty("os.name", "").equals("Linux");

    /** How a try to give an entry its new name by a link ended. */
    private enum Linked {
        RENAMED, NAME_TAKEN, REFUSED
    }

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
            Linked linked = LINK_NAMES_A_LINK_ITSELF && isListedFile(from) ? link(calls, source, target, diagnostics) : null;
            if (linked == Linked.RENAMED) {
                return true;
            }
            // A link refused because the name is taken tells what asking first would have told.
            if (linked != Linked.NAME_TAKEN && !calls.exists(target)) {
                return linked == Linked.REFUSED ? plainMove(calls, source, target) : tryMove(calls, source, target, diagnostics);
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
                || !renameThroughSpareName(calls, source, target, diagnostics)) {
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

    /**
     * Renames through a spare name: to the spare, then to the target. A record beside the spare
     * keeps both names while the entry bears it, so that the next run can give it its name back
     * should this one be killed in between.
     */
    static boolean renameThroughSpareName(RenameCalls calls, Path source, Path target, Diagnostics diagnostics)
            throws IOException {
        SpareName spare = SpareName.beside(source);
        calls.writeNew(spare.record, SpareName.record(source.getFileName().toString(), target.getFileName().toString()));
        if (!tryMove(calls, source, spare.spare, diagnostics)) {
            calls.delete(spare.record);
            return false;
        }
        // Still there once the entry has moved away: the name belongs to another entry
        // (a hard or symbolic link), which must be left alone.
        boolean renamed;
        try {
            renamed = !calls.exists(target) && tryMove(calls, spare.spare, target, diagnostics);
        } catch (IOException e) {
            try {
                putBack(calls, spare, source, diagnostics);
            } catch (IOException alsoFailed) {
                e.addSuppressed(alsoFailed);
            }
            throw e;
        }
        if (renamed) {
            calls.delete(spare.record);
        } else {
            putBack(calls, spare, source, diagnostics);
        }
        return renamed;
    }

    private static void putBack(RenameCalls calls, SpareName spare, Path source, Diagnostics diagnostics)
            throws IOException {
        if (!tryMove(calls, spare.spare, source, diagnostics)) {
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
    private static boolean tryMove(RenameCalls calls, Path from, Path to, Diagnostics diagnostics) throws IOException {
        if (MOVE_MAY_REPLACE && calls.isRegularFile(from)) {
            Linked linked = link(calls, from, to, diagnostics);
            return linked == Linked.REFUSED ? plainMove(calls, from, to) : linked == Linked.RENAMED;
        }
        return plainMove(calls, from, to);
    }

    private static boolean isListedFile(File entry) {
        BasicFileAttributes attributes = ListedEntry.attributesOf(entry);
        return attributes != null && attributes.isRegularFile();
    }

    /** Gives the file the new name as a second one, then takes the old one from it. */
    private static Linked link(RenameCalls calls, Path from, Path to, Diagnostics diagnostics) throws IOException {
        try {
            calls.link(from, to);
        } catch (FileAlreadyExistsException e) {
            return Linked.NAME_TAKEN;
        } catch (IOException | UnsupportedOperationException e) {
            return Linked.REFUSED;
        }
        dropOldName(calls, from, to, diagnostics);
        return Linked.RENAMED;
    }

    /**
     * An entry never ends with two names: when the old one will not go, the new one goes again,
     * if it still leads to the file linked. Another program may have put its own file there in
     * between; asking first narrows that window but cannot close it, as no system call removes a
     * name only while it leads to a given file.
     */
    private static void dropOldName(RenameCalls calls, Path from, Path to, Diagnostics diagnostics) throws IOException {
        try {
            calls.delete(from);
        } catch (IOException e) {
            try {
                Object linked = calls.fileKey(from);
                if (linked != null && linked.equals(calls.fileKey(to))) {
                    calls.delete(to);
                } else {
                    diagnostics.report("Cannot take back the second name " + to + ": another entry holds it now");
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
