package app.disk;

import app.rename.RenameOutcome;
import java.io.File;
import java.io.FileFilter;
import java.io.IOException;
import java.io.Writer;
import java.nio.file.Path;
import java.nio.file.attribute.FileTime;
import java.util.Collections;
import java.util.List;

/**
 * Every file operation of the steps: the real disk carries them out, a planned one only works out
 * and shows what they would do. Each reports its own problems, as the run reports them.
 */
public interface Disk {
    /**
     * The directory's entries whose names pass the filter, in the order the file system gives
     * them; an entry that cannot be reached under its listed name is reported and left out. A
     * folder that cannot be listed gives none.
     */
    default List<File> entries(File directory, FileFilter nameFilter) {
        try {
            return listing(directory, nameFilter);
        } catch (IOException e) {
            return Collections.emptyList();
        }
    }

    /**
     * Like entries, each entry with the attributes the listing learnt of it where it could (see
     * ListedEntry), so that the steps need not ask the system about it again: for the tracks,
     * whose kind the tag reader and the rename both need.
     */
    default List<File> entriesWithAttributes(File directory, FileFilter nameFilter) {
        return entries(directory, nameFilter);
    }

    /** Like entries, but a folder whose entries cannot be listed throws the system's reason. */
    List<File> listing(File directory, FileFilter nameFilter) throws IOException;

    /**
     * Renames an entry within its directory, never replacing another entry: renamed, the name
     * taken by another entry (not reported), or refused (reported).
     */
    RenameOutcome rename(File from, File to);

    /**
     * Deletes a file or an empty folder; true when it is gone. One that will not go is reported
     * with the system's reason; one that has gone already is not.
     */
    boolean delete(File entry);

    /**
     * Creates or truncates a text file in the encoding of the lists, the system's code page; a
     * link of that name is refused, never followed.
     */
    Writer create(File file) throws IOException;

    /** Where the bytes of the entry are on the disk now: the entry itself unless it is planned elsewhere. */
    File bytesOf(File entry);

    /** What checksum gives for a track that is not read: a dry run reads none. */
    long UNREAD = -1;

    /** The CRC-32 of all the bytes of a track, or UNREAD. */
    long checksum(File track) throws IOException;

    /**
     * The checksum that a quick run keeps for a track from its old lists, in place of reading it:
     * it counts as the track's checksum, and no byte of it is read.
     */
    long keptChecksum(File track, long listed);

    /** The track's times as they are now: for a quick run, before it renames the track. */
    TrackTimes times(File track) throws IOException;

    /**
     * Reads an old list's lines, as ListText reads them, while `lines` wants more. A list that
     * cannot be read gives none, without a word.
     */
    ListText.Outcome readList(File list, ListText.Lines lines);

    /** Where the path leads, links followed, when that is a regular file; else null. */
    Path regularFile(File path);

    /** When the bytes of a file were last changed. */
    FileTime lastModified(File file) throws IOException;

    /** The bytes of a small file of the application's own, such as a spare name's record. */
    byte[] readSmallFile(File file) throws IOException;

    /** Whether both names, in one folder, are there and lead to one entry. */
    boolean sameEntry(File one, File other);

    /**
     * Takes the old name from a file that a killed run's rename gave the new one beside it (the
     * caller made sure both lead to it), which finishes that run's rename: its journal has it,
     * and its undo gives the old name back. True when it went; a refusal is reported.
     */
    boolean finishRename(File oldName, File newName);
}
