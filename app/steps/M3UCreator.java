package app.steps;

import app.Context;
import app.Diagnostics;
import app.disk.Disk;
import java.io.File;
import java.nio.file.attribute.FileTime;
import java.util.Collections;
import java.util.List;

/** Writes the album's playlist: the bare names of its tracks, one a line, ended by a line feed. */
public class M3UCreator extends AlbumListFile {
    public M3UCreator(Disk disk, Diagnostics diagnostics) {
        super(".m3u", "playlist", disk, diagnostics);
    }

    @Override
    List<String> header() {
        return Collections.emptyList();
    }

    /** Each line is a path, but for the comments (`#EXTM3U`, `#EXTINF:…`) that extended playlists hold. */
    @Override
    OldLists oldLists(Context context) {
        return new OldLists() {
            @Override
            public String entry(File list, FileTime written, String line, boolean whole) {
                return line.startsWith("#") ? null : line;
            }

            @Override
            public boolean readsEveryLine() {
                return false;
            }

            @Override
            public TrackLines trackLines() {
                return File::getName;
            }
        };
    }

    /** A bare line feed on every platform. */
    @Override
    String lineEnd() {
        return "\n";
    }
}
