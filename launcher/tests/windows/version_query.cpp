// version-query <exe>: prints an executable's version resource as Windows reads it, through
// GetFileVersionInfo and VerQueryValue: the fixed file and product versions, then every string
// of the first translation, one "Name=text" line each. Ends with status 1 when there is none.

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

const char* const kStringNames[] = {"ProductName",      "FileDescription", "FileVersion",   "ProductVersion",
                                    "OriginalFilename", "InternalName",    "LegalCopyright"};

void printVersion(const char* name, DWORD high, DWORD low) {
    std::printf("%s=%u.%u.%u.%u\n", name, HIWORD(high), LOWORD(high), HIWORD(low), LOWORD(low));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fputs("usage: version-query <exe>\n", stderr);
        return 2;
    }
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(argv[1], &ignored);
    std::vector<char> block(size);
    if (size == 0 || !GetFileVersionInfoA(argv[1], 0, size, block.data())) {
        std::printf("no version resource (error %lu)\n", GetLastError());
        return 1;
    }
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&fixed), &length) || length < sizeof *fixed) {
        std::puts("no fixed file information");
        return 1;
    }
    printVersion("fixed FileVersion", fixed->dwFileVersionMS, fixed->dwFileVersionLS);
    printVersion("fixed ProductVersion", fixed->dwProductVersionMS, fixed->dwProductVersionLS);
    std::printf("fixed FileType=%lu\n", fixed->dwFileType);

    struct Translation {
        WORD language, codePage;
    }* translations = nullptr;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translations), &length) ||
        length < sizeof *translations) {
        std::puts("no translation");
        return 1;
    }
    std::printf("Translation=%04x %u\n", translations->language, translations->codePage);
    for (const char* name : kStringNames) {
        char path[128];
        std::snprintf(path, sizeof path, "\\StringFileInfo\\%04x%04x\\%s", translations->language,
                      translations->codePage, name);
        char* text = nullptr;
        if (VerQueryValueA(block.data(), path, reinterpret_cast<void**>(&text), &length) && text != nullptr) {
            std::printf("%s=%s\n", name, text);
        } else {
            std::printf("%s is missing\n", name);
        }
    }
    return 0;
}
