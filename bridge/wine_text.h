#pragma once
// Crossing from the Windows side of Wine to the host: texts and paths.

#include <windows.h>

#include <string>

// A UTF-16 text in UTF-8, the encoding that host programs read under a UTF-8 locale.
std::string utf8FromWide(const WCHAR* text);

// The host path of a Windows path (absolute, or relative to the current directory); empty when
// Wine has no host place for it.
std::string hostPathOf(const WCHAR* windowsPath);

// The host path of this process's Windows current directory; empty when it has none.
std::string hostCurrentDirectory();
