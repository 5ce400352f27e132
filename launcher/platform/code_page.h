#pragma once
// The conversion behind toCodePage for a code page named by its number (1252,
// 65001, ...) rather than the system's own, so that tests can run the real
// conversion for code pages that the system they run on does not use.

#include "platform.h"

namespace platform {

// The largest capacity that the conversion takes, terminator included.
constexpr size_t kMaxConvertedLength = 1024;

// As toCodePage, into `codePage`. For UTF-8 (65001) a text is lossy only
// when it is not valid UTF-16: a lone surrogate, which becomes U+FFFD.
Conversion toCodePage(unsigned codePage, const WideChar* text, char* destination, size_t capacity);

}  // namespace platform
