package app.journal;

import static org.junit.jupiter.api.Assertions.assertArrayEquals;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNull;

import org.junit.jupiter.api.Test;

class JournalLineTest {
    @Test
    void linesKeepEveryCharacterAndACutOrDamagedOneIsKnown() {
        String[] fields = {"rename", "a\tb\nc%d\re", "\ud800 lone", "東京 \ud83c\udfb5"};
        String line = JournalLine.of(fields);
        assertEquals(1, line.chars().filter(c -> c == '\n').count());
        assertArrayEquals(fields, JournalLine.fields(line.substring(0, line.length() - 1)));
        assertNull(JournalLine.fields(line.substring(0, line.length() - 3)));
        assertNull(JournalLine.fields(line.replace("rename", "renamf").substring(0, line.length() - 1)));
    }
}
