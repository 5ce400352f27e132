package app.steps;

import app.Context;
import app.Diagnostics;
import app.Step;
import java.io.BufferedWriter;
import java.io.File;
import java.io.IOException;
import java.nio.charset.Charset;

/** Writes the album's checksum list: a header, an empty line, then each track's name and CRC-32. */
public class SVFCreator implements Step {
    private final Diagnostics diagnostics;

    public SVFCreator(Diagnostics diagnostics) {
        this.diagnostics = diagnostics;
    }

    @Override
    public void execute(File directory, Context context) {
        try {
            File list = AlbumListFile.replacing(directory, context.getText(), ".sfv", diagnostics);
            try (BufferedWriter out = AlbumListFile.open(list)) {
                out.write("; Created by Quom's Dovatrik");
                out.newLine();
                out.newLine();
                TrackChecksum checksum = new TrackChecksum();
                for (File track : context.getFiles()) {
                    writeLine(out, track, checksum);
                }
            }
        } catch (IOException e) {
            diagnostics.report("Cannot write the checksum list of " + directory, e);
        }
    }

    /** A track that cannot be read gets no line; the tracks after it still get theirs. */
    private void writeLine(BufferedWriter out, File track, TrackChecksum checksum) throws IOException {
        long crc;
        try {
            crc = checksum.of(track);
        } catch (IOException e) {
            diagnostics.report("Cannot read the track " + track, e);
            return;
        }
        out.write(AlbumListFile.lineName(track, Charset.defaultCharset(), diagnostics) + " "
                + TrackChecksum.text(crc));
        out.newLine();
    }
}
