#include "signed_layout.h"

#include "zip_format.h"

namespace {

constexpr size_t kAlignment = 8;
constexpr uint16_t kPe32Magic = 0x10B;
constexpr uint16_t kPe32PlusMagic = 0x20B;
constexpr size_t kCertificateDirectory = 4;

// File offsets of the optional header's checksum and of the certificate directory entry.
bool locateHeaderFields(const std::string& bytes, size_t& checksumAt, size_t& entryAt, std::string& error) {
    error = "not a PE executable";
    if (bytes.size() < 0x40 || bytes.compare(0, 2, "MZ") != 0) return false;
    const size_t pe = read32(bytes, 0x3C);
    const size_t optional = pe + 24;
    if (pe > bytes.size() || bytes.size() - pe < 24 + 2 || bytes.compare(pe, 4, std::string("PE\0\0", 4)) != 0) {
        return false;
    }
    const uint16_t magic = read16(bytes, optional);
    if (magic != kPe32Magic && magic != kPe32PlusMagic) return false;
    const size_t directories = optional + (magic == kPe32Magic ? 96 : 112);
    const size_t directoryCount = read32(bytes, directories - 4);
    entryAt = directories + 8 * kCertificateDirectory;
    checksumAt = optional + 64;
    if (directoryCount <= kCertificateDirectory || entryAt + 8 > bytes.size()) return false;
    error.clear();
    return true;
}

bool isZero(const std::string& bytes, size_t from, size_t to) { return bytes.find_first_not_of('\0', from) >= to; }

}  // namespace

bool readCertificateEntry(const std::string& bytes, CertificateEntry& entry, std::string& error) {
    size_t checksumAt = 0;
    if (!locateHeaderFields(bytes, checksumAt, entry.at, error)) return false;
    entry.offset = read32(bytes, entry.at);
    entry.size = read32(bytes, entry.at + 4);
    if (entry.size != 0 && (entry.offset > bytes.size() || bytes.size() - entry.offset != entry.size)) {
        error = "the certificate table is not at the end of the file";
        return false;
    }
    return true;
}

bool unsignedForm(const std::string& bytes, std::string& unsignedBytes, std::string& error) {
    CertificateEntry entry{};
    size_t checksumAt = 0;
    if (!readCertificateEntry(bytes, entry, error) || !locateHeaderFields(bytes, checksumAt, entry.at, error)) {
        return false;
    }
    std::string base = entry.size == 0 ? bytes : bytes.substr(0, entry.offset);
    // A signer pads to the boundary with zeros; an unsigned file has no padding.
    const size_t mostPadding = entry.size == 0 ? 0 : kAlignment - 1;
    for (size_t padding = 0; padding <= mostPadding && padding + kEndRecordSize <= base.size(); ++padding) {
        const size_t record = base.size() - padding - kEndRecordSize;
        if (read32(base, record) != kEndRecordSignature || !isZero(base, record + kEndRecordSize, base.size())) {
            continue;
        }
        if (entry.size == 0 && read16(base, record + kEndRecordCommentLength) != 0) break;
        base.resize(record + kEndRecordSize);
        write16(base, record + kEndRecordCommentLength, 0);
        if (entry.size != 0) {
            write32(base, entry.at, 0);
            write32(base, entry.at + 4, 0);
            write32(base, checksumAt, 0);
        }
        unsignedBytes = base;
        return true;
    }
    error = entry.size == 0 ? "the file does not end with a zip end record without comment"
                            : "no zip end record precedes the certificate table";
    return false;
}

std::string withCommentLength(const std::string& base, size_t commentLength) {
    std::string candidate = base;
    write16(candidate, candidate.size() - kEndRecordSize + kEndRecordCommentLength,
            static_cast<uint16_t>(commentLength));
    return candidate;
}

bool checkSignedLayout(const std::string& candidate, const std::string& signedBytes, size_t& trailing,
                       std::string& error) {
    size_t checksumAt = 0;
    size_t entryAt = 0;
    CertificateEntry entry{};
    if (!locateHeaderFields(candidate, checksumAt, entryAt, error) ||
        !readCertificateEntry(signedBytes, entry, error)) {
        return false;
    }
    error = "the signer changed the file in an unexpected way";
    if (entry.size == 0 || entry.at != entryAt || signedBytes.size() < candidate.size()) return false;
    std::string unchanged = signedBytes.substr(0, candidate.size());
    unchanged.replace(checksumAt, 4, candidate, checksumAt, 4);
    unchanged.replace(entryAt, 8, candidate, entryAt, 8);
    if (unchanged != candidate) return false;
    if (entry.offset < candidate.size() || entry.offset - candidate.size() >= kAlignment ||
        entry.offset % kAlignment != 0 || !isZero(signedBytes, candidate.size(), entry.offset)) {
        error = "the certificate table does not follow the archive at the next 8-byte boundary";
        return false;
    }
    trailing = signedBytes.size() - candidate.size();
    error.clear();
    return true;
}
