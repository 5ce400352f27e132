package app.steps;

import app.Context;
import app.Diagnostics;
import app.Step;
import java.io.BufferedWriter;
import java.io.File;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.OutputStreamWriter;
import java.io.Writer;

/** Writes the album's playlist: the bare names of its tracks, one a line, ended by a line feed. */
public class M3UCreator implements Step {
    private final Diagnostics diagnostics;

    public M3UCreator(Diagnostics diagnostics) {
        this.diagnostics = diagnostics;
    }

    @Override
    public void execute(File directory, Context context) {
        try {
            File playlist = AlbumListFile.replacing(directory, context.getText(), ".m3u");
            try (Writer out = new BufferedWriter(new OutputStreamWriter(new FileOutputStream(playlist)))) {
                for (File track : context.getFiles()) {
                    // A bare line feed on every platform.
                    out.write(track.getName() + "\n");
                }
            }
        } catch (IOException e) {
            diagnostics.report("Cannot write the playlist of " + directory, e);
        }
    }
}
