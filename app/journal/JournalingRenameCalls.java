package app.journal;

import app.rename.RenameCalls;
import java.io.IOException;
import java.nio.file.Files;
import java.nio.file.LinkOption;
import java.nio.file.Path;
import java.nio.file.attribute.BasicFileAttributes;
import java.util.Set;

/**
 * The calls of an exclusive rename, each change journaled before it is made and confirmed after:
 * a second name and the removal of the first are two changes, and so are the steps through a
 * spare name, so that a run killed between them leaves a journal that tells where the entry is.
 */
final class JournalingRenameCalls implements RenameCalls {
    private final RenameCalls calls;
    private final Journal journal;
    /** Whether the next entry asked about is the one a rename is about to move. */
    private boolean identityWanted;

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

    /**
     * A rename asks this of the entry before it moves it (where the move may replace): the one
     * look at the entry then also gives its size and modification time for the journal.
     */
    void noteIdentityOfNextEntry(boolean wanted) {
        identityWanted = wanted;
    }

    @Override
    public boolean isRegularFile(Path path) {
        if (!identityWanted) {
            return calls.isRegularFile(path);
        }
        identityWanted = false;
        BasicFileAttributes attributes;
        try {
            attributes = Files.readAttributes(path, BasicFileAttributes.class, LinkOption.NOFOLLOW_LINKS);
        } catch (IOException | RuntimeException e) {
            return false;
        }
        journal.announce(null, new Rename.Found(Long.toString(attributes.size()), JournalFormat.time(attributes.lastModifiedTime())));
        return attributes.isRegularFile();
    }

    @Override
    public Object fileKey(Path path) throws IOException {
        return calls.fileKey(path);
    }

    @Override
    public void move(Path from, Path to) throws IOException {
        journaled(() -> calls.move(from, to), RenameStep.between(RenameStep.Kind.MOVE, name(from), name(to)));
    }

    @Override
    public void link(Path existing, Path link) throws IOException {
        journaled(() -> calls.link(existing, link), RenameStep.between(RenameStep.Kind.LINK, name(existing), name(link)));
    }

    @Override
    public void delete(Path path) throws IOException {
        journaled(() -> calls.delete(path), RenameStep.of(RenameStep.Kind.UNLINK, name(path)));
    }

    @Override
    public void writeNew(Path path, byte[] content) throws IOException {
        journaled(() -> calls.writeNew(path, content), RenameStep.of(RenameStep.Kind.RECORD, name(path)));
    }

    /** One step of a rename. */
    private interface Call {
        void make() throws IOException;
    }

    /** Journals the step, makes it, then confirms it or notes that the system refused it. */
    private void journaled(Call call, RenameStep journaled) throws IOException {
        long number = journal.intent(null, journaled);
        try {
            call.make();
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
