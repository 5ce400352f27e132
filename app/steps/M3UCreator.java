package app.steps;

import app.Context;
import app.Diagnostics;
import app.Step;
import java.io.File;
import java.io.IOException;
import java.io.Writer;
import java.nio.charset.Charset;

/** Writes the album's playlist: the bare names of its tracks, one a line, ended by a line feed. */
public class M3UCreator implements Step {
    private final Diagnostics diagnostics;

    public M3UCreator(Diagnostics diagnostics) {
        this.diagnostics = diagnostics;
    }

    @Override
    public void execute(File directory, Context context) {
        try {
            File playlist = AlbumListFile.replacing(directory, context.getText(), ".m3u", diagnostics);
            try (Writer out = AlbumListFile.open(playlist)) {
                for (File track : context.getFiles()) {
                    // A bare line feed on every platform.
                    out.write(AlbumListFile.lineName(track, Charset.defaultCharset(), diagnostics) + "\n");
                }
            }
        } catch (IOException e) {
            diagnostics.report("Cannot write the playlist of " + directory, e);
        }
    }
}
