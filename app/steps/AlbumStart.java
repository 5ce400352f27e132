package app.steps;

import app.Diagnostics;
import app.Refusal;
import java.io.File;
import java.io.IOException;

/**
 * What is done with an album folder before its steps run. A folder whose entries cannot be
 * listed is reported and passed over: every step would find it empty, and the list steps would
 * replace its lists with empty ones.
 */
public final class AlbumStart {
    private final Disk disk;
    private final Diagnostics diagnostics;

    public AlbumStart(Disk disk, Diagnostics diagnostics) {
        this.disk = disk;
        this.diagnostics = diagnostics;
    }

    /** Whether the album's steps may run. */
    public boolean open(File album) {
        try {
            disk.listing(album, entry -> false);
            return true;
        } catch (IOException e) {
            diagnostics.report("Cannot list the entries of " + album + ", so it is passed over: " + Refusal.reason(e));
            return false;
        }
    }
}
