#include "text_encoding.h"

#include <stdexcept>

namespace {

[[noreturn]] void malformed(const std::string& utf8) { throw std::invalid_argument("malformed UTF-8 text: " + utf8); }

std::u32string decodeUtf8(const std::string& utf8) {
    std::u32string result;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const int continuationCount = lead < 0x80 ? 0 : lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC2 ? 1 : -1;
        if (continuationCount < 0 || lead > 0xF4 || utf8.size() - i <= static_cast<std::size_t>(continuationCount))
            malformed(utf8);
        char32_t codePoint = continuationCount == 0 ? lead : lead & (0x3F >> continuationCount);
        for (int k = 1; k <= continuationCount; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) malformed(utf8);
            codePoint = (codePoint << 6) | (next & 0x3F);
        }
        const char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
        if (codePoint < smallest[continuationCount] || codePoint > 0x10FFFF ||
            (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            malformed(utf8);
        result.push_back(codePoint);
        i += continuationCount + 1;
    }
    return result;
}

void appendUtf16Unit(std::string& out, char16_t unit, bool bigEndian) {
    const char high = static_cast<char>(unit >> 8);
    const char low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
}

std::string encodeUtf16(const std::u32string& text, bool bigEndian) {
    std::string out;
    for (const char32_t codePoint : text) {
        if (codePoint < 0x10000) {
            appendUtf16Unit(out, static_cast<char16_t>(codePoint), bigEndian);
        } else {
            const char32_t offset = codePoint - 0x10000;
            appendUtf16Unit(out, static_cast<char16_t>(0xD800 + (offset >> 10)), bigEndian);
            appendUtf16Unit(out, static_cast<char16_t>(0xDC00 + (offset & 0x3FF)), bigEndian);
        }
    }
    return out;
}

std::string encodeLatin1(const std::u32string& text, const std::string& original) {
    std::string out;
    for (const char32_t codePoint : text) {
        if (codePoint > 0xFF) throw std::invalid_argument("text does not fit Latin-1: " + original);
        out += static_cast<char>(codePoint);
    }
    return out;
}

}  // namespace

std::string encodeText(const std::string& utf8, TextEncoding encoding) {
    const std::u32string text = decodeUtf8(utf8);
    switch (encoding) {
        case TextEncoding::Latin1:
            return encodeLatin1(text, utf8);
        case TextEncoding::Utf16WithBom:
            return "\xFF\xFE" + encodeUtf16(text, false);
        case TextEncoding::Utf16BigEndian:
            return encodeUtf16(text, true);
        case TextEncoding::Utf8:
            return utf8;
    }
    throw std::invalid_argument("unknown text encoding");
}
