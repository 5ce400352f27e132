package app.journal;

import java.io.Closeable;
import java.io.File;
import java.io.IOException;
import java.nio.ByteBuffer;
import java.nio.channels.FileChannel;
import java.nio.charset.StandardCharsets;
import java.nio.file.StandardOpenOption;

/**
 * Lines the undo adds to the journal of the run it takes back: that it began to write a list
 * back, and at the end that the run is undone. A line that a killed run cut short is ended first.
 */
public final class JournalMarks implements Closeable {
    private final FileChannel channel;
    private long end;

    private JournalMarks(FileChannel channel) throws IOException {
        this.channel = channel;
        end = channel.size();
        ByteBuffer last = ByteBuffer.allocate(1);
        if (end > 0 && channel.read(last, end - 1) == 1 && last.get(0) != '\n') {
            write("\n");
        }
    }

    public static JournalMarks open(File journal) throws IOException {
        FileChannel channel = FileChannel.open(journal.toPath(), StandardOpenOption.READ, StandardOpenOption.WRITE);
        try {
            return new JournalMarks(channel);
        } catch (IOException | RuntimeException e) {
            channel.close();
            throw e;
        }
    }

    /** One line, in the system's hands once this returns: a killed undo loses none. */
    /**
     * That the undo begins to write back what the deletion took; in the system's hands once this
     * returns, so that a killed undo loses none.
     */
    public void restoring(Deletion deletion) throws IOException {
        write(JournalLine.of(JournalFormat.restoring(deletion)));
    }

    /** That the run is undone, forced to the disk: the next undo takes the run before. */
    public void undone(long millis) throws IOException {
        write(JournalLine.of(JournalFormat.undone(millis)));
        channel.force(false);
    }

    private void write(String text) throws IOException {
        ByteBuffer bytes = ByteBuffer.wrap(text.getBytes(StandardCharsets.UTF_8));
        while (bytes.hasRemaining()) {
            end += channel.write(bytes, end);
        }
    }

    @Override
    public void close() throws IOException {
        channel.close();
    }
}
