#pragma once

#include <cstdint>
#include <string>

// The text encodings an ID3v2 text frame can declare, by their code in the frame's first byte.
enum class TextEncoding : std::uint8_t {
    Latin1 = 0,
    Utf16WithBom = 1,    // little-endian, with the byte order mark FF FE
    Utf16BigEndian = 2,  // no byte order mark
    Utf8 = 3,
};

// Re-encodes UTF-8 text. Throws std::invalid_argument for malformed UTF-8 and for characters that
// Latin-1 cannot hold.
std::string encodeText(const std::string& utf8, TextEncoding encoding);
