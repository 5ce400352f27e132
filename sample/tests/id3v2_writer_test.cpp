#include "id3v2_writer.h"

#include <gtest/gtest.h>

#include "file_bytes.h"
#include "mpeg_audio.h"
#include "run_process.h"
#include "temp_dir.h"

namespace {

const std::vector<std::string> kUtf8Locale{"LC_ALL=C.UTF-8", "PYTHONIOENCODING=utf-8"};

struct WriterCase {
    int majorVersion;
    TextEncoding encoding;
    std::string artist;
};

// Over 127 bytes of title and padding, so that plain and 7-bit ("syncsafe") sizes differ.
const std::string kLongTitle = "Zwei Brücken " + std::string(150, 'x');

const WriterCase kCases[] = {
    {2, TextEncoding::Latin1, "Åsa Nyström"},        {2, TextEncoding::Utf16WithBom, "Åsa 東京"},
    {3, TextEncoding::Latin1, "Åsa Nyström"},        {3, TextEncoding::Utf16WithBom, "Åsa 東京"},
    {4, TextEncoding::Latin1, "Åsa Nyström"},        {4, TextEncoding::Utf16WithBom, "Åsa 東京 🎵"},
    {4, TextEncoding::Utf16BigEndian, "Åsa 東京 🎵"}, {4, TextEncoding::Utf8, "Åsa 東京 🎵"},
};

TEST(Id3v2Writer, IndependentReadersReadEveryVersionAndEncoding) {
    TempDir dir("id3v2-writer");
    for (const WriterCase& c : kCases) {
        SCOPED_TRACE("ID3v2." + std::to_string(c.majorVersion) + " encoding " +
                     std::to_string(static_cast<int>(c.encoding)));
        const std::string path = (dir.path() / "track.mp3").string();
        writeFileBytes(path, id3v2TagBytes({c.majorVersion, c.encoding, c.artist, kLongTitle, "3/12", 300}) +
                                 silentMpegAudio(3 * kMpegFrameBytes));

        const ProcessResult frames = runProcess({"mid3v2", "--list", path}, "", kUtf8Locale);
        ASSERT_EQ(frames.exitStatus, 0) << frames.err;
        EXPECT_NE(frames.out.find("\nTPE1=" + c.artist + "\n"), std::string::npos) << frames.out;
        EXPECT_NE(frames.out.find("\nTIT2=" + kLongTitle + "\n"), std::string::npos) << frames.out;
        EXPECT_NE(frames.out.find("\nTRCK=3/12\n"), std::string::npos) << frames.out;

        const ProcessResult summary = runProcess({"eyeD3", "--no-color", path}, "", kUtf8Locale);
        ASSERT_EQ(summary.exitStatus, 0) << summary.err;
        EXPECT_NE(summary.out.find("ID3 v2." + std::to_string(c.majorVersion) + ":\n"), std::string::npos)
            << summary.out;
        EXPECT_NE(summary.out.find("\ntitle: " + kLongTitle + "\n"), std::string::npos) << summary.out;
        EXPECT_NE(summary.out.find("\nartist: " + c.artist + "\n"), std::string::npos) << summary.out;
        EXPECT_NE(summary.out.find("\ntrack: 3/12\t"), std::string::npos) << summary.out;
        EXPECT_NE(summary.out.find("MPEG1, Layer III\t[ 128 kb/s @ 44100 Hz - Mono ]"), std::string::npos)
            << summary.out;
    }
}

TEST(Id3v2Writer, RefusesTextTheTagCannotHold) {
    const auto tagWith = [](int version, TextEncoding encoding, const std::string& artist) {
        return id3v2TagBytes({version, encoding, artist, "t", "1", 0});
    };
    EXPECT_THROW(tagWith(3, TextEncoding::Utf8, "a"), std::invalid_argument);
    EXPECT_THROW(tagWith(2, TextEncoding::Utf16BigEndian, "a"), std::invalid_argument);
    EXPECT_THROW(tagWith(5, TextEncoding::Latin1, "a"), std::invalid_argument);
    EXPECT_THROW(tagWith(4, TextEncoding::Latin1, "東京"), std::invalid_argument);
    for (const char* malformed : {"\xC3", "\xC0\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "a\x80"})
        EXPECT_THROW(tagWith(4, TextEncoding::Utf8, malformed), std::invalid_argument) << malformed;
    EXPECT_THROW(id3v2TagBytes({4, TextEncoding::Latin1, "a", "t", "1", std::size_t{1} << 28}), std::invalid_argument);
}

}  // namespace
