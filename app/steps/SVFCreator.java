package app.steps;

import app.Context;
import app.Diagnostics;
import app.disk.Disk;
import app.disk.ListedChecksums;
import app.disk.TrackChecksum;
import app.disk.TrackTimes;
import java.io.File;
import java.io.IOException;
import java.nio.file.attribute.FileTime;
import java.util.Arrays;
import java.util.List;

/**
 * Writes the album's checksum list: a header, an empty line, then each track's name and CRC-32.
 * A track whose bytes changed since an old list was written, though the track was not written
 * since, is damaged: that is reported, and the new list keeps the old checksum, so that the
 * evidence survives the run. A quick run keeps, unread, the listed checksum of a track it trusts
 * (see ChecksumTrust).
 */
public class SVFCreator extends AlbumListFile {
    private final Disk disk;
    private final Diagnostics diagnostics;
    private final ChecksumTrust trust;

    public SVFCreator(Disk disk, Diagnostics diagnostics) {
        this(disk, diagnostics, ChecksumTrust.NONE);
    }

    /** A quick run's list: a track that `trust` trusts keeps its listed checksum unread. */
    public SVFCreator(Disk disk, Diagnostics diagnostics, ChecksumTrust trust) {
        super(".sfv", "checksum list", disk, diagnostics);
        this.disk = disk;
        this.diagnostics = diagnostics;
        this.trust = trust;
    }

    @Override
    List<String> header() {
        return Arrays.asList("; Created by Quom's Dovatrik", "");
    }

    /**
     * Every line of every old list is read, kept lists too, for the checksums of the tracks it
     * names. A track that cannot be read gets no line; the tracks after it still get theirs.
     */
    @Override
    OldLists oldLists(Context context) {
        ListedChecksums listed = new ListedChecksums();
        return new OldLists() {
            @Override
            public String entry(File list, FileTime written, String line, boolean whole) {
                return listed.take(list, written, line, whole);
            }

            @Override
            public boolean readsEveryLine() {
                return true;
            }

            @Override
            public TrackLines trackLines() {
                return track -> line(track, listed.find(context.previousName(track)), context.timesBefore(track));
            }
        };
    }

    private String line(File track, ListedChecksums.Listed listed, TrackTimes before) throws IOException {
        long checksum = trust.trusts(listed, before) ? disk.keptChecksum(track, listed.value) : disk.checksum(track);
        boolean damaged = listed != null && checksum != Disk.UNREAD && listed.value != checksum
                // A track written since the list (its tag edited, say) was changed on purpose.
                && disk.lastModified(track).compareTo(listed.listWritten) <= 0;
        if (damaged) {
            diagnostics.report("Checksum of " + track + " changed since " + listed.list + ": was " + listed.text
                    + ", now " + TrackChecksum.text(checksum));
            return track.getName() + " " + listed.text;
        }
        return track.getName() + " " + TrackChecksum.text(checksum);
    }

    @Override
    String lineEnd() {
        return System.lineSeparator();
    }
}
