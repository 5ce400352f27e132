#pragma once

#include <cstddef>
#include <string>

#include "text_encoding.h"

// The fields that name a track, as an ID3v2 tag of one major version (2, 3 or 4) stores them, every
// text frame in the same encoding. Empty fields are left out of the tag.
struct TrackTag {
    int majorVersion;
    TextEncoding encoding;
    std::string artist;        // UTF-8
    std::string title;         // UTF-8
    std::string trackNumber;   // as stored, e.g. "3" or "3/12"
    std::size_t paddingBytes;  // zero bytes after the last frame, counted in the tag size
    // Complete frames, header and body, written after the text frames and counted in the tag size.
    std::string extraFrames{};
};

// The complete tag: the 10-byte header, then the artist, title and track frames, then the extra
// frames, then the padding. Throws std::invalid_argument for an encoding the version does not know,
// or text it cannot hold.
std::string id3v2TagBytes(const TrackTag& tag);

// A frame's header as ID3v2 of the given major version writes it: the 3-byte id and 3-byte size of
// version 2, or the 4-byte id, 4-byte size (syncsafe in version 4) and two zero flag bytes of
// versions 3 and 4. Throws std::invalid_argument for a body size the header cannot hold.
std::string id3v2FrameHeader(int majorVersion, const std::string& id, std::size_t bodySize);
