package jid3;

import static jid3.TagBuilder.bytes;
import static jid3.TagBuilder.concat;
import static jid3.TagBuilder.latin1;
import static jid3.TagBuilder.syncsafe;
import static jid3.TagBuilder.text;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNull;
import static org.junit.jupiter.api.Assertions.assertThrows;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.charset.StandardCharsets;
import java.nio.file.Path;
import java.util.Arrays;
import java.util.stream.Stream;
import org.junit.jupiter.api.Nested;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.Arguments;
import org.junit.jupiter.params.provider.MethodSource;
import org.junit.jupiter.params.provider.ValueSource;

/** Tags built byte by byte, one layout feature at a time, read back from real files. */
class HandMadeTagsTest {
    @TempDir
    Path dir;

    private ID3V2Tag read(byte[] tag) throws Exception {
        return Tracks.read(Tracks.write(dir, tag));
    }

    private String failure(byte[] tag) {
        return assertThrows(ID3Exception.class, () -> read(tag)).getMessage();
    }

    /** Artist, title and track frames under the ids of the version. */
    private static TagBuilder withFields(TagBuilder tag, int version, byte[] artist, byte[] title, byte[] track) {
        boolean old = version == 2;
        return tag.frame(old ? "TP1" : "TPE1", artist).frame(old ? "TT2" : "TIT2", title).frame(old ? "TRK" : "TRCK", track);
    }

    private static TagBuilder plainFields(TagBuilder tag, int version) {
        return withFields(tag, version, latin1("Artist"), latin1("Title"), latin1("3/12"));
    }

    private static void assertPlainFields(ID3V2Tag tag) throws ID3Exception {
        assertEquals("Artist", tag.getArtist());
        assertEquals("Title", tag.getTitle());
        assertEquals(3, tag.getTrackNumber());
    }

    @Nested
    class Headers {
        @ParameterizedTest
        @ValueSource(ints = {2, 3, 4})
        void readsEachVersion(int version) throws Exception {
            assertPlainFields(read(plainFields(TagBuilder.version(version), version).build()));
        }

        @ParameterizedTest
        @ValueSource(ints = {0, 1, 5, 255})
        void refusesOtherVersions(int version) {
            assertTrue(failure(plainFields(TagBuilder.version(version), 3).build()).contains("2." + version));
        }

        @ParameterizedTest(name = "byte {0} set to {1}")
        @MethodSource("jid3.HandMadeTagsTest#badHeaderBytes")
        void refusesBadHeaderBytes(int index, int value, String expected) {
            byte[] tag = plainFields(TagBuilder.version(2), 2).build();
            tag[index] = (byte) value;
            assertTrue(failure(tag).contains(expected));
        }

        @Test
        void givesNullWithoutTag() throws Exception {
            assertNull(read(new byte[0]));
            assertNull(read("ID".getBytes(StandardCharsets.US_ASCII)));
            assertNull(read(concat("TAG".getBytes(StandardCharsets.US_ASCII), new byte[125])));
        }

        @Test
        void refusesHeaderCutShort() {
            assertTrue(failure(new byte[] {'I', 'D', '3', 3, 0}).contains("header"));
        }
    }

    static Stream<Arguments> badHeaderBytes() {
        return Stream.of(Arguments.of(4, 0xFF, "revision"), Arguments.of(5, 0x20, "flags 0x20"),
                Arguments.of(5, 0x40, "compressed"), Arguments.of(6, 0x80, "syncsafe"), Arguments.of(9, 0xFF, "syncsafe"));
    }

    @Nested
    class Unsynchronisation {
        /** 0xFF bytes in both the UTF-16 byte order mark and in Latin-1 "ÿà", so the writer inserts zeros. */
        @ParameterizedTest
        @ValueSource(ints = {2, 3})
        void undoesTagWideUnsynchronisation(int version) throws Exception {
            TagBuilder tag = TagBuilder.version(version).flags(TagBuilder.UNSYNCHRONISED);
            ID3V2Tag read = read(withFields(tag, version, text(1, "Ÿves"), latin1("ÿà ÿ"), latin1("7")).build());
            assertEquals("Ÿves", read.getArtist());
            assertEquals("ÿà ÿ", read.getTitle());
            assertEquals(7, read.getTrackNumber());
        }

        @Test
        void undoesFrameUnsynchronisationWithDataLength() throws Exception {
            byte[] title = text(1, "ÿ Ωmega");
            byte[] frame = concat(syncsafe(title.length), TagBuilder.unsynchronise(title));
            ID3V2Tag tag = read(TagBuilder.version(4).frame("TIT2", 0x0003, frame).frame("TRCK", latin1("1")).build());
            assertEquals("ÿ Ωmega", tag.getTitle());
            assertEquals(1, tag.getTrackNumber());
        }

        /** A version 4 tag flagged unsynchronised as a whole has all its frames unsynchronised. */
        @Test
        void appliesVersion4TagFlagToEveryFrame() throws Exception {
            byte[] title = TagBuilder.unsynchronise(latin1("ÿà"));
            ID3V2Tag tag = read(TagBuilder.version(4).flags(TagBuilder.UNSYNCHRONISED).frame("TIT2", title).build());
            assertEquals("ÿà", tag.getTitle());
        }
    }

    @Nested
    class ExtendedHeaders {
        @ParameterizedTest(name = "{0}")
        @MethodSource("jid3.HandMadeTagsTest#extendedHeaders")
        void findsFramesBehindExtendedHeader(String name, int version, byte[] extendedHeader) throws Exception {
            TagBuilder tag = TagBuilder.version(version).flags(TagBuilder.EXTENDED_HEADER).raw(extendedHeader);
            assertPlainFields(read(plainFields(tag, version).build()));
        }

        @Test
        void refusesExtendedHeaderRunningPastTag() {
            TagBuilder tag = TagBuilder.version(4).flags(TagBuilder.EXTENDED_HEADER).raw(bytes(0, 0, 0x7F, 0x7F, 1, 0));
            assertTrue(failure(plainFields(tag, 4).build()).contains("extended header"));
        }
    }

    static Stream<Arguments> extendedHeaders() {
        return Stream.of(
                Arguments.of("2.3, size excludes itself", 3, new byte[] {0, 0, 0, 6, 0, 0, 0, 0, 0, 0}),
                Arguments.of("2.3 with CRC", 3, new byte[] {0, 0, 0, 10, (byte) 0x80, 0, 0, 0, 0, 0, 1, 2, 3, 4}),
                Arguments.of("2.4, size includes itself", 4, new byte[] {0, 0, 0, 6, 1, 0}),
                Arguments.of("2.4 with CRC", 4, new byte[] {0, 0, 0, 12, 1, 0x20, 5, 1, 2, 3, 4, 5}),
                Arguments.of("2.3 flag, no header", 3, new byte[0]),
                Arguments.of("2.4 flag, no header", 4, new byte[0]));
    }

    @Nested
    class Footer {
        @Test
        void keepsLastFrameBeforeFooter() throws Exception {
            assertPlainFields(read(plainFields(TagBuilder.version(4).flags(TagBuilder.FOOTER), 4).build()));
        }
    }

    @Nested
    class FrameSizes {
        /** 100 two-byte characters give a plain size byte of 0x80 or more; 150 give a plain size that is also valid syncsafe. */
        @ParameterizedTest(name = "plain sizes {0}, title of {1} characters")
        @MethodSource("jid3.HandMadeTagsTest#frameSizeCases")
        void readsSizesTheWayTheWholeTagWasWritten(boolean plainSizes, int titleLength) throws Exception {
            TagBuilder tag = TagBuilder.version(4);
            if (plainSizes) {
                tag.plainFrameSizes();
            }
            String title = new String(new char[titleLength]).replace('\0', 'é');
            tag.frame("TPE1", latin1("Artist")).frame("TIT2", text(3, title)).frame("TRCK", latin1("3"));
            ID3V2Tag read = read(tag.padding(40).build());
            assertEquals("Artist", read.getArtist());
            assertEquals(title, read.getTitle());
            assertEquals(3, read.getTrackNumber());
        }

        /** A plain size of 256 reads as 128 syncsafe, which lands among the zeros of a binary frame, not on padding. */
        @Test
        void zerosInsideBinaryFrameDoNotPassForPadding() throws Exception {
            ID3V2Tag read = read(TagBuilder.version(4).plainFrameSizes().frame("PRIV", new byte[256])
                    .frame("TIT2", latin1("Title")).frame("TRCK", latin1("3")).build());
            assertEquals("Title", read.getTitle());
            assertEquals(3, read.getTrackNumber());
        }
    }

    static Stream<Arguments> frameSizeCases() {
        return Stream.of(Arguments.of(true, 100), Arguments.of(true, 150), Arguments.of(false, 100), Arguments.of(false, 150));
    }

    @Nested
    class FrameFlags {
        @Test
        void inflatesCompressedFrames() throws Exception {
            byte[] title = text(3, "Zipped Ωmega");
            byte[] artist = latin1("Zipped artist");
            ID3V2Tag v3 = read(TagBuilder.version(3)
                    .frame("TIT2", 0x0080, concat(TagBuilder.bigEndian(title.length), TagBuilder.deflate(title))).build());
            ID3V2Tag v4 = read(TagBuilder.version(4)
                    .frame("TPE1", 0x0009, concat(syncsafe(artist.length), TagBuilder.deflate(artist))).build());
            assertEquals("Zipped Ωmega", v3.getTitle());
            assertEquals("Zipped artist", v4.getArtist());
        }

        /**
         * Unsynchronisation makes the stored frame longer than its data, so the compressed data
         * arrives in more than one piece, its last bytes after all the text has come out.
         */
        @Test
        void inflatesCompressedFramesOfUnsynchronisedTags() throws Exception {
            byte[] title = text(1, "Ωmega ÿà");
            byte[] packed = TagBuilder.deflate(title);
            assertTrue(TagBuilder.unsynchronise(packed).length > packed.length);
            ID3V2Tag v3 = read(TagBuilder.version(3).flags(TagBuilder.UNSYNCHRONISED)
                    .frame("TIT2", 0x0080, concat(TagBuilder.bigEndian(title.length), packed)).build());
            ID3V2Tag v4 = read(TagBuilder.version(4)
                    .frame("TIT2", 0x000B, concat(syncsafe(title.length), TagBuilder.unsynchronise(packed))).build());
            assertEquals("Ωmega ÿà", v3.getTitle());
            assertEquals("Ωmega ÿà", v4.getTitle());
        }

        /**
         * eyeD3's data length indicator, a plain integer: 300 reads as 172 when taken as syncsafe,
         * and 200 (0xC8) is no syncsafe number at all. Either reading that the data matches counts.
         */
        @ParameterizedTest
        @ValueSource(ints = {127, 128, 200, 300, 4095, 4096, 5000})
        void acceptsADataLengthIndicatorWrittenAsAPlainInteger(int length) throws Exception {
            String title = "x".repeat(length - 1);
            byte[] packed = TagBuilder.deflate(latin1(title));
            ID3V2Tag plain = read(TagBuilder.version(4).frame("TIT2", 0x0009, concat(TagBuilder.bigEndian(length), packed))
                    .frame("TRCK", latin1("3")).build());
            ID3V2Tag syncsafe = read(TagBuilder.version(4).frame("TIT2", 0x0009, concat(syncsafe(length), packed)).build());
            String kept = title.substring(0, Math.min(title.length(), TextDecoder.MAX_CHARACTERS));
            assertEquals(kept, plain.getTitle());
            assertEquals(3, plain.getTrackNumber());
            assertEquals(kept, syncsafe.getTitle());
        }

        @Test
        void refusesADataLengthIndicatorThatNeitherReadingMatches() {
            // 0x012C: 172 as syncsafe, 300 as a plain integer; the data inflates to 250 bytes.
            byte[] packed = TagBuilder.deflate(latin1("x".repeat(249)));
            assertTrue(failure(TagBuilder.version(4).frame("TIT2", 0x0009, concat(TagBuilder.bigEndian(300), packed)).build())
                    .contains("inflates past 172 bytes"));
            // 0xC8 is not syncsafe, and the data inflates to 150 bytes, not 200.
            byte[] shorter = TagBuilder.deflate(latin1("x".repeat(149)));
            assertTrue(failure(TagBuilder.version(4).frame("TIT2", 0x0009, concat(TagBuilder.bigEndian(200), shorter)).build())
                    .contains("not syncsafe"));
        }

        @Test
        void refusesCorruptOrOversizedCompressedFrames() {
            byte[] packed = TagBuilder.deflate(latin1("Some title long enough to compress"));
            byte[] corrupt = packed.clone();
            corrupt[3] ^= 0x55;
            byte[] cut = Arrays.copyOf(packed, packed.length / 2);
            assertTrue(failure(TagBuilder.version(3).frame("TIT2", 0x0080, concat(TagBuilder.bigEndian(99), corrupt)).build())
                    .contains("compressed"));
            assertTrue(failure(TagBuilder.version(4).frame("TIT2", 0x0009, concat(syncsafe(99), cut)).build())
                    .contains("cut short"));
            assertTrue(failure(TagBuilder.version(4).frame("TIT2", 0x0009, concat(syncsafe(5), packed)).build())
                    .contains("inflates past 5 bytes"));
        }

        @Test
        void skipsEncryptedFrames() throws Exception {
            ID3V2Tag v3 = read(TagBuilder.version(3).frame("TIT2", 0x0040, concat(new byte[] {(byte) 0x80}, latin1("secret")))
                    .frame("TPE1", latin1("Artist")).build());
            ID3V2Tag v4 = read(TagBuilder.version(4).frame("TPE1", 0x0004, concat(new byte[] {(byte) 0x80}, latin1("secret")))
                    .frame("TPE1", latin1("Artist")).build());
            assertNull(v3.getTitle());
            assertEquals("Artist", v3.getArtist());
            assertEquals("Artist", v4.getArtist());
        }

        @Test
        void skipsGroupIdentity() throws Exception {
            byte[] grouped = concat(new byte[] {(byte) 0x81}, latin1("Title"));
            assertEquals("Title", read(TagBuilder.version(3).frame("TIT2", 0x0020, grouped).build()).getTitle());
            assertEquals("Title", read(TagBuilder.version(4).frame("TIT2", 0x0040, grouped).build()).getTitle());
        }
    }

    @Nested
    class FrameWalking {
        @Test
        void passesOverEmptyFramesAndPadding() throws Exception {
            TagBuilder tag = TagBuilder.version(3).frame("TCON", new byte[0]).frame("TPE1", new byte[0])
                    .frame("TIT2", latin1("Title")).frame("TRCK", latin1("3")).padding(300);
            ID3V2Tag read = read(tag.build());
            assertNull(read.getArtist());
            assertEquals("Title", read.getTitle());
            assertEquals(3, read.getTrackNumber());
        }

        @Test
        void stopsAtBytesThatAreNoFrameId() throws Exception {
            byte[] junk = "junk after the frames".getBytes(StandardCharsets.US_ASCII);
            assertEquals("Title", read(TagBuilder.version(4).frame("TIT2", latin1("Title")).raw(junk).build()).getTitle());
        }

        @Test
        void refusesFrameRunningPastTag() {
            byte[] tag = TagBuilder.version(3).frame("TIT2", latin1("Title")).frame("TPE1", latin1("Artist")).build();
            tag[tag.length - 13] = 0x40;
            assertTrue(failure(tag).contains("frame TPE1 of 1073741831 bytes runs past the end of the tag"));
        }

        @Test
        void missingFramesGiveNullButMissingTrackIsAnError() throws Exception {
            ID3V2Tag tag = read(TagBuilder.version(4).frame("TIT2", latin1("Title")).build());
            assertNull(tag.getArtist());
            assertEquals("Title", tag.getTitle());
            assertTrue(assertThrows(ID3Exception.class, tag::getTrackNumber).getMessage().contains("no track number"));
        }
    }

    @Nested
    class Text {
        @ParameterizedTest(name = "{0}")
        @MethodSource("jid3.HandMadeTagsTest#texts")
        void decodesText(String name, int version, byte[] content, String expected) throws ID3Exception {
            assertEquals(expected, TextDecoder.decode(content, version, "TIT2"));
        }

        @ParameterizedTest
        @ValueSource(ints = {3, 4})
        void followsTheByteOrderMarkOfAWholeTag(int version) throws Exception {
            ID3V2Tag tag = read(TagBuilder.version(version).frame("TPE1", littleEndianMarkedAsBigEndian("Sigur Rós"))
                    .frame("TIT2", littleEndianMarkedAsBigEndian("Ágætis byrjun 夜")).frame("TRCK", latin1("3")).build());
            assertEquals("Sigur Rós", tag.getArtist());
            assertEquals("Ágætis byrjun 夜", tag.getTitle());
            assertEquals(3, tag.getTrackNumber());
        }

        @Test
        void refusesUnknownEncoding() {
            assertThrows(ID3Exception.class, () -> TextDecoder.decode(new byte[] {4, 'a'}, 4, "TIT2"));
        }
    }

    static Stream<Arguments> texts() {
        byte[] zero = {0};
        return Stream.of(
                Arguments.of("Latin-1", 3, latin1("Sigur Rós"), "Sigur Rós"),
                Arguments.of("UTF-16, little-endian mark", 3, text(1, "Björk 夜"), "Björk 夜"),
                Arguments.of("UTF-16, big-endian mark", 3,
                        concat(new byte[] {1, (byte) 0xFE, (byte) 0xFF}, "Björk 夜".getBytes(StandardCharsets.UTF_16BE)), "Björk 夜"),
                Arguments.of("UTF-16 without mark is little-endian", 3,
                        concat(new byte[] {1}, "Björk".getBytes(StandardCharsets.UTF_16LE)), "Björk"),
                Arguments.of("UTF-16BE", 4, text(2, "Ωmega"), "Ωmega"),
                Arguments.of("UTF-16BE with a big-endian mark", 4,
                        concat(new byte[] {2, (byte) 0xFE, (byte) 0xFF}, "Ωmega".getBytes(StandardCharsets.UTF_16BE)), "Ωmega"),
                Arguments.of("UTF-16BE given to little-endian text with its mark", 3, littleEndianMarkedAsBigEndian("Björk 夜"),
                        "Björk 夜"),
                Arguments.of("2.4: several such values", 4, concat(littleEndianMarkedAsBigEndian(""), zero, zero,
                        Arrays.copyOfRange(littleEndianMarkedAsBigEndian("Ωmega"), 1, 13)), "Ωmega"),
                Arguments.of("UTF-8", 4, text(3, "Ωmega 夜"), "Ωmega 夜"),
                Arguments.of("UTF-8 with byte order mark", 4, text(3, "\uFEFFΩ"), "Ω"),
                Arguments.of("trailing zeros dropped", 3, concat(latin1("Title"), zero, zero, zero), "Title"),
                Arguments.of("UTF-16 trailing zero and dangling byte", 3, concat(text(1, "Ab"), zero, zero, zero), "Ab"),
                Arguments.of("only the encoding byte", 4, new byte[] {3}, ""),
                Arguments.of("2.4: first non-empty of several values", 4,
                        concat(latin1(""), zero, latin1("Second"), zero, latin1("Third")), "Second"),
                Arguments.of("2.4: several UTF-16 values", 4, concat(text(1, "One"), zero, zero, text(1, "Two")), "One"),
                Arguments.of("2.3: text after a terminator is ignored", 3, concat(latin1(""), zero, latin1("Second")), ""));
    }

    /** How a JavaScript tag writer writes UTF-16: encoding 2, then a little-endian mark and text. */
    static byte[] littleEndianMarkedAsBigEndian(String text) {
        return concat(new byte[] {2}, ("\uFEFF" + text).getBytes(StandardCharsets.UTF_16LE));
    }

    @Nested
    class TrackNumbers {
        @ParameterizedTest(name = "\"{0}\" is {1}")
        @MethodSource("jid3.HandMadeTagsTest#trackNumbers")
        void readsNumber(String text, int expected) throws ID3Exception {
            assertEquals(expected, TrackNumber.parse(text));
        }

        @ParameterizedTest(name = "\"{0}\"")
        @ValueSource(strings = {"", " ", "/12", "three", "3a", "1.5", "2147483648", "-99999999999"})
        void refusesText(String text) {
            assertThrows(ID3Exception.class, () -> TrackNumber.parse(text));
        }

        @Test
        void keepsMessageOneShortLine() {
            String garbage = "1\n2" + new String(new char[5000]).replace('\0', 'x');
            String message = assertThrows(ID3Exception.class, () -> TrackNumber.parse(garbage)).getMessage();
            assertTrue(message.length() < 100 && !message.contains("\n"), message);
        }
    }

    static Stream<Arguments> trackNumbers() {
        return Stream.of(Arguments.of("3/12", 3), Arguments.of("-1", -1), Arguments.of(" 7 ", 7), Arguments.of("03", 3),
                Arguments.of("3 / 12", 3), Arguments.of("0", 0), Arguments.of("-2147483648", Integer.MIN_VALUE));
    }
}
