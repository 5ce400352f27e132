#include "mpeg_audio.h"

namespace {

// Frame sync, MPEG-1, Layer III, no CRC; 128 kbit/s, 44.1 kHz, no padding; mono, original.
const char kFrameHeader[] = {'\xFF', '\xFB', '\x90', '\xC4'};

}  // namespace

std::string silentMpegAudio(std::size_t byteCount) {
    std::string frame(kMpegFrameBytes, '\0');
    frame.replace(0, sizeof kFrameHeader, kFrameHeader, sizeof kFrameHeader);
    std::string audio;
    audio.reserve(byteCount);
    while (audio.size() < byteCount) audio.append(frame, 0, byteCount - audio.size());
    return audio;
}
