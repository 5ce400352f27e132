#pragma once

#include <cstdint>
#include <string>

// The standard CRC-32 (reflected polynomial 0xEDB88320, as in ZIP and gzip), computed here
// independently of the application's own checksum code.
std::uint32_t crc32(const std::string& bytes);

// The checksum as a checksum list line shows it: eight lower-case hexadecimal digits.
std::string checksumText(const std::string& bytes);
