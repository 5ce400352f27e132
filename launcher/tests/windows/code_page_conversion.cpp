// code-page-conversion <case>...: converts texts with the launcher's own
// conversion, into a code page that each case names, whatever the system's.
// A case is <code page>:<capacity>:<UTF-16 units in hexadecimal, separated
// by '.'>, such as 65001:16:D6.6C; its line on standard output is the answer
// (exact, lossy or tooLong), then for exact and lossy the bytes without the
// terminator in hexadecimal. Ends with status 2 on a malformed case.

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "code_page.h"

namespace {

const char* answerName(platform::Conversion answer) {
    switch (answer) {
        case platform::Conversion::exact:
            return "exact";
        case platform::Conversion::lossy:
            return "lossy";
        case platform::Conversion::tooLong:
            return "tooLong";
    }
    return "?";
}

// Reads a number in `base` that ends at one of `ends` (the terminator
// included), moving past that end.
bool readNumber(const char*& text, int base, const char* ends, unsigned long* value) {
    char* stop = nullptr;
    *value = std::strtoul(text, &stop, base);
    if (stop == text || std::strchr(ends, *stop) == nullptr) return false;
    text = *stop == '\0' ? stop : stop + 1;
    return true;
}

bool convert(const char* text) {
    unsigned long codePage = 0;
    unsigned long capacity = 0;
    if (!readNumber(text, 10, ":", &codePage) || !readNumber(text, 10, ":", &capacity) || capacity == 0 ||
        capacity > platform::kMaxConvertedLength) {
        return false;
    }
    static platform::WideChar units[platform::kMaxConvertedLength * 2];
    size_t count = 0;
    while (*text != '\0') {
        unsigned long unit = 0;
        if (count + 1 == sizeof units / sizeof units[0] || !readNumber(text, 16, ".", &unit) || unit > 0xFFFF) {
            return false;
        }
        units[count++] = static_cast<platform::WideChar>(unit);
    }
    units[count] = 0;
    static char converted[platform::kMaxConvertedLength];
    const platform::Conversion answer = platform::toCodePage(codePage, units, converted, capacity);
    std::printf("%s", answerName(answer));
    if (answer != platform::Conversion::tooLong) {
        for (const char* c = converted; *c != '\0'; ++c) std::printf(" %02X", static_cast<unsigned char>(*c));
    }
    std::printf("\n");
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (!convert(argv[i])) {
            std::fprintf(stderr, "malformed case: %s\n", argv[i]);
            return 2;
        }
    }
    return 0;
}
