package app.steps;

import app.Context;
import app.Diagnostics;
import app.Step;
import java.io.File;
import java.io.IOException;
import java.util.Arrays;
import java.util.List;

/** Writes the album's checksum list: a header, an empty line, then each track's name and CRC-32. */
public class SVFCreator implements Step, AlbumListFile.Format {
    private final Disk disk;
    private final AlbumListFile writer;

    public SVFCreator(Disk disk, Diagnostics diagnostics) {
        this.disk = disk;
        writer = new AlbumListFile(this, disk, diagnostics);
    }

    @Override
    public void execute(File directory, Context context) {
        writer.write(directory, context.getText(), context.getFiles());
    }

    @Override
    public String extension() {
        return ".sfv";
    }

    @Override
    public String title() {
        return "checksum list";
    }

    @Override
    public List<String> header() {
        return Arrays.asList("; Created by Quom's Dovatrik", "");
    }

    /** A track that cannot be read gets no line; the tracks after it still get theirs. */
    @Override
    public String line(File track) throws IOException {
        return track.getName() + " " + TrackChecksum.text(disk.checksum(track));
    }

    @Override
    public String lineEnd() {
        return System.lineSeparator();
    }
}
