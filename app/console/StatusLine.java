package app.console;

import app.report.Progress;
import java.io.PrintStream;
import java.io.UnsupportedEncodingException;
import java.util.concurrent.CompletableFuture;
import java.util.concurrent.ExecutionException;
import java.util.concurrent.Future;
import java.util.function.LongSupplier;

/**
 * One line at the bottom of the console that tells how far a run has come, rewritten in place. It
 * is written only to the standard output, and erased before anything else is written there or to
 * the standard error, and at the end, so the screen keeps just the run's own lines. Erasing and
 * rewriting take a carriage return and blanks, which every console understands, the Windows
 * console without virtual terminal sequences as well. It is rewritten at most ten times a second,
 * from the working thread, when the run tells of new progress. It shows only once the check that
 * the standard output is a terminal has found so: that check runs beside the work.
 */
public final class StatusLine implements Progress {
    /** Standard terminals are 80 columns wide; the last one stays free, so no line ever wraps. */
    static final int DEFAULT_WIDTH = 79;
    static final long REWRITE_INTERVAL_NANOS = 100_000_000L;

    private final PrintStream terminal;
    private final int width;
    private final LongSupplier nanoClock;
    private final Future<Boolean> terminalCheck;
    /** What the check found; null while it goes on. */
    private Boolean onTerminal;
    private final long start;
    private long lastWritten;
    private boolean showsBytes;
    private int albumNumber;
    private int albumCount;
    private String albumName = "";
    private long tracks;
    private long bytes;
    /** How many columns the line now covers; 0 when it is not shown. */
    private int shownColumns;

    StatusLine(PrintStream terminal, int width, LongSupplier nanoClock, Future<Boolean> terminalCheck) {
        this.terminal = terminal;
        this.width = width;
        this.nanoClock = nanoClock;
        this.terminalCheck = terminalCheck;
        start = nanoClock.getAsLong();
        lastWritten = start;
    }

    /** A status line on a terminal that is known to be one: for tests of what it writes. */
    StatusLine(PrintStream terminal, int width, LongSupplier nanoClock) {
        this(terminal, width, nanoClock, CompletableFuture.completedFuture(true));
    }

    /**
     * A status line that shows when the standard output turns out to be a terminal, with the
     * standard output and error replaced by streams that erase it before they write. Until it
     * shows they write the very bytes the original streams would, so redirected output stays
     * the same.
     */
    public static Progress onTerminal() {
        PrintStream out = System.out;
        PrintStream err = System.err;
        StatusLine statusLine = new StatusLine(out, width(System.getenv("COLUMNS")), System::nanoTime,
                Terminal.checkBesideTheWork());
        try {
            PrintStream erasingOut = new ErasingPrintStream(out, Terminal.charsetOf(out, "sun.stdout.encoding"),
                    statusLine);
            PrintStream erasingErr = new ErasingPrintStream(err, Terminal.charsetOf(err, "sun.stderr.encoding"),
                    statusLine);
            System.setOut(erasingOut);
            System.setErr(erasingErr);
        } catch (UnsupportedEncodingException e) {
            // The streams' own charsets are there: this does not happen. Without them, no line.
            return NONE;
        }
        return statusLine;
    }

    /** The terminal's width as the shell exports it in COLUMNS, where it does; else the default. */
    static int width(String columns) {
        if (columns != null && columns.trim().matches("[0-9]{1,4}")) {
            int width = Integer.parseInt(columns.trim());
            if (width > 0) {
                return width;
            }
        }
        return DEFAULT_WIDTH;
    }

    @Override
    public void readsTracks(boolean reads) {
        showsBytes = reads;
    }

    @Override
    public void looking(int folders, int albums) {
        if (isDue()) {
            show(StatusText.looking(folders, albums, width));
        }
    }

    @Override
    public void album(int number, int count, String name) {
        albumNumber = number;
        albumCount = count;
        albumName = name;
        rewriteWhenDue();
    }

    @Override
    public void read(long trackBytes) {
        bytes += trackBytes;
    }

    @Override
    public void track() {
        tracks++;
        rewriteWhenDue();
    }

    @Override
    public void end() {
        erase();
    }

    /** Takes the line off the screen, leaving the cursor where the line began. */
    void erase() {
        if (shownColumns > 0) {
            terminal.print("\r" + blanks(shownColumns) + "\r");
            terminal.flush();
            shownColumns = 0;
        }
    }

    private void rewriteWhenDue() {
        if (isDue()) {
            show(StatusText.of(albumNumber, albumCount, albumName, tracks, showsBytes ? bytes : -1,
                    (lastWritten - start) / 1_000_000_000L, width));
        }
    }

    /** A tenth of a second since the line was last written, on a terminal: the time it is written again. */
    private boolean isDue() {
        long now = nanoClock.getAsLong();
        if (now - lastWritten < REWRITE_INTERVAL_NANOS || !isOnTerminal()) {
            return false;
        }
        lastWritten = now;
        return true;
    }

    private void show(String text) {
        int columns = StatusText.columns(text);
        // Blanks cover what is left of a longer line before it.
        terminal.print("\r" + text + blanks(shownColumns - columns));
        terminal.flush();
        shownColumns = Math.max(shownColumns, columns);
    }

    private boolean isOnTerminal() {
        if (onTerminal == null) {
            if (!terminalCheck.isDone()) {
                return false;
            }
            try {
                onTerminal = terminalCheck.get();
            } catch (InterruptedException | ExecutionException e) {
                onTerminal = false;
            }
        }
        return onTerminal;
    }

    private static String blanks(int count) {
        StringBuilder blanks = new StringBuilder();
        for (int i = 0; i < count; i++) {
            blanks.append(' ');
        }
        return blanks.toString();
    }
}
