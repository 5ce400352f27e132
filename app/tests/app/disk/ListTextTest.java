package app.disk;

import static org.junit.jupiter.api.Assertions.assertEquals;

import app.ExternalCommand;
import java.io.File;
import java.io.IOException;
import java.io.RandomAccessFile;
import java.nio.charset.StandardCharsets;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.attribute.FileTime;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.List;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.Timeout;
import org.junit.jupiter.api.io.TempDir;

class ListTextTest {
    @TempDir
    Path folder;
    private final List<String> lines = new ArrayList<>();
    private final List<Boolean> whole = new ArrayList<>();
    private FileTime written;

    private ListText.Outcome read(Path list) {
        return ListText.read(list, (line, time, ended) -> {
            written = time;
            lines.add(line);
            whole.add(ended);
            return true;
        });
    }

    private List<String> linesOf(byte[] bytes) throws IOException {
        Path list = Files.write(folder.resolve("list.m3u"), bytes);
        assertEquals(ListText.Outcome.READ, read(list));
        return lines;
    }

    private static byte[] concat(byte[]... parts) {
        StringBuilder all = new StringBuilder();
        for (byte[] part : parts) {
            all.append(new String(part, StandardCharsets.ISO_8859_1));
        }
        return all.toString().getBytes(StandardCharsets.ISO_8859_1);
    }

    @Test
    void utf8WithOrWithoutItsMarkAndTheCodePageOtherwise() throws IOException {
        byte[] mark = {(byte) 0xEF, (byte) 0xBB, (byte) 0xBF};
        byte[] utf8 = "Ölçü 東京.flac\r\nb.flac".getBytes(StandardCharsets.UTF_8);
        assertEquals(Arrays.asList("Ölçü 東京.flac", "b.flac"), linesOf(concat(mark, utf8)));
        lines.clear();
        assertEquals(Arrays.asList("Ölçü 東京.flac", "b.flac"), linesOf(utf8));
        lines.clear();
        // Latin-1 bytes of Ölçü are no UTF-8: the lists' own encoding reads them, as this application wrote them.
        byte[] codePage = "Ölçü.flac\n".getBytes(StandardCharsets.ISO_8859_1);
        assertEquals(Arrays.asList(new String(codePage, ListEncoding.LISTS).trim()), linesOf(codePage));
        lines.clear();
        // A mark decides even where a later byte is no UTF-8.
        assertEquals(Arrays.asList("a.flac", "\uFFFD.flac"), linesOf(concat(mark, "a.flac\n".getBytes(), new byte[] {(byte) 0xE9},
                ".flac".getBytes())));
    }

    @Test
    void lineEndsCommentsAndLongLines() throws IOException {
        String longest = "x".repeat(ListText.LONGEST_LINE);
        String text = "a\r\n\nb\rc\n" + longest + "\r\n" + longest + "y\n" + "z".repeat(100_000) + "\r\nlast";
        assertEquals(Arrays.asList("a", "", "b", "c", longest, "last"), linesOf(text.getBytes(StandardCharsets.UTF_8)));
        // The last line has no line end: a list cut short there.
        assertEquals(Arrays.asList(true, true, true, true, true, false), whole);
    }

    @Test
    void stopsWhenNoMoreLinesAreWantedAndGivesTheListsTime() throws IOException {
        Path list = Files.write(folder.resolve("list.sfv"), "a\nb\nc\n".getBytes());
        Files.setLastModifiedTime(list, FileTime.fromMillis(1_000_000_000_000L));
        ListText.read(list, (line, time, whole) -> {
            written = time;
            lines.add(line);
            return !line.equals("b");
        });
        assertEquals(Arrays.asList("a", "b"), lines);
        assertEquals(FileTime.fromMillis(1_000_000_000_000L), written);
    }

    @Test
    @Timeout(30)
    void onlyRegularFilesOfAListsSizeAreRead() throws Exception {
        Path target = Files.write(folder.resolve("target.m3u"), "a.flac\n".getBytes());
        assertEquals(ListText.Outcome.NOT_READ, read(Files.createSymbolicLink(folder.resolve("link.m3u"), target)));
        assertEquals(ListText.Outcome.NOT_READ, read(Files.createDirectory(folder.resolve("folder.m3u"))));
        ExternalCommand.succeed(folder.toFile(), "mkfifo", "fifo.m3u");
        assertEquals(ListText.Outcome.NOT_READ, read(folder.resolve("fifo.m3u")));
        assertEquals(ListText.Outcome.NOT_READ, read(folder.resolve("missing.m3u")));
        File large = folder.resolve("large.sfv").toFile();
        try (RandomAccessFile file = new RandomAccessFile(large, "rw")) {
            file.setLength(ListText.LONGEST_LIST + 1);
        }
        assertEquals(ListText.Outcome.TOO_LARGE, read(large.toPath()));
        assertEquals(List.of(), lines);
    }
}
