#include "id3v2_writer.h"

#include <stdexcept>

namespace {

struct FrameIds {
    const char* artist;
    const char* title;
    const char* trackNumber;
};

FrameIds frameIdsFor(int majorVersion) {
    if (majorVersion == 2) return {"TP1", "TT2", "TRK"};
    return {"TPE1", "TIT2", "TRCK"};
}

void checkVersionAndEncoding(const TrackTag& tag) {
    if (tag.majorVersion < 2 || tag.majorVersion > 4)
        throw std::invalid_argument("ID3v2 major version must be 2, 3 or 4, not " + std::to_string(tag.majorVersion));
    const bool onlyInVersion4 = tag.encoding == TextEncoding::Utf16BigEndian || tag.encoding == TextEncoding::Utf8;
    if (onlyInVersion4 && tag.majorVersion != 4)
        throw std::invalid_argument("ID3v2." + std::to_string(tag.majorVersion) + " has no UTF-8 or UTF-16BE text");
}

// Big-endian, `byteCount` bytes; `bitsPerByte` is 7 for the "syncsafe" sizes whose bytes never
// have the high bit set.
std::string sizeBytes(std::size_t value, int byteCount, int bitsPerByte, const char* what) {
    if (value >> (byteCount * bitsPerByte) != 0)
        throw std::invalid_argument(std::string(what) + " too large for an ID3v2 size field: " + std::to_string(value));
    std::string out;
    for (int shift = (byteCount - 1) * bitsPerByte; shift >= 0; shift -= bitsPerByte)
        out += static_cast<char>((value >> shift) & ((1u << bitsPerByte) - 1));
    return out;
}

std::string textFrame(const TrackTag& tag, const std::string& id, const std::string& utf8) {
    if (utf8.empty()) return "";
    const std::string body = static_cast<char>(tag.encoding) + encodeText(utf8, tag.encoding);
    return id3v2FrameHeader(tag.majorVersion, id, body.size()) + body;
}

}  // namespace

std::string id3v2FrameHeader(int majorVersion, const std::string& id, std::size_t bodySize) {
    switch (majorVersion) {
        case 2:
            return id + sizeBytes(bodySize, 3, 8, "frame");
        case 3:
            return id + sizeBytes(bodySize, 4, 8, "frame") + std::string(2, '\0');
        default:
            return id + sizeBytes(bodySize, 4, 7, "frame") + std::string(2, '\0');
    }
}

std::string id3v2TagBytes(const TrackTag& tag) {
    checkVersionAndEncoding(tag);
    const FrameIds ids = frameIdsFor(tag.majorVersion);
    const std::string frames = textFrame(tag, ids.artist, tag.artist) + textFrame(tag, ids.title, tag.title) +
                               textFrame(tag, ids.trackNumber, tag.trackNumber) + tag.extraFrames;
    // The size is checked before the padding is made, so an absurd padding fails without allocating it.
    const std::string size = sizeBytes(frames.size() + tag.paddingBytes, 4, 7, "tag");
    const std::string header = std::string("ID3") + static_cast<char>(tag.majorVersion) + '\0' + '\0' + size;
    return header + frames + std::string(tag.paddingBytes, '\0');
}
