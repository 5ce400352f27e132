package app.console;

import java.io.PrintStream;
import java.io.UnsupportedEncodingException;
import java.nio.charset.Charset;

/**
 * A standard stream that erases the status line before each write. It encodes text in the charset
 * of the stream it writes to, so every line comes out in the very bytes it would have without it.
 */
final class ErasingPrintStream extends PrintStream {
    private final StatusLine statusLine;

    ErasingPrintStream(PrintStream target, Charset charset, StatusLine statusLine)
            throws UnsupportedEncodingException {
        super(target, true, charset.name());
        this.statusLine = statusLine;
    }

    /*
     * PrintStream writes a subclass's line and its line end apart, and each write reaches the
     * stream beneath and the system on its own: a line goes as one piece here, as it would
     * through the plain stream.
     */
    @Override
    public void println(String line) {
        print(line + System.lineSeparator());
    }

    @Override
    public void println(Object line) {
        println(String.valueOf(line));
    }

    @Override
    public void println() {
        print(System.lineSeparator());
    }

    @Override
    public void write(int b) {
        statusLine.erase();
        super.write(b);
    }

    @Override
    public void write(byte[] bytes, int offset, int length) {
        statusLine.erase();
        super.write(bytes, offset, length);
    }
}
