package app.steps;

import app.Context;
import app.Diagnostics;
import app.Step;
import java.io.BufferedWriter;
import java.io.File;
import java.io.FileOutputStream;
import java.io.IOException;
import java.io.OutputStreamWriter;

/** Writes the album's checksum list: a header, an empty line, then each track's name and CRC-32. */
public class SVFCreator implements Step {
    private final Diagnostics diagnostics;

    public SVFCreator(Diagnostics diagnostics) {
        this.diagnostics = diagnostics;
    }

    @Override
    public void execute(File directory, Context context) {
        try {
            File list = AlbumListFile.replacing(directory, context.getText(), ".sfv");
            try (BufferedWriter out = new BufferedWriter(new OutputStreamWriter(new FileOutputStream(list)))) {
                out.write("; Created by Quom's Dovatrik");
                out.newLine();
                out.newLine();
                for (File track : context.getFiles()) {
                    writeLine(out, track);
                }
            }
        } catch (IOException e) {
            diagnostics.report("Cannot write the checksum list of " + directory, e);
        }
    }

    /** A track that cannot be read gets no line; the tracks after it still get theirs. */
    private void writeLine(BufferedWriter out, File track) throws IOException {
        long crc;
        try {
            crc = TrackChecksum.of(track);
        } catch (IOException e) {
            diagnostics.report("Cannot read the track " + track, e);
            return;
        }
        out.write(track.getName() + " " + TrackChecksum.text(crc));
        out.newLine();
    }
}
