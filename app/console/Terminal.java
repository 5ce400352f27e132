package app.console;

import java.io.Console;
import java.io.PrintStream;
import java.lang.reflect.InvocationTargetException;
import java.lang.reflect.Method;
import java.nio.charset.Charset;
import java.util.concurrent.Future;
import java.util.concurrent.FutureTask;

/** What the runtime tells of the console the application runs in. */
final class Terminal {
    private Terminal() {
    }

    /**
     * Whether the standard output is a terminal. Up to Java 21 the runtime has a console only when
     * the standard input and output both are terminals; from Java 22 on it may have one for
     * redirected streams as well, and Console.isTerminal tells them apart. The application is built
     * for Java 8, so that method is looked up by name.
     */
    static boolean isStandardOutput() {
        Console console = System.console();
        if (console == null) {
            return false;
        }
        Method isTerminal;
        try {
            isTerminal = Console.class.getMethod("isTerminal");
        } catch (NoSuchMethodException e) {
            return true;
        }
        try {
            return Boolean.TRUE.equals(isTerminal.invoke(console));
        } catch (IllegalAccessException | InvocationTargetException e) {
            return false;
        }
    }

    /**
     * Whether the standard output is a terminal, found on a thread of its own. The runtime takes
     * some milliseconds to set its console up (Java 17 makes a formatter, a reader and a writer for
     * it, spinning method handles on the way), as much as a percent of a short run, which the
     * work need not wait for.
     */
    static Future<Boolean> checkBesideTheWork() {
        FutureTask<Boolean> check = new FutureTask<>(Terminal::isStandardOutput);
        Thread thread = new Thread(check, "terminal check");
        thread.setDaemon(true);
        thread.start();
        return check;
    }

    /**
     * The charset a standard stream encodes text in: PrintStream.charset tells from Java 18 on.
     * Before, the runtime took the one named by the system property (set for the Windows console)
     * when it knew it, else the default charset.
     */
    static Charset charsetOf(PrintStream stream, String encodingProperty) {
        try {
            Object charset = PrintStream.class.getMethod("charset").invoke(stream);
            if (charset instanceof Charset) {
                return (Charset) charset;
            }
        } catch (NoSuchMethodException | IllegalAccessException | InvocationTargetException e) {
            // Before Java 18.
        }
        String encoding = System.getProperty(encodingProperty);
        try {
            if (encoding != null && Charset.isSupported(encoding)) {
                return Charset.forName(encoding);
            }
        } catch (IllegalArgumentException e) {
            // An illegal name: the runtime took the default charset too.
        }
        return Charset.defaultCharset();
    }
}
