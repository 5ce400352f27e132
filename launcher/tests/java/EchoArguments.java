/** A stand-in application: prints each argument between brackets, one a line. */
public class EchoArguments {
    public static void main(String[] arguments) {
        for (String argument : arguments) {
            System.out.println("[" + argument + "]");
        }
    }
}
