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

/** Tags written by independent tag writers, run as real programs on real files. */
class ExternalWritersTest {
    private static final String ARTIST = "Björk & Ωmega 夜";
    /** Long enough that frame sizes need more than one syncsafe byte. */
    private static final String TITLE = String.join(" ", Collections.nCopies(12, "Jóga — 夜"));
    private static final String LATIN_ARTIST = "Sigur Rós";
    private static final String LATIN_TITLE = "Ágætis byrjun";

    @TempDir
    Path dir;

    /**
     * Runs a tag writer on a fresh track and reads the tag back. The command goes through a UTF-8
     * shell script, so non-ASCII arguments arrive intact whatever the test's locale.
     */
    private ID3V2Tag writeAndRead(String... command) throws Exception {
        Path track = Tracks.write(dir, new byte[0]);
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
