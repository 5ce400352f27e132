package jid3;

import static jid3.TagBuilder.bytes;
import static jid3.TagBuilder.concat;
import static jid3.TagBuilder.latin1;
import static jid3.TagBuilder.syncsafe;
import static jid3.TagBuilder.text;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertInstanceOf;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTimeoutPreemptively;
import static org.junit.jupiter.api.Assertions.assertTrue;
import static org.junit.jupiter.api.Assertions.fail;

import java.io.IOException;
import java.net.StandardProtocolFamily;
import java.net.UnixDomainSocketAddress;
import java.nio.channels.ServerSocketChannel;
import java.nio.file.Files;
import java.nio.file.Path;
import java.time.Duration;
import java.util.Arrays;
import java.util.List;
import java.util.Random;
import org.junit.jupiter.api.Nested;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;

/** Broken tags and odd paths: only a result or ID3Exception may come out, and only the frames needed are read. */
class MalformedTagsTest {
    private static final long SEED = 0x1D3L;
    private static final int ROUNDS = 10000;

    private static byte[] title() {
        return text(1, "Ωmega ÿà");
    }

    /** Sound tags that between them use every layout feature, for the mutations to damage. */
    private static List<byte[]> originals() {
        byte[] title = title();
        byte[] artist = latin1("Artist");
        return Arrays.asList(
                TagBuilder.version(2).flags(TagBuilder.UNSYNCHRONISED).frame("TP1", title).frame("TT2", latin1("ÿà"))
                        .frame("TRK", latin1("3/12")).padding(20).build(),
                TagBuilder.version(3).flags(TagBuilder.UNSYNCHRONISED | TagBuilder.EXTENDED_HEADER)
                        .raw(bytes(0, 0, 0, 6, 0, 0, 0, 0, 0, 0))
                        .frame("TIT2", 0x0080, concat(TagBuilder.bigEndian(title.length), TagBuilder.deflate(title)))
                        .frame("TPE1", artist).frame("TRCK", latin1("3")).padding(10).build(),
                TagBuilder.version(4).flags(TagBuilder.FOOTER | TagBuilder.EXTENDED_HEADER).raw(bytes(0, 0, 0, 6, 1, 0))
                        .frame("TIT2", 0x0003, concat(syncsafe(title.length), TagBuilder.unsynchronise(title)))
                        .frame("TPE1", 0x0009, concat(syncsafe(artist.length), TagBuilder.deflate(artist)))
                        .frame("TRCK", latin1("3")).build(),
                TagBuilder.version(4).plainFrameSizes().frame("APIC", new byte[300])
                        .frame("TIT2", text(3, new String(new char[150]).replace('\0', 'é'))).frame("TRCK", latin1("7")).build(),
                TagBuilder.version(4).flags(TagBuilder.UNSYNCHRONISED)
                        .frame("APIC", TagBuilder.unsynchronise(bytes(0xFF, 0xE0, 1, 2, 0xFF)))
                        .frame("TPE1", 0x0002, TagBuilder.unsynchronise(text(1, "ÿÿ")))
                        .frame("TIT2", 0x000B, concat(syncsafe(title.length), TagBuilder.unsynchronise(TagBuilder.deflate(title))))
                        .frame("TRCK", 0x0040, concat(bytes(5), latin1("9"))).build(),
                TagBuilder.version(3).frame("GEOB", new byte[200])
                        .frame("TIT2", 0x00A0, concat(TagBuilder.bigEndian(title.length), bytes(1), TagBuilder.deflate(title)))
                        .frame("TPE1", 0x0040, latin1("secret")).frame("TPE1", artist).frame("TRCK", latin1("12")).build());
    }

    private static byte[] mutate(byte[] original, Random random) {
        byte[] tag = original.clone();
        int at = random.nextInt(tag.length - 3);
        switch (random.nextInt(6)) {
            case 0:
                for (int flips = 1 + random.nextInt(4); flips > 0; flips--) {
                    tag[random.nextInt(tag.length)] = (byte) random.nextInt(256);
                }
                return tag;
            case 1:
                return Arrays.copyOf(tag, random.nextInt(tag.length));
            case 2:
                // A huge size wherever a size field may be: 0x7F keeps it syncsafe, 0xFF does not.
                Arrays.fill(tag, at, at + 4, random.nextBoolean() ? (byte) 0x7F : (byte) 0xFF);
                return tag;
            case 3:
                // Bytes put in or taken out shift every frame behind them against its size.
                byte[] inserted = new byte[1 + random.nextInt(12)];
                random.nextBytes(inserted);
                return concat(Arrays.copyOf(tag, at), inserted, Arrays.copyOfRange(tag, at, tag.length));
            case 4:
                return concat(Arrays.copyOf(tag, at), Arrays.copyOfRange(tag, at + 1 + random.nextInt(3), tag.length));
            default:
                for (int flips = 1 + random.nextInt(8); flips > 0; flips--) {
                    tag[random.nextInt(tag.length)] ^= (byte) (1 << random.nextInt(8));
                }
                return tag;
        }
    }

    @Test
    void mutatedTagsGiveResultOrTagError() {
        Random random = new Random(SEED);
        List<byte[]> originals = originals();
        int read = 0;
        int refused = 0;
        for (int round = 0; round < ROUNDS; round++) {
            byte[] tag = mutate(originals.get(random.nextInt(originals.size())), random);
            try {
                ID3V2Tag result = TagParser.read(new MemoryChannel(tag));
                if (result != null) {
                    result.getArtist();
                    result.getTitle();
                    result.getTrackNumber();
                    read++;
                }
            } catch (ID3Exception expected) {
                refused++;
            } catch (Throwable e) {
                fail("round " + round + " (seed " + SEED + ") threw " + e + " for " + Arrays.toString(tag), e);
            }
        }
        // Both outcomes must be common, or the mutations never got past the header.
        assertTrue(read > ROUNDS / 10 && refused > ROUNDS / 10, read + " read, " + refused + " refused");
    }

    @Nested
    class ReadsOnlyWhatItNeeds {
        private final byte[] audio = new byte[1 << 20];

        /** Reads the tag at the start of a track with a megabyte of audio; the bytes read. */
        private long bytesRead(byte[] tag) throws Exception {
            MemoryChannel track = new MemoryChannel(concat(tag, audio));
            assertNotNull(TagParser.read(track));
            return track.delivered();
        }

        /** A small tag is read whole, in one read behind its header, padding and all, and never past its end. */
        @Test
        void readsASmallTagWholeInTwoReadsNeverPastTheTag() throws Exception {
            byte[] tag = TagBuilder.version(3).frame("TIT2", title()).padding(100).build();
            MemoryChannel track = new MemoryChannel(concat(tag, audio));
            assertNotNull(TagParser.read(track));
            assertEquals(tag.length, track.delivered());
            assertEquals(2, track.reads());
        }

        @Test
        void readsALargeTagUpToPaddingNeverPastTheTag() throws Exception {
            byte[] frame = TagBuilder.version(3).frame("TIT2", title()).build();
            byte[] tag = TagBuilder.version(3).frame("TIT2", title()).padding(TagParser.WHOLE_TAG_BYTES).build();
            // The header, the frame, and the first bytes of padding where the next frame header would be.
            assertEquals(frame.length + 10, bytesRead(tag));
        }

        @Test
        void aSmallTagCutShortIsReadUpToTheFilesEnd() throws Exception {
            byte[] tag = TagBuilder.version(3).frame("TIT2", title()).frame("TPE1", latin1("Artist")).build();
            MemoryChannel track = new MemoryChannel(Arrays.copyOf(tag, tag.length - 1));
            ID3V2Tag read = TagParser.read(track);
            assertEquals("Ωmega ÿà", read.getTitle());
            assertNull(read.getArtist());
            assertEquals(tag.length - 1, track.delivered());
        }

        @Test
        void neverReadsTheFooter() throws Exception {
            byte[] tag = TagBuilder.version(4).flags(TagBuilder.FOOTER).frame("TIT2", title()).build();
            assertEquals(tag.length - TagHeader.LENGTH, bytesRead(tag));
        }

        @Test
        void stopsAfterTheLastFrameItNeeds() throws Exception {
            byte[] textFrames = TagBuilder.version(4).frame("TPE1", latin1("Artist")).frame("TIT2", title())
                    .frame("TRCK", latin1("3")).build();
            byte[] tag = TagBuilder.version(4).frame("TPE1", latin1("Artist")).frame("TIT2", title())
                    .frame("TRCK", latin1("3")).frame("APIC", new byte[100_000]).build();
            assertEquals(textFrames.length, bytesRead(tag));
        }

        @Test
        void readsOnlyHeaderWithoutTag() throws Exception {
            MemoryChannel track = new MemoryChannel(audio);
            assertEquals(null, TagParser.read(track));
            assertTrue(track.delivered() <= TagHeader.LENGTH);
        }

        @Test
        void tagSizeBeyondFileGivesTheWholeFrames() throws Exception {
            byte[] tag = TagBuilder.version(3).frame("TIT2", title()).frame("TPE1", latin1("Artist")).build();
            System.arraycopy(syncsafe(0x0FFFFFFF), 0, tag, 6, 4);
            ID3V2Tag read = TagParser.read(new MemoryChannel(Arrays.copyOf(tag, tag.length - 1)));
            assertEquals("Ωmega ÿà", read.getTitle());
            assertNull(read.getArtist());
        }
    }

    @Nested
    class OddPaths {
        @TempDir
        Path dir;

        @Test
        void directoryNamedLikeTrackIsTagError() throws IOException {
            Path directory = Files.createDirectory(dir.resolve("folder.mp3"));
            ID3Exception e = assertThrows(ID3Exception.class, () -> new MP3File(directory.toFile()).getID3V2Tag());
            assertEquals("cannot read the file: " + directory + " (Is a directory)", e.getMessage());
        }

        /** Opening a FIFO would wait for a writer that never comes. */
        @Test
        void fifoIsRefusedUnopened() throws Exception {
            Path fifo = dir.resolve("x.mp3");
            Process mkfifo = new ProcessBuilder("mkfifo", fifo.toString()).inheritIO().start();
            assertEquals(0, mkfifo.waitFor());
            assertNotRegularFile(fifo);
        }

        @Test
        void deviceIsRefused() {
            assertNotRegularFile(Path.of("/dev/null"));
        }

        @Test
        void socketIsRefused() throws IOException {
            Path socket = dir.resolve("s.mp3");
            try (ServerSocketChannel server = ServerSocketChannel.open(StandardProtocolFamily.UNIX)) {
                server.bind(UnixDomainSocketAddress.of(socket));
                assertNotRegularFile(socket);
            }
        }

        private void assertNotRegularFile(Path path) {
            ID3Exception e = assertTimeoutPreemptively(Duration.ofSeconds(10),
                    () -> assertThrows(ID3Exception.class, () -> new MP3File(path.toFile()).getID3V2Tag()));
            assertEquals("not a regular file", e.getMessage());
        }

        @Test
        void missingFileIsTagErrorWithCause() {
            ID3Exception e = assertThrows(ID3Exception.class, () -> new MP3File(dir.resolve("gone.mp3").toFile()).getID3V2Tag());
            assertInstanceOf(IOException.class, e.getCause());
        }

        @Test
        void noFileIsTagError() {
            assertThrows(ID3Exception.class, () -> new MP3File(null).getID3V2Tag());
        }
    }
}
