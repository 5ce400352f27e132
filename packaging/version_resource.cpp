#include "version_resource.h"

#include <vector>

namespace {

bool parseVersionNumbers(const std::string& version, std::vector<unsigned long>& numbers) {
    size_t start = 0;
    while (true) {
        const size_t dot = version.find('.', start);
        const std::string part = version.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        if (part.empty() || part.size() > 5 || part.find_first_not_of("0123456789") != std::string::npos) {
            return false;
        }
        numbers.push_back(std::stoul(part));
        if (numbers.back() > 65535) return false;
        if (dot == std::string::npos) break;
        start = dot + 1;
    }
    return numbers.size() >= 2 && numbers.size() <= 4;
}

bool isPrintableAscii(const std::string& text) {
    if (text.empty()) return false;
    for (const char c : text) {
        if (c < 0x20 || c > 0x7E) return false;
    }
    return true;
}

// A string literal of windres: a doubled quote stands for a quote, a backslash escapes.
std::string quoted(const std::string& text) {
    std::string literal = "\"";
    for (const char c : text) {
        if (c == '"')
            literal += "\"\"";
        else if (c == '\\')
            literal += "\\\\";
        else
            literal += c;
    }
    return literal + "\"";
}

}  // namespace

bool versionResourceScript(const VersionInfo& info, std::string& script, std::string& error) {
    std::vector<unsigned long> numbers;
    if (!parseVersionNumbers(info.version, numbers)) {
        error = "version must be two to four numbers up to 65535 separated by dots: " + info.version;
        return false;
    }
    numbers.resize(4, 0);
    const std::string binaryVersion = std::to_string(numbers[0]) + "," + std::to_string(numbers[1]) + "," +
                                      std::to_string(numbers[2]) + "," + std::to_string(numbers[3]);
    const std::pair<const char*, const std::string*> texts[] = {
        {"ProductName", &info.productName},
        {"FileDescription", &info.fileDescription},
        {"FileVersion", &info.version},
        {"ProductVersion", &info.version},
        {"OriginalFilename", &info.originalFilename},
        {"InternalName", &info.internalName},
        {"LegalCopyright", &info.legalCopyright},
    };
    std::string values;
    for (const auto& [name, text] : texts) {
        if (!isPrintableAscii(*text)) {
            error = std::string(name) + " must be a non-empty text of printable ASCII characters";
            return false;
        }
        values += "      VALUE \"" + std::string(name) + "\", " + quoted(*text) + "\n";
    }
    // File flags 0, an application (VFT_APP) for 32-bit Windows NT (VOS_NT_WINDOWS32); the
    // strings are US English (0x0409) in UTF-16 (code page 1200).
    script =
        "1 VERSIONINFO\n"
        "FILEVERSION " +
        binaryVersion +
        "\n"
        "PRODUCTVERSION " +
        binaryVersion +
        "\n"
        "FILEFLAGSMASK 0x3F\n"
        "FILEFLAGS 0\n"
        "FILEOS 0x40004\n"
        "FILETYPE 1\n"
        "FILESUBTYPE 0\n"
        "BEGIN\n"
        "  BLOCK \"StringFileInfo\"\n"
        "  BEGIN\n"
        "    BLOCK \"040904B0\"\n"
        "    BEGIN\n" +
        values +
        "    END\n"
        "  END\n"
        "  BLOCK \"VarFileInfo\"\n"
        "  BEGIN\n"
        "    VALUE \"Translation\", 0x0409, 1200\n"
        "  END\n"
        "END\n";
    return true;
}
