#include "argument_property.h"

#include <cctype>

namespace {

bool isUnreserved(unsigned char c) { return std::isalnum(c) || c == '.' || c == '_' || c == '~' || c == '-'; }

int hexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

bool decode(const std::string& encoded, std::string& decoded) {
    for (size_t i = 0; i < encoded.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(encoded[i]);
        if (c != '%') {
            if (!isUnreserved(c)) return false;
            decoded += static_cast<char>(c);
            continue;
        }
        const int high = i + 2 < encoded.size() ? hexValue(encoded[i + 1]) : -1;
        const int low = high >= 0 ? hexValue(encoded[i + 2]) : -1;
        if (low < 0) return false;
        decoded += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

std::string encode(const std::string& text) {
    static const char kHexDigits[] = "0123456789ABCDEF";
    std::string encoded;
    for (const char c : text) {
        const unsigned char byte = static_cast<unsigned char>(c);
        if (isUnreserved(byte)) {
            encoded += c;
        } else {
            encoded += '%';
            encoded += kHexDigits[byte >> 4];
            encoded += kHexDigits[byte & 0xF];
        }
    }
    return encoded;
}

}  // namespace

std::string rewriteArgumentsProperty(const std::string& value,
                                     const std::function<std::string(const std::string&)>& rewrite) {
    std::string result;
    size_t start = 0;
    for (;;) {
        const size_t comma = value.find(',', start);
        std::string argument;
        if (!decode(value.substr(start, comma == std::string::npos ? std::string::npos : comma - start), argument)) {
            return value;
        }
        result += encode(rewrite(argument));
        if (comma == std::string::npos) return result;
        result += ',';
        start = comma + 1;
    }
}
