#pragma once
// Crossing from the Windows side of Wine to the host: texts and paths.

#include <windows.h>

#include <string>

// A UTF-16 text in UTF-8, the encoding that host programs read under a UTF-8 locale.
std::string utf8FromWide(const WCHAR* text);

using WideText = std::basic_string<WCHAR>;

// A UTF-8 text in UTF-16; a text that is not valid UTF-8 gives an empty one.
WideText wideFromUtf8(const std::string& text);

// A text of the Windows 8-bit code page in UTF-16.
WideText wideFromCodePage(const char* text);

// The host path of a Windows path (absolute, or relative to the current directory); empty when
// Wine has no host place for it.
std::string hostPathOf(const WCHAR* windowsPath);

// The host path of this process's Windows current directory; empty when it has none.
std::string hostCurrentDirectory();
