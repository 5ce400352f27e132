package app.disk;

import java.io.IOException;
import java.nio.file.Path;
import java.util.Set;

/**
 * The calls of an exclusive rename, each change journaled before it is made and confirmed after:
 * a second name and the removal of the first are two changes, and so are the steps through a
 * spare name, so that a run killed between them leaves a journal that tells where the entry is.
 */
final class JournalingRenameCalls implements RenameCalls {
    private final RenameCalls calls;
    private final Journal journal;

    JournalingRenameCalls(RenameCalls calls, Journal journal) {
        this.calls = calls;
        this.journal = journal;
    }

    @Override
    public boolean exists(Path path) {
        return calls.exists(path);
    }

    @Override
    public Set<String> names(Path folder) throws IOException {
        return calls.names(folder);
    }

    @Override
    public boolean isRegularFile(Path path) {
        return calls.isRegularFile(path);
    }

    @Override
    public void move(Path from, Path to) throws IOException {
        long number = journal.intent(null, "move", name(from), name(to));
        try {
            calls.move(from, to);
        } catch (IOException | RuntimeException e) {
            journal.failed(number);
            throw e;
        }
        journal.confirm(number);
    }

    @Override
    public void link(Path existing, Path link) throws IOException {
        long number = journal.intent(null, "link", name(existing), name(link));
        try {
            calls.link(existing, link);
        } catch (IOException | RuntimeException e) {
            journal.failed(number);
            throw e;
        }
        journal.confirm(number);
    }

    @Override
    public void delete(Path path) throws IOException {
        long number = journal.intent(null, "unlink", name(path));
        try {
            calls.delete(path);
        } catch (IOException | RuntimeException e) {
            journal.failed(number);
            throw e;
        }
        journal.confirm(number);
    }

    @Override
    public void writeNew(Path path, byte[] content) throws IOException {
        long number = journal.intent(null, "record", name(path));
        try {
            calls.writeNew(path, content);
        } catch (IOException | RuntimeException e) {
            journal.failed(number);
            throw e;
        }
        journal.confirm(number);
    }

    /** Every step of a rename is in the folder of the renamed entry, which its own record names. */
    private static String name(Path path) {
        return path.getFileName().toString();
    }
}
