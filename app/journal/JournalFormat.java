package app.journal;

import java.nio.file.attribute.FileTime;
import java.util.Arrays;
import java.util.Locale;
import java.util.concurrent.TimeUnit;

/**
 * The records of a journal, one line each (JournalLine): a kind, a change's number, then fields.
 * <pre>
 * journal  1                     the first line: the format's version
 * folder  path                   the canonical path of the music folder the run works on
 * time  millis                   when the run began, in milliseconds since 1970
 * version  name and number       the application that wrote it
 * rename  n  old path  new path  size  modified   an entry is to take the new name (Rename)
 * entry  n  size  modified       the entry a rename moves, as its first look found it
 * move / link  n  name  name     one step of a rename, in the entry's folder (RenameStep)
 * unlink / record  n  name       one step: a name goes; the record beside a spare name is made
 * delete  n  path  kind  modified  bytes          an old list goes (Deletion)
 * write  n  path                 a list is written (ListWrite)
 * ok  n  [fields]                the change n was made, with what its kind confirms
 * failed  n                      the system refused the change n
 * closed                         the run ended rather than being killed
 * restoring  n                   an undo begins to write back what the deletion n took
 * undone  millis                 an undo took the run back
 * </pre>
 * A modification time is kept in nanoseconds, as exact as the system gives it. A record of a kind
 * it does not know, or with other fields than its kind has, is passed over.
 */
public final class JournalFormat {
    static final String VERSION_1 = "1";
    private static final String JOURNAL = "journal";
    private static final String FOLDER = "folder";
    private static final String TIME = "time";
    private static final String VERSION = "version";
    private static final String OK = "ok";
    private static final String FAILED = "failed";
    static final String CLOSED = "closed";
    private static final String RESTORING = "restoring";
    private static final String UNDONE = "undone";

    private JournalFormat() {
    }

    /** A modification time as the journal keeps it. */
    public static String time(FileTime time) {
        return Long.toString(time.to(TimeUnit.NANOSECONDS));
    }

    /** The time that the journal keeps as such. */
    public static FileTime time(String kept) {
        return FileTime.from(Long.parseLong(kept), TimeUnit.NANOSECONDS);
    }

    /** The journal's word for the constant: its name in lower case. */
    static String word(Enum<?> constant) {
        return constant.name().toLowerCase(Locale.ROOT);
    }

    /** The constant that the journal's word names; null for none. */
    static <E extends Enum<E>> E byWord(Class<E> type, String word) {
        for (E constant : type.getEnumConstants()) {
            if (word(constant).equals(word)) {
                return constant;
            }
        }
        return null;
    }

    /** The first lines of a run's journal. */
    static void header(JournalLine.Lines lines, String musicFolder, long begins, String version) {
        lines.add(JOURNAL, VERSION_1);
        lines.add(FOLDER, musicFolder);
        // In milliseconds since 1970: formatting it would load the runtime's locale data, at a cost.
        lines.add(TIME, Long.toString(begins));
        lines.add(VERSION, version);
    }

    /** The music folder that the journal's first two lines name; null where they are not ours. */
    static String musicFolder(String[] first, String[] second) {
        boolean ours = first != null && first.length > 0 && first[0].equals(JOURNAL) && second != null
                && second.length == 2 && second[0].equals(FOLDER);
        return ours ? second[1] : null;
    }

    static String[] closing() {
        return new String[] {CLOSED};
    }

    /** Whether the line is the one that a run which ended writes last. */
    static boolean isClosing(String[] fields) {
        return fields.length > 0 && fields[0].equals(CLOSED);
    }

    static String[] change(Change change, long number) {
        return withKindAndNumber(change.kind(), Long.toString(number), change.fields());
    }

    static String[] confirmation(long number, String[] fields) {
        return withKindAndNumber(OK, Long.toString(number), fields);
    }

    static String[] failure(long number) {
        return new String[] {FAILED, Long.toString(number)};
    }

    static String[] restoring(Deletion deletion) {
        return new String[] {RESTORING, deletion.number};
    }

    static String[] undone(long millis) {
        return new String[] {UNDONE, Long.toString(millis)};
    }

    private static String[] withKindAndNumber(String kind, String number, String[] fields) {
        String[] line = new String[fields.length + 2];
        line[0] = kind;
        line[1] = number;
        System.arraycopy(fields, 0, line, 2, fields.length);
        return line;
    }

    /** Takes one line's record into the run. */
    static void read(String[] line, JournalRun run) {
        if (line.length == 0) {
            return;
        }
        String kind = line[0];
        String[] fields = Arrays.copyOfRange(line, Math.min(2, line.length), line.length);
        if (kind.equals(FOLDER) && line.length == 2) {
            run.musicFolder = line[1];
        } else if (kind.equals(UNDONE)) {
            run.undone = true;
        } else if (kind.equals(CLOSED)) {
            run.closed = true;
        } else if (line.length >= 2) {
            readNumbered(kind, line[1], fields, run);
        }
    }

    private static void readNumbered(String kind, String number, String[] fields, JournalRun run) {
        if (kind.equals(RESTORING) && fields.length == 0) {
            run.restoring(number);
        } else if (kind.equals(OK)) {
            run.confirm(number, fields);
        } else if (kind.equals(FAILED)) {
            run.fail(number);
        } else {
            Change change = change(kind, fields);
            if (change != null) {
                change.number = number;
                run.add(change);
            }
        }
    }

    /** The change a record of that kind announces; null for a kind, or fields, it does not know. */
    private static Change change(String kind, String[] fields) {
        switch (kind) {
            case Rename.KIND:
                return Rename.read(fields);
            case Rename.Found.KIND:
                return Rename.Found.read(fields);
            case Deletion.KIND:
                return Deletion.read(fields);
            case ListWrite.KIND:
                return ListWrite.read(fields);
            default:
                RenameStep.Kind step = byWord(RenameStep.Kind.class, kind);
                return step == null ? null : RenameStep.read(step, fields);
        }
    }
}
