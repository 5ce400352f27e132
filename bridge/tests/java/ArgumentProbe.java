import app.ArgumentsProperty;
import java.io.File;

// Shows what a JVM started through the bridge received: each argument between brackets, the
// working directory, the encoding of file names and the launcher's arguments property, then a
// line on standard error. Ends with the status in the system property probe.exit (0 without it).
public class ArgumentProbe {
    public static void main(String[] arguments) {
        for (String argument : arguments) {
            System.out.println("[" + argument + "]");
        }
        System.out.println("dir=" + new File("").getAbsolutePath());
        System.out.println("names=" + System.getProperty("sun.jnu.encoding"));
        System.out.println("args-property=" + System.getProperty(ArgumentsProperty.NAME));
        System.err.println("probe on stderr");
        System.exit(Integer.getInteger("probe.exit", 0));
    }
}
