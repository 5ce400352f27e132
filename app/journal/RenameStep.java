package app.journal;

/**
 * One step of a rename, in the renamed entry's folder, so by names alone: `move n from to`, `link n
 * from to` (the entry gets a second name), `unlink n name` (a name goes) and `record n name` (the
 * record beside a spare name is made).
 */
public final class RenameStep extends Change {
    public enum Kind {
        MOVE("move", true), LINK("link", true), UNLINK("unlink", false), RECORD("record", false);

        final String word;
        /** Whether the step goes from one name to another, or touches one name. */
        final boolean fromAName;

        Kind(String word, boolean fromAName) {
            this.word = word;
            this.fromAName = fromAName;
        }

        static Kind of(String word) {
            for (Kind kind : values()) {
                if (kind.word.equals(word)) {
                    return kind;
                }
            }
            return null;
        }
    }

    public final Kind kind;
    /** The name a move or a link starts from; null for the other kinds. */
    public final String from;
    /** The name the step gives (a move's, a link's, the record's) or takes (an unlink's). */
    public final String name;

    public RenameStep(Kind kind, String from, String name) {
        this.kind = kind;
        this.from = from;
        this.name = name;
    }

    static RenameStep read(Kind kind, String[] fields) {
        if (kind.fromAName) {
            return fields.length == 2 ? new RenameStep(kind, fields[0], fields[1]) : null;
        }
        return fields.length == 1 ? new RenameStep(kind, null, fields[0]) : null;
    }

    @Override
    String kind() {
        return kind.word;
    }

    @Override
    String[] fields() {
        return kind.fromAName ? new String[] {from, name} : new String[] {name};
    }
}
