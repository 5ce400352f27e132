package app.steps;

import app.Diagnostics;
import java.io.File;
import java.io.IOException;
import java.util.Arrays;
import java.util.List;

/** Writes the album's checksum list: a header, an empty line, then each track's name and CRC-32. */
public class SVFCreator extends AlbumListFile {
    private final Disk disk;

    public SVFCreator(Disk disk, Diagnostics diagnostics) {
        super(".sfv", "checksum list", disk, diagnostics);
        this.disk = disk;
    }

    @Override
    List<String> header() {
        return Arrays.asList("; Created by Quom's Dovatrik", "");
    }

    /** A track that cannot be read gets no line; the tracks after it still get theirs. */
    @Override
    String line(File track) throws IOException {
        return track.getName() + " " + TrackChecksum.text(disk.checksum(track));
    }

    @Override
    String lineEnd() {
        return System.lineSeparator();
    }
}
