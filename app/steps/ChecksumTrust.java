package app.steps;

import app.disk.ListedChecksums;
import app.disk.TrackTimes;
import java.nio.file.attribute.FileTime;

/**
 * When a quick run keeps a track's checksum from the album's old lists without reading its bytes.
 * The damage check is tuned to speak up; trust fails safe instead. A track is trusted only when an
 * old list names it under its name before this run on a whole line, every line that names it gives
 * the same value, its bytes were written at least 2 seconds before that list (FAT keeps times to 2
 * seconds), its entry changed (where the system tells: a rename or a write by hand, which keeps the
 * modification time) no later than the list, and the list is not dated after the run's start. The
 * track's times are those it had before this run renamed it.
 */
public final class ChecksumTrust {
    /** Trusts no listed checksum: a normal run reads every track. */
    public static final ChecksumTrust NONE = new ChecksumTrust(null);
    private static final long MARGIN_SECONDS = 2;

    private final FileTime runStart;

    private ChecksumTrust(FileTime runStart) {
        this.runStart = runStart;
    }

    /** The trust of a quick run that began then. */
    public static ChecksumTrust since(FileTime runStart) {
        return new ChecksumTrust(runStart);
    }

    /** Whether the run keeps the tracks' times before their renames, which trust needs. */
    public boolean needsTimes() {
        return runStart != null;
    }

    boolean trusts(ListedChecksums.Listed listed, TrackTimes before) {
        if (runStart == null || listed == null || before == null || !listed.isWholeAndAgreed()) {
            return false;
        }
        FileTime written = listed.listWritten;
        return before.modified.toInstant().plusSeconds(MARGIN_SECONDS).compareTo(written.toInstant()) <= 0
                && (before.changed == null || before.changed.compareTo(written) <= 0)
                && written.compareTo(runStart) <= 0;
    }
}
