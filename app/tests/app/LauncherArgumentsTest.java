package app;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertSame;

import org.junit.jupiter.api.Test;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.ValueSource;

class LauncherArgumentsTest {
    private static final String[] COMMAND_LINE = {"--fixed", "--dry-run", "Z:\\music\\????", "?"};

    @Test
    void withoutThePropertyTheCommandLineIsTaken() {
        assertSame(COMMAND_LINE, LauncherArguments.apply(null, COMMAND_LINE));
    }

    @Test
    void thePropertyReplacesTheUsersArgumentsAndKeepsTheFixedOnesBeforeThem() {
        String[] arguments = LauncherArguments.apply(
                "--dry-run,Z%3A%5Cmusic%5C%D0%9C%D1%83%D0%B7,%C4%83", COMMAND_LINE);
        assertArrayEquals(new String[] {"--fixed", "--dry-run", "Z:\\music\\Муз", "ă"}, arguments);
    }

    @Test
    void emptyArgumentsBlanksCommasAndCharactersBeyondTheBasicPlaneArriveWhole() {
        String[] arguments = LauncherArguments.apply("%E6%9D%B1%E4%BA%AC%20Live,,a%2Cb,%F0%9F%8E%B5%25",
                new String[] {"?? Live", "", "a,b", "??%"});
        assertArrayEquals(new String[] {"東京 Live", "", "a,b", "\uD83C\uDFB5%"}, arguments);
    }

    @ParameterizedTest
    @ValueSource(strings = {
        "%", "%4", "%G1", "a%2", "a b", "a+b", "Ж", "%C4", "%FF", "%C0%AF", "%ED%A0%80", "%80",
        "%\u0663\u0663", "%\uFF14\uFF11", "one,two,three,four,five"
    })
    void aPropertyThatIsNotWellFormedLeavesTheCommandLineAsItIs(String property) {
        assertSame(COMMAND_LINE, LauncherArguments.apply(property, COMMAND_LINE));
    }
}
