#pragma once
// Crossing from the Windows side of Wine to the host: texts and paths.

#include <windows.h>

#include <string>

// A UTF-16 text in UTF-8, the encoding that host programs read under a UTF-8 locale.
std::string utf8FromWide(const WCHAR* text);

// Wine's WCHAR is a 16-bit wchar_t, which the host's C++ library takes for 32 bits, so that a
// std::basic_string<WCHAR> goes wrong in the library's code: texts are held as char16_t and
// cross to WCHAR as the same units.
using WideText = std::u16string;
inline const WCHAR* wcharsOf(const WideText& text) { return reinterpret_cast<const WCHAR*>(text.c_str()); }
inline WCHAR* wcharsOf(WideText& text) { return reinterpret_cast<WCHAR*>(text.data()); }

// A UTF-8 text in UTF-16; a text that is not valid UTF-8 gives an empty one.
WideText wideFromUtf8(const std::string& text);

// A text of the Windows 8-bit code page in UTF-16.
WideText wideFromCodePage(const char* text);

// The host path of a Windows path (absolute, or relative to the current directory); empty when
// Wine has no host place for it.
std::string hostPathOf(const WCHAR* windowsPath);

// The host path of this process's Windows current directory; empty when it has none.
std::string hostCurrentDirectory();
