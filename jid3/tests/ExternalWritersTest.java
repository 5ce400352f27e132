package jid3;

import static java.nio.charset.StandardCharsets.UTF_8;
import static org.junit.jupiter.api.Assertions.assertEquals;
import static org.junit.jupiter.api.Assertions.assertNotNull;
import static org.junit.jupiter.api.Assertions.assertTrue;

import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.Arrays;
import java.util.Collections;
import java.util.List;
import java.util.concurrent.TimeUnit;
import java.util.stream.Stream;
import org.junit.jupiter.api.Test;
import org.junit.jupiter.api.io.TempDir;
import org.junit.jupiter.params.ParameterizedTest;
import org.junit.jupiter.params.provider.Arguments;
import org.junit.jupiter.params.provider.MethodSource;
import org.junit.jupiter.params.provider.ValueSource;

/** Tags written by independent tag writers, run as real programs on real files. */
class ExternalWritersTest {
    private static final String ARTIST = "Björk & Ωmega 夜";
    /** Long enough that frame sizes need more than one syncsafe byte. */
    private static final String TITLE = String.join(" ", Collections.nCopies(12, "Jóga — 夜"));
    private static final String LATIN_ARTIST = "Sigur Rós";
    private static final String LATIN_TITLE = "Ágætis byrjun";

    @TempDir
    Path dir;

    /** Runs a tag writer on a fresh track and reads the tag back. */
    private ID3V2Tag writeAndRead(String... command) throws Exception {
        Path track = Tracks.write(dir, new byte[0]);
        return runOn(track, command);
    }

    /**
     * Runs a tag writer on the track and reads the tag back. The command goes through a UTF-8
     * shell script, so non-ASCII arguments arrive intact whatever the test's locale.
     */
    private ID3V2Tag runOn(Path track, String... command) throws Exception {
        List<String> words = new ArrayList<>(Arrays.asList(command));
        words.add(track.toString());
        String script = "command -v " + quote(command[0]) + " >/dev/null || { echo '" + command[0]
                + " is not installed; it is needed to write the test tags'; exit 127; }\n"
                + String.join(" ", words.stream().map(ExternalWritersTest::quote).toArray(String[]::new)) + "\n";
        Path scriptFile = Files.write(dir.resolve("write-tag.sh"), script.getBytes(UTF_8));
        ProcessBuilder builder = new ProcessBuilder("sh", scriptFile.toString()).redirectErrorStream(true);
        builder.environment().put("PYTHONUTF8", "1");
        Process process = builder.start();
        String output = new String(process.getInputStream().readAllBytes(), UTF_8);
        assertTrue(process.waitFor(60, TimeUnit.SECONDS), command[0] + " did not finish");
        assertEquals(0, process.exitValue(), String.join(" ", words) + " failed:\n" + output);
        ID3V2Tag tag = Tracks.read(track);
        assertNotNull(tag, command[0] + " wrote no tag:\n" + output);
        return tag;
    }

    private static String quote(String word) {
        return "'" + word.replace("'", "'\\''") + "'";
    }

    private static void assertFields(ID3V2Tag tag, String artist, String title) throws ID3Exception {
        assertEquals(artist, tag.getArtist());
        assertEquals(title, tag.getTitle());
        assertEquals(3, tag.getTrackNumber());
    }

    @ParameterizedTest(name = "eyeD3 {0} {1}")
    @MethodSource("eyeD3Cases")
    void readsEyeD3Tags(String version, String encoding) throws Exception {
        boolean latin = encoding.equals("latin1");
        String artist = latin ? LATIN_ARTIST : ARTIST;
        String title = latin ? LATIN_TITLE : TITLE;
        ID3V2Tag tag = writeAndRead("eyeD3", "--no-config", "-Q", version, "--encoding", encoding,
                "-a", artist, "-t", title, "-n", "3", "-N", "12");
        assertFields(tag, artist, title);
    }

    static Stream<Arguments> eyeD3Cases() {
        return Stream.of("--to-v2.3", "--to-v2.4").flatMap(version -> Stream.of("latin1", "utf8", "utf16", "utf16-be")
                .map(encoding -> Arguments.of(version, encoding)));
    }

    /**
     * Writes a tag through eyeD3's Python interface with every frame compressed, which its command
     * line cannot do. Arguments: version (2.3 or 2.4), encoding, artist, title, then the track.
     */
    private static final String EYED3_COMPRESSED = String.join("\n",
            "import sys",
            "from eyed3.id3 import Tag, ID3_V2_3, ID3_V2_4",
            "from eyed3.id3.frames import FrameHeader",
            "version, encoding, artist, title, path = sys.argv[1:6]",
            "id3_version = ID3_V2_4 if version == '2.4' else ID3_V2_3",
            "tag = Tag()",
            "tag.artist = artist",
            "tag.title = title",
            "tag.track_num = 3",
            "for frames in tag.frame_set.values():",
            "    for frame in frames:",
            "        frame.header = FrameHeader(frame.id, id3_version)",
            "        frame.header.compressed = True",
            "tag.save(path, version=id3_version, encoding=encoding)",
            "");

    /** Debian's eyed3 package is a module of the system's own Python. */
    private ID3V2Tag writeCompressedWithEyeD3(String version, String encoding, String artist, String title)
            throws Exception {
        Path script = Files.write(dir.resolve("eyed3-compressed.py"), EYED3_COMPRESSED.getBytes(UTF_8));
        return writeAndRead("/usr/bin/python3", script.toString(), version, encoding, artist, title);
    }

    /**
     * eyeD3 writes the data length indicator of a compressed 2.4 frame as a plain integer: for a
     * frame of 300 bytes or so it differs from the syncsafe reading.
     */
    @ParameterizedTest(name = "eyeD3 compressed 2.4 {0}")
    @ValueSource(strings = {"latin1", "utf8", "utf16", "utf16-be"})
    void readsCompressedEyeD3Tags(String encoding) throws Exception {
        String title = (encoding.startsWith("utf16") ? "Jóga " : "Ágætis byrjun ").repeat(encoding.startsWith("utf16") ? 30 : 22);
        ID3V2Tag tag = writeCompressedWithEyeD3("2.4", encoding, LATIN_ARTIST, title);
        assertFields(tag, LATIN_ARTIST, title);
    }

    /** The same when eyeD3 converts a compressed 2.3 tag: the frames stay compressed. */
    @Test
    void readsCompressedEyeD3TagsConvertedToVersion4() throws Exception {
        String title = String.join(" ", Collections.nCopies(20, "Jóga 夜"));
        assertFields(writeCompressedWithEyeD3("2.3", "utf16", ARTIST, title), ARTIST, title);
        ID3V2Tag v4 = runOn(dir.resolve("track.mp3"), "eyeD3", "--no-config", "-Q", "--to-v2.4");
        byte[] converted = Files.readAllBytes(dir.resolve("track.mp3"));
        assertEquals(4, converted[3], "the tag's version");
        assertEquals(0x09, converted[10 + 9], "the first frame's flags: compressed, with a data length indicator");
        assertFields(v4, ARTIST, title);
    }

    /** mid3v2 writes version 2.4 in UTF-8; it has no option for 2.3. */
    @Test
    void readsMid3v2Tags() throws Exception {
        assertFields(writeAndRead("mid3v2", "-a", ARTIST, "-t", TITLE, "-T", "3/12"), ARTIST, TITLE);
    }

    /** id3v2 writes version 2.3 in Latin-1, and passes its arguments on as bytes, so they stay ASCII. */
    @Test
    void readsId3v2Tags() throws Exception {
        assertFields(writeAndRead("id3v2", "-a", "Some Band", "-t", "Song: Intro", "-T", "3/12"), "Some Band", "Song: Intro");
    }
}
