#include "system_text.h"

#include "fixed_text.h"
#include "launch_state.h"

TakenText takeSystemText(const platform::WideChar* text, char* destination, size_t capacity) {
    const platform::Conversion conversion = platform::toCodePage(text, destination, capacity);
    if (conversion != platform::Conversion::lossy) {
        return conversion == platform::Conversion::exact ? TakenText::exact : TakenText::tooLong;
    }
    platform::WideChar shortForm[kPartCapacity];
    if (!platform::shortPath(text, shortForm, kPartCapacity)) return TakenText::lossy;
    char converted[kPartCapacity];
    const platform::Conversion shortConversion = platform::toCodePage(shortForm, converted, sizeof converted);
    if (shortConversion == platform::Conversion::lossy) return TakenText::noShortName;
    if (shortConversion == platform::Conversion::tooLong || !copyText(destination, capacity, converted)) {
        return TakenText::tooLong;
    }
    return TakenText::shortName;
}

namespace {

bool isUnreserved(unsigned byte) {
    return (byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9') ||
           byte == '.' || byte == '_' || byte == '~' || byte == '-';
}

bool appendEncodedByte(char* destination, size_t capacity, unsigned byte) {
    static const char kHexDigits[] = "0123456789ABCDEF";
    if (isUnreserved(byte)) return appendChar(destination, capacity, static_cast<char>(byte));
    return appendChar(destination, capacity, '%') && appendChar(destination, capacity, kHexDigits[byte >> 4]) &&
           appendChar(destination, capacity, kHexDigits[byte & 0xF]);
}

bool isSurrogate(unsigned long unit, unsigned long first) { return unit >= first && unit < first + 0x400; }

}  // namespace

bool appendPercentEncoded(char* destination, size_t capacity, const platform::WideChar* text) {
    for (const platform::WideChar* unit = text; *unit != 0; ++unit) {
        unsigned long code = *unit;
        if (isSurrogate(code, 0xD800) && isSurrogate(unit[1], 0xDC00)) {
            code = 0x10000 + ((code - 0xD800) << 10) + (*++unit - 0xDC00);
        } else if (isSurrogate(code, 0xD800) || isSurrogate(code, 0xDC00)) {
            code = 0xFFFD;
        }
        // The UTF-8 form: a lead byte that tells the length, then six bits per byte.
        const int trailing = code < 0x80 ? 0 : code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
        static const unsigned kLeads[] = {0x00, 0xC0, 0xE0, 0xF0};
        if (!appendEncodedByte(destination, capacity, kLeads[trailing] | (code >> (6 * trailing)))) return false;
        for (int shift = 6 * (trailing - 1); shift >= 0; shift -= 6) {
            if (!appendEncodedByte(destination, capacity, 0x80 | ((code >> shift) & 0x3F))) return false;
        }
    }
    return true;
}
