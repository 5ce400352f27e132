#include "synthetic_library.h"

#include <cstdio>
#include <iterator>
#include <random>
#include <string>

#include "broken_tag.h"
#include "id3v2_writer.h"
#include "library_files.h"
#include "mpeg_audio.h"
#include "tiny_images.h"

namespace {

namespace fs = std::filesystem;

const char* const kWords[] = {"Amber", "Blue",  "Crystal", "Distant", "Echo",   "Falling", "Golden", "Harbor",
                              "Iron",  "Jade",  "Kite",    "Lantern", "Night",  "North",   "Ocean",  "Paper",
                              "Quiet", "River", "Silver",  "Thunder", "Velvet", "Winter",  "Yellow", "Zephyr"};

struct TagFormat {
    int majorVersion;
    TextEncoding encoding;
};

const TagFormat kTagFormats[] = {{2, TextEncoding::Latin1},       {3, TextEncoding::Latin1},
                                 {3, TextEncoding::Utf16WithBom}, {4, TextEncoding::Utf8},
                                 {4, TextEncoding::Utf16WithBom}, {4, TextEncoding::Utf16BigEndian}};

// mt19937's output sequence is fixed by the C++ standard (unlike the distributions), so taking its
// raw numbers keeps the library identical on every platform.
class WordSource {
public:
    std::string words(int count) {
        std::string text;
        for (int i = 0; i < count; ++i) text += (i > 0 ? " " : "") + std::string(kWords[engine_() % std::size(kWords)]);
        return text;
    }

private:
    std::mt19937 engine_{20240517u};
};

std::string numbered(const char* format, std::size_t number, const std::string& rest) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, format, number);
    return buffer + rest;
}

// The kinds of names found in real collections. Each keeps its track number, so no two new names
// collide; the three-digit form ("103 x") only while no track number has three digits itself.
std::string trackFileName(std::size_t number, std::size_t trackCount, const std::string& word) {
    if (number > 99) return numbered("Track %zu", number, ".mp3");
    switch (number % 4) {
        case 1:
            return numbered("%02zu ", number, word + ".mp3");
        case 2:
            return numbered("A%zu ", number, word + ".mp3");
        case 3:
            return numbered(trackCount > 99 ? "%02zu " : "1%02zu ", number, word + ".MP3");
        default:
            return numbered("Track %zu", number, ".mp3");
    }
}

void writeTrack(const fs::path& albumDir, const std::string& artist, std::size_t number, const LibrarySize& size,
                WordSource& words) {
    const TagFormat format = kTagFormats[number % std::size(kTagFormats)];
    const std::string trackNumber =
        std::to_string(number) + (number % 3 == 0 ? "/" + std::to_string(size.tracksPerAlbum) : "");
    const std::string tag =
        id3v2TagBytes({format.majorVersion, format.encoding, artist, words.words(3), trackNumber, 0});
    const std::size_t audioBytes = size.trackBytes > tag.size() ? size.trackBytes - tag.size() : 0;
    writeNewFile(albumDir / trackFileName(number, size.tracksPerAlbum, words.words(1)),
                 tag + silentMpegAudio(audioBytes));
}

}  // namespace

void writeSyntheticLibrary(const fs::path& root, const LibrarySize& size, bool withBrokenTag) {
    prepareEmptyDirectory(root);
    WordSource words;
    for (std::size_t albumNumber = 1; albumNumber <= size.albums; ++albumNumber) {
        const std::string artist = words.words(2);
        const fs::path albumDir = root / (artist + " - " + words.words(2) + numbered(" (%03zu)", albumNumber, ""));
        fs::create_directory(albumDir);
        for (std::size_t number = 1; number <= size.tracksPerAlbum; ++number)
            writeTrack(albumDir, artist, number, size, words);
        writeNewFile(albumDir / "Cover.jpg", tinyJpeg());
        writeNewFile(albumDir / "info.nfo", artist + "\n");
        if (withBrokenTag && albumNumber == 1) writeBrokenTagTrack(albumDir);
    }
}
