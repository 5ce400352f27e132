package app.steps;

import app.Context;
import app.Diagnostics;
import app.Step;
import java.io.File;
import java.util.Collections;
import java.util.List;

/** Writes the album's playlist: the bare names of its tracks, one a line, ended by a line feed. */
public class M3UCreator implements Step, AlbumListFile.Format {
    private final AlbumListFile writer;

    public M3UCreator(Disk disk, Diagnostics diagnostics) {
        writer = new AlbumListFile(this, disk, diagnostics);
    }

    @Override
    public void execute(File directory, Context context) {
        writer.write(directory, context.getText(), context.getFiles());
    }

    @Override
    public String extension() {
        return ".m3u";
    }

    @Override
    public String title() {
        return "playlist";
    }

    @Override
    public List<String> header() {
        return Collections.emptyList();
    }

    @Override
    public String line(File track) {
        return track.getName();
    }

    /** A bare line feed on every platform. */
    @Override
    public String lineEnd() {
        return "\n";
    }
}
