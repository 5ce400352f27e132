package app.disk;

/**
 * One line of a plan or of an undo: its fields apart by tabs, a control character in them shown
 * as ^ and a letter (^I for a tab, ^J for a line feed), a ^ as ^^.
 */
public final class PlanLine {
    private PlanLine() {
    }

    public static String of(String... fields) {
        StringBuilder line = new StringBuilder();
        for (String field : fields) {
            if (line.length() > 0) {
                line.append('\t');
            }
            for (char c : field.toCharArray()) {
                if (c < 0x20 || c == 0x7F) {
                    line.append('^').append((char) (c ^ 0x40));
                } else if (c == '^') {
                    line.append("^^");
                } else {
                    line.append(c);
                }
            }
        }
        return line.toString();
    }
}
