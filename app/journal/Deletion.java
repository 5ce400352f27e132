package app.journal;

import java.io.File;
import java.util.Base64;

/**
 * An old list is to go: `delete n path kind modified bytes`, with what it takes to bring it back.
 * The kind is file (its bytes in base64), folder, symlink (its target as the bytes) or large (a
 * file larger than LARGEST_KEPT, or one that could not be read: no bytes). An undo that begins to
 * write it back notes `restoring n`.
 */
public final class Deletion extends Change {
    static final String KIND = "delete";
    /** The largest list whose bytes are kept, to restore it. */
    public static final long LARGEST_KEPT = 1 << 20;

    /** What the journal keeps of the entry. */
    public enum Kept {
        FILE, FOLDER, SYMLINK, LARGE
    }

    public final Kept kept;
    /** The entry's modification time, as the journal keeps times; empty when it could not be read. */
    public final String modified;
    /** A file's bytes in base64, a link's target; empty for the other kinds. */
    private final String content;
    private boolean restoring;

    private Deletion(File path, Kept kept, String modified, String content) {
        super(path);
        this.kept = kept;
        this.modified = modified;
        this.content = content;
    }

    public static Deletion ofFile(File path, String modified, byte[] bytes) {
        return new Deletion(path, Kept.FILE, modified, Base64.getEncoder().encodeToString(bytes));
    }

    public static Deletion ofLink(File path, String modified, String target) {
        return new Deletion(path, Kept.SYMLINK, modified, target);
    }

    /** A folder, or a file whose bytes are not kept. */
    public static Deletion of(File path, Kept kept, String modified) {
        return new Deletion(path, kept, modified, "");
    }

    static Deletion read(String[] fields) {
        if (fields.length != 4) {
            return null;
        }
        Kept kept = JournalFormat.byWord(Kept.class, fields[1]);
        // A kind it does not know kept nothing to bring back, as a large file.
        Deletion deletion = new Deletion(new File(fields[0]), kept == null ? Kept.LARGE : kept, fields[2], fields[3]);
        try {
            deletion.bytes();
            return deletion;
        } catch (IllegalArgumentException e) {
            // Bytes that are not base64 are none that an undo could bring back.
            return of(deletion.path(), Kept.LARGE, deletion.modified);
        }
    }

    @Override
    String kind() {
        return KIND;
    }

    @Override
    String[] fields() {
        return new String[] {path().getPath(), JournalFormat.word(kept), modified, content};
    }

    /** The bytes of a file; none for the other kinds. */
    public byte[] bytes() {
        return kept == Kept.FILE ? Base64.getDecoder().decode(content) : new byte[0];
    }

    /** The target of a symbolic link. */
    public String target() {
        return content;
    }

    /** What the journal kept of the entry is what it kept of the other's. */
    public boolean keptAlike(Deletion other) {
        return kept == other.kept && content.equals(other.content);
    }

    /** An undo began to write back what the deletion took. */
    public boolean isRestoring() {
        return restoring;
    }

    void markRestoring() {
        restoring = true;
    }
}
