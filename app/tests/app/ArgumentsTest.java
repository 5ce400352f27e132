package app;

import static org.junit.jupiter.api.Assertions.assertEquals;

import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.CsvSource;

class ArgumentsTest {
    /** What the arguments ask for, as a word per option set, then the music folder ("-" for none). */
    private static String read(String... args) {
        Arguments arguments = Arguments.of(args);
        return (arguments.version ? "version " : "") + (arguments.dryRun ? "dry " : "")
                + (arguments.quick ? "quick " : "") + (arguments.recursive ? "recursive " : "") + (arguments.undo ? "undo " : "")
                + (arguments.musicFolder == null ? "-" : arguments.musicFolder);
    }

    @ParameterizedTest(name = "[{index}] {0}")
    @CsvSource(delimiter = '|', textBlock = """
        ''                                  | -
        x                                   | x
        --version x                         | version --version
        x --version                         | x
        --dry-run --version                 | dry --version
        --dry-run x                         | dry x
        --recursive --dry-run x             | dry recursive x
        --dry-run --recursive x             | dry recursive x
        --undo --dry-run x                  | dry undo x
        --dry-run --undo x                  | dry undo x
        --undo --recursive x                | recursive undo x
        --quick --recursive x               | quick recursive x
        --dry-run --quick x                 | dry quick x
        --dry-run --recursive --undo x y    | dry recursive undo x
        --dry-run --dry-run x               | dry --dry-run
        --recursive --dry-run --recursive   | dry recursive --recursive
        --dry-run                           | dry -
        --recursive --undo                  | recursive undo -
        ./--recursive                       | ./--recursive
        x --recursive                       | x
        --Recursive x                       | --Recursive
        """)
    void optionsComeBeforeTheFolderInAnyOrderEachOnce(String args, String expected) {
        assertEquals(expected, read(args.isEmpty() ? new String[0] : args.split(" ")));
    }
}
