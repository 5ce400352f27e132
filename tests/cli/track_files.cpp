#include "track_files.h"

#include "file_bytes.h"
#include "id3v2_writer.h"
#include "mpeg_audio.h"

void writeTrack(const std::filesystem::path& path, const std::string& number, const std::string& artist,
                const std::string& title) {
    writeFileBytes(path, id3v2TagBytes({3, TextEncoding::Latin1, artist, title, number, 0}) +
                             silentMpegAudio(4 * kMpegFrameBytes));
}
