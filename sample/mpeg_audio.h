#pragma once

#include <cstddef>
#include <string>

// Length of one MPEG-1 Layer III frame at 128 kbit/s and 44.1 kHz without the padding slot.
constexpr std::size_t kMpegFrameBytes = 417;

// `byteCount` bytes of such frames, each a real frame header followed by zero bytes, which decode
// as silence. When `byteCount` is not a whole number of frames, the last frame is cut short, as in
// many real files.
std::string silentMpegAudio(std::size_t byteCount);
