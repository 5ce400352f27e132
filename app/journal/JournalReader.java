package app.journal;

import java.io.BufferedReader;
import java.io.File;
import java.io.IOException;
import java.io.InputStreamReader;
import java.io.RandomAccessFile;
import java.nio.charset.CodingErrorAction;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;

/** Reads a journal back: as far as its lines are whole, the last one a killed run may have cut short. */
public final class JournalReader {
    private JournalReader() {
    }

    /** The canonical path of the music folder the journal's run worked on; null for no journal of ours. */
    static String musicFolderOf(File journal) {
        try (BufferedReader in = reader(journal)) {
            return JournalFormat.musicFolder(nextFields(in), nextFields(in));
        } catch (IOException e) {
            return null;
        }
    }

    public static JournalRun read(File journal) throws IOException {
        JournalRun run = new JournalRun();
        try (BufferedReader in = reader(journal)) {
            for (String[] fields = nextFields(in); fields != null; fields = nextFields(in)) {
                JournalFormat.read(fields, run);
            }
        }
        return run;
    }

    /**
     * The fields of the journal's last whole line, zeros after it passed over (Windows keeps them);
     * none when it cannot be read. Cheap: a journal of a large run is read only when this says
     * the run may have been killed.
     */
    static String[] lastLine(File journal) {
        try (RandomAccessFile file = new RandomAccessFile(journal, "r")) {
            byte[] tail = new byte[4096];
            long end = file.length();
            int length = 0;
            // Back over the zeros, a stretch at most, to the end of the last line.
            while (end > 0 && length == 0) {
                int size = (int) Math.min(tail.length, end);
                file.seek(end - size);
                file.readFully(tail, 0, size);
                for (length = size; length > 0 && tail[length - 1] == 0; length--) {
                    end--;
                }
            }
            if (end == 0) {
                return new String[0];
            }
            long start = Math.max(0, end - tail.length);
            file.seek(start);
            file.readFully(tail, 0, (int) (end - start));
            String text = new String(tail, 0, (int) (end - start), StandardCharsets.UTF_8);
            if (!text.endsWith("\n")) {
                return new String[0];
            }
            String[] fields = JournalLine.fields(text.substring(text.lastIndexOf('\n', text.length() - 2) + 1, text.length() - 1));
            return fields == null ? new String[0] : fields;
        } catch (IOException e) {
            return new String[0];
        }
    }

    private static BufferedReader reader(File journal) throws IOException {
        return new BufferedReader(new InputStreamReader(Files.newInputStream(journal.toPath()),
                StandardCharsets.UTF_8.newDecoder().onMalformedInput(CodingErrorAction.REPLACE)
                        .onUnmappableCharacter(CodingErrorAction.REPLACE)));
    }

    /**
     * The fields of the next line; none for a line cut short or damaged (the undo that marks a cut
     * journal ends such a line first), null at the end. A line is whole only with its line feed.
     */
    private static String[] nextFields(BufferedReader in) throws IOException {
        StringBuilder line = new StringBuilder();
        for (int c = in.read(); c != '\n'; c = in.read()) {
            if (c < 0) {
                return null;
            }
            line.append((char) c);
        }
        String[] fields = JournalLine.fields(line.toString());
        return fields == null ? new String[0] : fields;
    }
}
