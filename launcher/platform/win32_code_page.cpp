// The conversion of UTF-16 texts into an 8-bit code page, through the Windows API.

#include "code_page.h"

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

namespace platform {

// Compared unit by unit: lstrcmpW compares as the user's language sorts, and
// Wine 8 sorts a lone surrogate from U+D880 to U+DB7F equal to the U+FFFD
// that replaces it.
static bool sameUnits(const wchar_t* first, const wchar_t* second) {
    while (*first != 0 && *first == *second) {
        ++first;
        ++second;
    }
    return *first == *second;
}

Conversion toCodePage(unsigned codePage, const WideChar* text, char* destination, size_t capacity) {
    const wchar_t* wideText = reinterpret_cast<const wchar_t*>(text);
    // Windows refuses the best-fit flag and the question for a default
    // character for UTF-8 (65001), where only a text that is not valid UTF-16
    // loses anything: converting back tells.
    const bool utf8 = codePage == CP_UTF8;
    BOOL usedDefault = FALSE;
    if (WideCharToMultiByte(codePage, utf8 ? 0 : WC_NO_BEST_FIT_CHARS, wideText, -1, destination,
                            static_cast<int>(capacity), nullptr, utf8 ? nullptr : &usedDefault) == 0) {
        return Conversion::tooLong;
    }
    if (!utf8) return usedDefault ? Conversion::lossy : Conversion::exact;
    // The UTF-8 form has at least as many bytes as the text has units, so it
    // comes back whole.
    static wchar_t back[kMaxConvertedLength];
    return MultiByteToWideChar(CP_UTF8, 0, destination, -1, back, kMaxConvertedLength) != 0 && sameUnits(back, wideText)
               ? Conversion::exact
               : Conversion::lossy;
}

Conversion toCodePage(const WideChar* text, char* destination, size_t capacity) {
    return toCodePage(GetACP(), text, destination, capacity);
}

}  // namespace platform
