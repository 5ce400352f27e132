#include "host_words.h"

#include "argument_property.h"
#include "wine_text.h"

namespace {

// True for a path that names a drive and starts at its root: C:\dir, z:/dir, D:\.
bool isAbsoluteWindowsPath(const std::string& word) {
    if (word.size() < 3) return false;
    const char drive = word[0];
    const bool isDrive = (drive >= 'A' && drive <= 'Z') || (drive >= 'a' && drive <= 'z');
    return isDrive && word[1] == ':' && (word[2] == '\\' || word[2] == '/');
}

// The host path of an absolute Windows path in UTF-8; any other text as it is.
std::string hostPathIfAbsolute(const std::string& text) {
    if (!isAbsoluteWindowsPath(text)) return text;
    const std::string hostPath = hostPathOf(wcharsOf(wideFromUtf8(text)));
    return hostPath.empty() ? text : hostPath;
}

}  // namespace

std::vector<std::string> hostWords(int count, WCHAR** words) {
    std::vector<std::string> result;
    int archive = -1;
    for (int i = 0; i < count; ++i) {
        std::string word = utf8FromWide(words[i]);
        const bool isArchive = i == archive && !word.empty();
        if (archive < 0 && word == "-jar") archive = i + 1;
        const std::string option = kArgumentsPropertyOption;
        if (archive < 0 && word.rfind(option, 0) == 0) {
            // The property holds the user's arguments, paths among them, exactly.
            word = option + rewriteArgumentsProperty(word.substr(option.size()), hostPathIfAbsolute);
        } else if (isArchive || isAbsoluteWindowsPath(word)) {
            const std::string hostPath = hostPathOf(words[i]);
            if (!hostPath.empty()) word = hostPath;
        }
        result.push_back(std::move(word));
    }
    return result;
}
