#include "sample_library.h"

#include <optional>
#include <string>
#include <vector>

#include "broken_tag.h"
#include "id3v2_writer.h"
#include "library_files.h"
#include "mpeg_audio.h"
#include "tiny_images.h"

namespace {

namespace fs = std::filesystem;

struct SampleTrack {
    std::string fileName;
    std::optional<TrackTag> tag;  // none: frames only
    std::size_t frameCount;       // varied, so that tracks differ in length and checksum
};

struct SampleFile {
    std::string fileName;
    std::string bytes;
};

TrackTag tag(int majorVersion, TextEncoding encoding, const char* artist, const char* title, const char* trackNumber,
             std::size_t paddingBytes = 0) {
    return {majorVersion, encoding, artist, title, trackNumber, paddingBytes};
}

void writeTrack(const fs::path& dir, const SampleTrack& track) {
    const std::string tagBytes = track.tag ? id3v2TagBytes(*track.tag) : "";
    writeNewFile(dir / track.fileName, tagBytes + silentMpegAudio(track.frameCount * kMpegFrameBytes));
}

fs::path writeAlbum(const fs::path& root, const std::string& name, const std::vector<SampleTrack>& tracks,
                    const std::vector<SampleFile>& files) {
    const fs::path dir = root / name;
    fs::create_directory(dir);
    for (const SampleTrack& track : tracks) writeTrack(dir, track);
    for (const SampleFile& file : files) writeNewFile(dir / file.fileName, file.bytes);
    return dir;
}

// The "Artist - Album" folder: every kind of old name that keeps a prefix, and old lists to replace.
void writeGreatestHits(const fs::path& root) {
    const fs::path album =
        writeAlbum(root, "Some Band - Greatest Hits",
                   {{"Track 3.mp3", tag(3, TextEncoding::Latin1, "Some Band", "Song: Part 1", "3", 256), 3},
                    {"A1 x.mp3", tag(4, TextEncoding::Utf8, "Some Band", "Opening Act", "1"), 2},
                    {"B12 y.MP3", tag(3, TextEncoding::Utf16WithBom, "Some Band", "Why? Because!", "12"), 4},
                    {"103 x.mp3", tag(4, TextEncoding::Latin1, "Some Band", "Live Intro", "3/12"), 3}},
                   {{"Front Cover.JPG", tinyJpeg()},
                    {"readme.txt", "Ripped from the original CD in 2004.\n"},
                    {"old.M3U", "Track 3.mp3\nA1 x.mp3\n"},
                    {"list.sfv", "; made by hand\nBonus Track.mp3 00000000\n"}});
    // Nested folders are not album folders: their files must stay as they are.
    fs::create_directory(album / "Scans");
    writeNewFile(album / "Scans" / "Inlay Scan.jpg", tinyJpeg());
}

// Letters beyond ASCII in the folder name, the tags and a track name.
void writeNonAsciiAlbum(const fs::path& root) {
    writeAlbum(root, "Ölçü Ärger",
               {{"01 Über.mp3", tag(3, TextEncoding::Utf16WithBom, "Åsa Nyström", "Över Ängen", "1"), 2},
                {"02 zwei.mp3", tag(2, TextEncoding::Latin1, "Åsa Nyström", "Zwei Brücken", "2", 16), 3},
                {"03 東京.mp3", tag(4, TextEncoding::Utf8, "Åsa Nyström", "東京 Nights", "3"), 2}},
               {{"back.png", tinyPng()}, {"info.NFO", "Ölçü Ärger\nEncoded at 128 kbit/s.\n"}});
}

// Characters that cannot stay in a file name, a tag without an artist, and a track without a tag.
void writeMixedBag(const fs::path& root, bool withBrokenTag) {
    const fs::path album =
        writeAlbum(root, "Mixed Bag",
                   {{"07 odd.mp3",
                     tag(4, TextEncoding::Utf16WithBom, "Back\\Slash Trio", "50% \"Live\" <Edit>|Take*2/3;x", "7"), 2},
                    {"Track 5.mp3", tag(4, TextEncoding::Utf16BigEndian, "", "Lonely Title", "5"), 3},
                    {"Untagged Mix.mp3", std::nullopt, 2}},
                   {});
    if (withBrokenTag) writeBrokenTagTrack(album);
}

}  // namespace

void writeSampleLibrary(const fs::path& root, bool withBrokenTag) {
    prepareEmptyDirectory(root);
    writeGreatestHits(root);
    writeNonAsciiAlbum(root);
    writeMixedBag(root, withBrokenTag);
    // An album folder holding no tagged track still gets its (empty) lists.
    writeAlbum(root, "Demos", {{"Untagged Demo.mp3", std::nullopt, 4}}, {});
    // Files beside the album folders are not worked on.
    writeTrack(root, {"loose track.mp3", tag(3, TextEncoding::Latin1, "Loose", "Track", "1"), 2});
}
