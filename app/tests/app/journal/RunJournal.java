package app.journal;

import app.disk.Disk;
import app.report.Problems;
import java.io.File;

/** A run's journal written record by record, as the run writes it: for tests of what reads journals back. */
public final class RunJournal {
    /** How much of the file a journal maps at a time: the length of one that a killed run left. */
    public static final int STRETCH = Journal.STRETCH;

    private final Journal journal;

    public RunJournal(File musicFolder, Problems problems) {
        journal = Journal.of(JournalFolder.location(), musicFolder, "test", problems);
    }

    /** The disk of a run that writes this journal. */
    public Disk over(Disk disk) {
        return new JournalingDisk(disk, journal);
    }

    /** A change of a folder's entries, or a step of the rename before (folder null); gives its number. */
    public long intent(File folder, Change change) {
        return journal.intent(folder, change);
    }

    public void confirm(long number) {
        journal.confirm(number);
    }

    public void confirmRenamed(long number) {
        journal.confirm(number, Rename.confirmation(true));
    }

    public void confirmWritten(long number, byte[] written) {
        journal.confirm(number, ListWrite.confirmation(written));
    }

    public void failed(long number) {
        journal.failed(number);
    }

    public void close() {
        journal.close();
    }

    /** The line of the change as the journal writes it, line feed included. */
    public static String line(Change change, long number) {
        return JournalLine.of(JournalFormat.change(change, number));
    }
}
