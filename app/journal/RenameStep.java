package app.journal;

/**
 * One step of a rename, in the renamed entry's folder, so by names alone: `move n from to`, `link n
 * from to` (the entry gets a second name), `unlink n name` (a name goes) and `record n name` (the
 * record beside a spare name is made).
 */
public final class RenameStep extends Change {
    public enum Kind {
        MOVE, LINK, UNLINK, RECORD;

        /** Whether the step goes from one name to another, rather than touching one name. */
        boolean isFromAName() {
            return this == MOVE || this == LINK;
        }
    }

    public final Kind kind;
    /** The name a move or a link starts from; null for the other kinds. */
    public final String from;
    /** The name the step gives (a move's, a link's, the record's) or takes (an unlink's). */
    public final String name;

    private RenameStep(Kind kind, String... names) {
        super(null);
        this.kind = kind;
        from = names.length == 2 ? names[0] : null;
        name = names[names.length - 1];
    }

    /** A move or a link from one name to another. */
    public static RenameStep between(Kind kind, String from, String to) {
        return new RenameStep(kind, from, to);
    }

    /** An unlink or the making of a record. */
    public static RenameStep of(Kind kind, String name) {
        return new RenameStep(kind, name);
    }

    static RenameStep read(Kind kind, String[] fields) {
        return fields.length == (kind.isFromAName() ? 2 : 1) ? new RenameStep(kind, fields) : null;
    }

    @Override
    String kind() {
        return JournalFormat.word(kind);
    }

    @Override
    String[] fields() {
        return kind.isFromAName() ? new String[] {from, name} : new String[] {name};
    }
}
