package app.journal;

import java.io.BufferedReader;
import java.io.File;
import java.io.IOException;
import java.io.InputStreamReader;
import java.io.RandomAccessFile;
import java.nio.charset.CodingErrorAction;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.HashMap;
import java.util.List;
import java.util.Map;

/** Reads a journal back: as far as its lines are whole, the last one a killed run may have cut short. */
public final class JournalReader {
    /** One change the run made or was about to make, with its confirmation and, for a rename, its steps. */
    public static final class Change {
        public final String kind;
        public final String number;
        public final String[] fields;
        /** The confirmation's own fields; null until the change was confirmed. */
        public String[] confirmed;
        public boolean failed;
        /** An undo began to write back what the change took: a list deleted or written over. */
        public boolean restoring;
        public final List<Change> steps = new ArrayList<>();

        Change(String kind, String number, String[] fields) {
            this.kind = kind;
            this.number = number;
            this.fields = fields;
        }
    }

    /** What a journal tells. */
    public static final class Run {
        String musicFolder;
        /** The run ended rather than being killed. */
        boolean closed;
        public boolean undone;
        public final List<Change> changes = new ArrayList<>();
    }

    private JournalReader() {
    }

    /** The canonical path of the music folder the journal's run worked on; null for no journal of ours. */
    static String musicFolderOf(File journal) {
        try (BufferedReader in = reader(journal)) {
            String[] first = nextFields(in);
            String[] second = nextFields(in);
            if (first == null || first.length == 0 || !first[0].equals("journal") || second == null
                    || second.length != 2 || !second[0].equals("folder")) {
                return null;
            }
            return second[1];
        } catch (IOException e) {
            return null;
        }
    }

    public static Run read(File journal) throws IOException {
        Run run = new Run();
        Map<String, Change> byNumber = new HashMap<>();
        Change openRename = null;
        try (BufferedReader in = reader(journal)) {
            for (String[] fields = nextFields(in); fields != null; fields = nextFields(in)) {
                if (fields.length == 0) {
                    continue;
                }
                String kind = fields[0];
                if (kind.equals("folder") && fields.length == 2) {
                    run.musicFolder = fields[1];
                } else if (kind.equals("undone")) {
                    run.undone = true;
                } else if (kind.equals(Journal.CLOSED)) {
                    run.closed = true;
                } else if (kind.equals("restoring") && fields.length == 2) {
                    Change change = byNumber.get(fields[1]);
                    if (change != null) {
                        change.restoring = true;
                    }
                } else if ((kind.equals("ok") || kind.equals("failed")) && fields.length >= 2) {
                    Change change = byNumber.get(fields[1]);
                    if (change != null) {
                        change.failed = kind.equals("failed");
                        change.confirmed = Arrays.copyOfRange(fields, 2, fields.length);
                        if (change == openRename) {
                            openRename = null;
                        }
                    }
                } else if (fields.length >= 3 && !kind.equals("journal") && !kind.equals("time")
                        && !kind.equals("version")) {
                    Change change = new Change(kind, fields[1], Arrays.copyOfRange(fields, 2, fields.length));
                    byNumber.put(fields[1], change);
                    boolean step = kind.equals("move") || kind.equals("link") || kind.equals("unlink")
                            || kind.equals("record") || kind.equals("entry");
                    if (step && openRename != null) {
                        openRename.steps.add(change);
                    } else if (!step) {
                        run.changes.add(change);
                        if (kind.equals("rename")) {
                            openRename = change;
                        }
                    }
                }
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
