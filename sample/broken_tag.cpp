#include "broken_tag.h"

#include "id3v2_writer.h"
#include "library_files.h"
#include "mpeg_audio.h"

namespace {

constexpr std::size_t kTagHeaderBytes = 10;
constexpr std::size_t kFrameIdBytes = 4;
constexpr std::size_t kFrameSizeBytes = 4;

}  // namespace

void writeBrokenTagTrack(const std::filesystem::path& albumDir) {
    std::string tag = id3v2TagBytes({3, TextEncoding::Latin1, "", "Cut Short", "9", 0});
    // The title is the first frame; its plain 32-bit size becomes 0x00001000, far past the tag.
    tag.replace(kTagHeaderBytes + kFrameIdBytes, kFrameSizeBytes, std::string("\0\0\x10\0", kFrameSizeBytes));
    writeNewFile(albumDir / "Broken Tag.mp3", tag + silentMpegAudio(2 * kMpegFrameBytes));
}
