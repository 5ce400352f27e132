#pragma once
// The parts of the zip format that the packaging tool writes and checks: little-endian fields,
// the CRC-32 of entries, and the end record as the Java launcher's -jar code looks for it.

#include <cstddef>
#include <cstdint>
#include <string>

constexpr uint32_t kLocalHeaderSignature = 0x04034B50;
constexpr uint32_t kCentralHeaderSignature = 0x02014B50;
constexpr uint32_t kEndRecordSignature = 0x06054B50;
constexpr size_t kEndRecordSize = 22;
constexpr size_t kEndRecordCommentLength = 20;  // offset of the comment's length in the end record
constexpr size_t kLongestComment = 0xFFFF;

uint16_t read16(const std::string& bytes, size_t at);
uint32_t read32(const std::string& bytes, size_t at);
void write16(std::string& bytes, size_t at, uint16_t value);
void write32(std::string& bytes, size_t at, uint32_t value);
void append16(std::string& bytes, uint16_t value);
void append32(std::string& bytes, uint32_t value);

uint32_t crc32Of(const std::string& bytes);

// Where the end record starts whose comment ends exactly at the end of `bytes`, searched from the
// end as the Java launcher searches for it; npos when there is none.
size_t findEndRecord(const std::string& bytes);

// True when the archive that ends with the end record at `endRecord` has a central directory in
// the file, and in it a META-INF/MANIFEST.MF entry whose local header is where the directory says.
// Offsets count from the archive's own first byte, wherever the archive starts in `bytes`.
bool archiveHasManifest(const std::string& bytes, size_t endRecord, std::string& error);
