#include "zip_format.h"

#include <array>

uint16_t read16(const std::string& bytes, size_t at) {
    return static_cast<uint16_t>(static_cast<uint8_t>(bytes[at]) | static_cast<uint8_t>(bytes[at + 1]) << 8);
}

uint32_t read32(const std::string& bytes, size_t at) {
    return read16(bytes, at) | static_cast<uint32_t>(read16(bytes, at + 2)) << 16;
}

void write16(std::string& bytes, size_t at, uint16_t value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>(value >> 8);
}

void write32(std::string& bytes, size_t at, uint32_t value) {
    write16(bytes, at, static_cast<uint16_t>(value & 0xFFFF));
    write16(bytes, at + 2, static_cast<uint16_t>(value >> 16));
}

void append16(std::string& bytes, uint16_t value) {
    bytes.append(2, '\0');
    write16(bytes, bytes.size() - 2, value);
}

void append32(std::string& bytes, uint32_t value) {
    bytes.append(4, '\0');
    write32(bytes, bytes.size() - 4, value);
}

uint32_t crc32Of(const std::string& bytes) {
    static const std::array<uint32_t, 256> table = [] {
        std::array<uint32_t, 256> entries{};
        for (uint32_t n = 0; n < 256; ++n) {
            uint32_t c = n;
            for (int k = 0; k < 8; ++k) c = c & 1 ? 0xEDB88320 ^ (c >> 1) : c >> 1;
            entries[n] = c;
        }
        return entries;
    }();
    uint32_t crc = 0xFFFFFFFF;
    for (const char byte : bytes) crc = table[(crc ^ static_cast<uint8_t>(byte)) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFF;
}

size_t findEndRecord(const std::string& bytes) {
    if (bytes.size() < kEndRecordSize) return std::string::npos;
    const size_t last = bytes.size() - kEndRecordSize;
    const size_t first = last > kLongestComment ? last - kLongestComment : 0;
    for (size_t at = last + 1; at-- > first;) {
        if (read32(bytes, at) == kEndRecordSignature &&
            at + kEndRecordSize + read16(bytes, at + kEndRecordCommentLength) == bytes.size()) {
            return at;
        }
    }
    return std::string::npos;
}

bool archiveHasManifest(const std::string& bytes, size_t endRecord, std::string& error) {
    const uint32_t directorySize = read32(bytes, endRecord + 12);
    const uint32_t directoryOffset = read32(bytes, endRecord + 16);
    if (directorySize > endRecord || directoryOffset > endRecord - directorySize) {
        error = "the archive's central directory lies outside the file";
        return false;
    }
    const size_t directory = endRecord - directorySize;
    const size_t archiveStart = directory - directoryOffset;
    const std::string manifest = "META-INF/MANIFEST.MF";
    for (size_t at = directory; at + 46 <= endRecord;) {
        if (read32(bytes, at) != kCentralHeaderSignature) {
            error = "the archive's central directory is damaged";
            return false;
        }
        const size_t nameLength = read16(bytes, at + 28);
        const size_t entryLength = 46 + nameLength + read16(bytes, at + 30) + read16(bytes, at + 32);
        if (at + entryLength > endRecord) break;
        if (bytes.compare(at + 46, nameLength, manifest) == 0 && nameLength == manifest.size()) {
            const size_t local = archiveStart + read32(bytes, at + 42);
            const bool found = local + 30 + nameLength <= directory && read32(bytes, local) == kLocalHeaderSignature &&
                               read16(bytes, local + 26) == nameLength &&
                               bytes.compare(local + 30, nameLength, manifest) == 0;
            if (!found) error = "the archive's manifest entry does not point at its data";
            return found;
        }
        at += entryLength;
    }
    error = "the archive has no " + manifest;
    return false;
}
