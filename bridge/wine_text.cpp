#include "wine_text.h"

#include <vector>

std::string utf8FromWide(const WCHAR* text) {
    const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 1) return "";
    std::string utf8(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
    utf8.pop_back();  // the terminator
    return utf8;
}

static WideText wideFrom(UINT codePage, DWORD flags, const char* text) {
    const int size = MultiByteToWideChar(codePage, flags, text, -1, nullptr, 0);
    if (size <= 1) return WideText();
    WideText wide(static_cast<size_t>(size), 0);
    MultiByteToWideChar(codePage, flags, text, -1, wcharsOf(wide), size);
    wide.pop_back();  // the terminator
    return wide;
}

WideText wideFromUtf8(const std::string& text) { return wideFrom(CP_UTF8, MB_ERR_INVALID_CHARS, text.c_str()); }

WideText wideFromCodePage(const char* text) { return wideFrom(CP_ACP, 0, text); }

std::string hostPathOf(const WCHAR* windowsPath) {
    char* hostPath = wine_get_unix_file_name(windowsPath);
    if (hostPath == nullptr) return "";
    std::string result = hostPath;
    HeapFree(GetProcessHeap(), 0, hostPath);
    return result;
}

std::string hostCurrentDirectory() {
    const DWORD size = GetCurrentDirectoryW(0, nullptr);
    if (size == 0) return "";
    std::vector<WCHAR> directory(size);
    if (GetCurrentDirectoryW(size, directory.data()) == 0) return "";
    return hostPathOf(directory.data());
}
