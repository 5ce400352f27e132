#pragma once
// Texts that come in from the system in UTF-16 (the command line, paths, the
// registry, the environment), taken once into the launcher's 8-bit fields.

#include "platform/platform.h"

enum class TakenText {
    exact,      // the text itself
    shortName,  // the short (8.3) name of the file or folder that it names
    // It names nothing that exists; what the code page lacks reads as '?'.
    lossy,
    // It names an existing file or folder, on a volume that keeps no short
    // names; what the code page lacks reads as '?'.
    noShortName,
    tooLong,
};

// Converts `text` into the code page; where that would lose a character,
// takes the short name of the file or folder that it names instead, which
// the code page always holds. Except for tooLong, `destination` receives the
// text as far as the code page can show it.
TakenText takeSystemText(const platform::WideChar* text, char* destination, size_t capacity);

template <size_t N> TakenText takeSystemText(const platform::WideChar* text, char (&destination)[N]) {
    return takeSystemText(text, destination, N);
}

// True when the taken text names what the original named: only such a path
// can be handed on.
inline bool canBePassed(TakenText taken) { return taken == TakenText::exact || taken == TakenText::shortName; }

// Appends `text` in UTF-8, every byte outside A-Z, a-z, 0-9 and "._~-" as
// '%' and two upper-case hexadecimal digits. A lone surrogate, which UTF-8
// cannot hold, becomes U+FFFD.
bool appendPercentEncoded(char* destination, size_t capacity, const platform::WideChar* text);
