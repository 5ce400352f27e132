package jid3;

import static jid3.TagBuilder.concat;
import static jid3.TagBuilder.frameHeader;
import static jid3.TagBuilder.latin1;
import static jid3.TagBuilder.tagHeader;
import static jid3.TagBuilder.text;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import com.sun.management.ThreadMXBean;
import java.io.ByteArrayOutputStream;
import java.io.IOException;
import java.lang.management.ManagementFactory;
import java.nio.ByteBuffer;
import java.nio.channels.FileChannel;
import java.nio.file.Files;
import java.nio.file.Path;
import java.nio.file.StandardOpenOption;
import java.util.Arrays;
import java.util.zip.Deflater;
import org.junit.jupiter.api.BeforeAll;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.ValueSource;

/**
 * Tags whose declared sizes are far beyond what a track's name needs. They run in a JVM with a
 * small heap, and each read must also stay within the reader's documented allocation bound.
 */
class HugeTagsTest {
    private static final int MIB = 1 << 20;
    private static final ThreadMXBean THREADS = (ThreadMXBean) ManagementFactory.getThreadMXBean();

    @TempDir
    Path dir;

    /** The first read loads the reader's classes, which is no part of what one read costs. */
    @BeforeAll
    static void loadReader(@TempDir Path dir) throws Exception {
        Tracks.read(Tracks.write(dir, textFrames(4).build()));
    }

    private static TagBuilder textFrames(int version) {
        boolean old = version == 2;
        return TagBuilder.version(version).frame(old ? "TP1" : "TPE1", latin1("Artist"))
                .frame(old ? "TT2" : "TIT2", text(1, "Title ÿ")).frame(old ? "TRK" : "TRCK", latin1("3"));
    }

    /** The frames of textFrames alone, without tag header. */
    private static byte[] textFrameBytes(int version) {
        byte[] tag = textFrames(version).build();
        return Arrays.copyOfRange(tag, TagHeader.LENGTH, tag.length);
    }

    /** Writes the parts one after another; a long part is written in pieces of one byte value, or left as a hole. */
    private Path write(Object... parts) throws IOException {
        Path track = dir.resolve("track.mp3");
        try (FileChannel out = FileChannel.open(track, StandardOpenOption.CREATE, StandardOpenOption.WRITE,
                StandardOpenOption.TRUNCATE_EXISTING)) {
            for (Object part : parts) {
                if (part instanceof byte[]) {
                    out.write(ByteBuffer.wrap((byte[]) part));
                } else {
                    ((Filler) part).writeTo(out);
                }
            }
        }
        return track;
    }

    /** A long run of a repeated pattern; a run of zeros is left as a hole in a sparse file. */
    private static final class Filler {
        final long length;
        final byte[] pattern;

        Filler(long length, byte... pattern) {
            this.length = length;
            this.pattern = pattern;
        }

        void writeTo(FileChannel out) throws IOException {
            if (pattern.length == 1 && pattern[0] == 0) {
                out.position(out.position() + length);
                return;
            }
            byte[] piece = new byte[64 * 1024 / pattern.length * pattern.length];
            for (int i = 0; i < piece.length; i++) {
                piece[i] = pattern[i % pattern.length];
            }
            for (long left = length; left > 0; left -= piece.length) {
                out.write(ByteBuffer.wrap(piece, 0, (int) Math.min(piece.length, left)));
            }
        }
    }

    /** Reads the tag, checking that the read allocated no more than the reader's bound. */
    private static ID3V2Tag readWithinBound(Path track) throws ID3Exception {
        long before = THREADS.getCurrentThreadAllocatedBytes();
        ID3V2Tag tag = Tracks.read(track);
        long allocated = THREADS.getCurrentThreadAllocatedBytes() - before;
        assertTrue(allocated < MP3File.MEMORY_BOUND, "the read allocated " + allocated + " bytes");
        return tag;
    }

    private static void assertTextFrames(ID3V2Tag tag) throws ID3Exception {
        assertEquals("Artist", tag.getArtist());
        assertEquals("Title ÿ", tag.getTitle());
        assertEquals(3, tag.getTrackNumber());
    }

    /** A 256 MiB tag, nearly all of it one private frame, with the text frames at its very end. */
    @ParameterizedTest(name = "version 2.{0}")
    @ValueSource(ints = {3, 4})
    void readsTextFramesBehindQuarterGigabyteFrame(int version) throws Exception {
        byte[] text = textFrameBytes(version);
        long tagSize = 0x0FFFFFFF;
        long privateSize = tagSize - 10 - text.length;
        Path track = write(tagHeader(version, 0, tagSize), frameHeader(version, "PRIV", privateSize, 0),
                new Filler(privateSize, (byte) 0), text, Tracks.AUDIO);
        assertEquals(TagHeader.LENGTH + tagSize + Tracks.AUDIO.length, Files.size(track));
        assertTextFrames(readWithinBound(track));
    }

    /** Where the whole tag is unsynchronised, the frame has to be read through to find where it ends. */
    @Test
    void readsThroughQuarterGigabyteOfUnsynchronisedTag() throws Exception {
        byte[] text = TagBuilder.unsynchronise(textFrameBytes(3));
        long tagSize = 0x0FFFFFFF;
        long privateSize = tagSize - 10 - text.length;
        Path track = write(tagHeader(3, TagBuilder.UNSYNCHRONISED, tagSize), frameHeader(3, "PRIV", privateSize, 0),
                new Filler(privateSize, (byte) 0), text, Tracks.AUDIO);
        assertTextFrames(readWithinBound(track));
    }

    @Test
    void readsTextFramesAtTheStartOfQuarterGigabyteOfPadding() throws Exception {
        byte[] text = textFrameBytes(4);
        long tagSize = 0x0FFFFFFF;
        Path track = write(tagHeader(4, 0, tagSize), text, new Filler(tagSize - text.length, (byte) 0), Tracks.AUDIO);
        assertTextFrames(readWithinBound(track));
    }

    /** A UTF-16 text frame of sixteen mebibytes of "a", deflated: some 16 KiB. */
    private static byte[] deflatedBomb() {
        byte[] piece = new byte[64 * 1024];
        for (int i = 0; i < piece.length; i += 2) {
            piece[i] = 'a';
        }
        Deflater deflater = new Deflater(Deflater.BEST_COMPRESSION);
        ByteArrayOutputStream packed = new ByteArrayOutputStream();
        deflate(deflater, new byte[] {1, (byte) 0xFF, (byte) 0xFE}, packed);
        for (int i = 0; i < 16 * MIB / piece.length; i++) {
            deflate(deflater, piece, packed);
        }
        deflater.finish();
        byte[] out = new byte[8192];
        while (!deflater.finished()) {
            packed.write(out, 0, deflater.deflate(out));
        }
        deflater.end();
        return packed.toByteArray();
    }

    private static void deflate(Deflater deflater, byte[] input, ByteArrayOutputStream packed) {
        byte[] out = new byte[8192];
        deflater.setInput(input);
        while (!deflater.needsInput()) {
            packed.write(out, 0, deflater.deflate(out));
        }
    }

    @Test
    void keepsTheStartOfFrameThatInflatesToSixteenMebibytes() throws Exception {
        byte[] bomb = deflatedBomb();
        byte[] tag = TagBuilder.version(3).frame("TPE1", latin1("Artist"))
                .frame("TIT2", 0x0080, concat(TagBuilder.bigEndian(16 * MIB + 3), bomb)).frame("TRCK", latin1("3")).build();
        Path track = Tracks.write(dir, tag);
        assertTrue(Files.size(track) < 20 * 1024, Files.size(track) + " bytes");
        ID3V2Tag read = readWithinBound(track);
        char[] title = new char[TextDecoder.MAX_CHARACTERS];
        Arrays.fill(title, 'a');
        assertEquals(new String(title), read.getTitle());
        assertEquals(3, read.getTrackNumber());
    }

    /** A 20 MiB picture before the text frames, skipped by seeking; version 2.2 frames end below 16 MiB. */
    @ParameterizedTest(name = "version 2.{0}")
    @ValueSource(ints = {2, 3, 4})
    void readsTextFramesBehindLargePicture(int version) throws Exception {
        byte[] text = textFrameBytes(version);
        long pictureSize = version == 2 ? 16 * MIB - 1 : 20 * MIB;
        byte[] pictureHeader = frameHeader(version, version == 2 ? "PIC" : "APIC", pictureSize, 0);
        long tagSize = pictureHeader.length + pictureSize + text.length;
        Path track = write(tagHeader(version, 0, tagSize), pictureHeader, new Filler(pictureSize, (byte) 0x55), text, Tracks.AUDIO);
        assertTextFrames(readWithinBound(track));
    }

    /** Each 0xFF of the picture is followed by an added zero: 40 MiB stored, read through and dropped. */
    @Test
    void readsTextFramesBehindLargeUnsynchronisedPicture() throws Exception {
        byte[] text = TagBuilder.unsynchronise(textFrameBytes(3));
        long pictureSize = 20 * MIB;
        byte[] pictureHeader = frameHeader(3, "APIC", pictureSize, 0);
        long tagSize = pictureHeader.length + 2 * pictureSize + text.length;
        Path track = write(tagHeader(3, TagBuilder.UNSYNCHRONISED, tagSize), pictureHeader,
                new Filler(2 * pictureSize, (byte) 0xFF, (byte) 0), text, Tracks.AUDIO);
        assertTextFrames(readWithinBound(track));
    }

    /** The file ends inside a 20 MiB picture: the whole frames before it are the tag. */
    @Test
    void tagCutShortAfterTextFramesGivesThem() throws Exception {
        byte[] text = TagBuilder.version(4).frame("TPE1", latin1("Artist")).frame("TIT2", latin1("Title")).build();
        byte[] frames = Arrays.copyOfRange(text, TagHeader.LENGTH, text.length);
        byte[] picture = frameHeader(4, "APIC", 20 * MIB, 0);
        long tagSize = frames.length + picture.length + 20 * MIB;
        ID3V2Tag tag = readWithinBound(write(tagHeader(4, 0, tagSize), frames, picture, new byte[1000]));
        assertEquals("Artist", tag.getArtist());
        assertEquals("Title", tag.getTitle());
        assertTrue(assertThrows(ID3Exception.class, tag::getTrackNumber).getMessage().contains("no track number"));
    }

    @Test
    void tagCutShortInsideFrameKeepsOnlyTheWholeOnesBefore() throws Exception {
        byte[] tag = TagBuilder.version(3).frame("TPE1", latin1("Artist")).frame("TIT2", latin1("A title cut short")).build();
        ID3V2Tag read = readWithinBound(write(Arrays.copyOf(tag, tag.length - 4)));
        assertEquals("Artist", read.getArtist());
        assertNull(read.getTitle());
    }
}
