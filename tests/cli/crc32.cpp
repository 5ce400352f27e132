#include "crc32.h"

#include <cstdio>

std::uint32_t crc32(const std::string& bytes) {
    std::uint32_t crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= static_cast<unsigned char>(byte);
        for (int bit = 0; bit < 8; ++bit) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

std::string checksumText(const std::string& bytes) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", static_cast<unsigned>(crc32(bytes)));
    return text;
}
