#include "host_words.h"

#include "argument_property.h"
#include "wine_text.h"

#include <vector>

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

// How many folders up a relative path leads (its ".." that no name before them takes back), and
// the names left after them: ..\a\..\b\.\c climbs 1 and names b and c.
size_t climbsOf(const std::string& path, size_t* names) {
    size_t climbs = 0;
    *names = 0;
    for (size_t start = 0; start <= path.size();) {
        size_t end = path.find_first_of("\\/", start);
        if (end == std::string::npos) end = path.size();
        const std::string part = path.substr(start, end - start);
        if (part == "..") {
            if (*names > 0) {
                --*names;
            } else {
                ++climbs;
            }
        } else if (!part.empty() && part != ".") {
            ++*names;
        }
        start = end + 1;
    }
    return climbs;
}

// The relative host path of a relative Windows path with a backslash that names an existing
// entry from the working folder (..\x gives ../x), its names spelt as on the host; empty for
// any other text. The JVM runs in the same folder, so the path names the same entry there.
std::string relativeHostPath(const std::string& text) {
    if (text.find('\\') == std::string::npos || text[0] == '\\' || text[0] == '/' ||
        text.find(':') != std::string::npos)
        return "";
    const WideText wide = wideFromUtf8(text);
    if (wide.empty() || GetFileAttributesW(wcharsOf(wide)) == INVALID_FILE_ATTRIBUTES) return "";
    std::string hostPath = hostPathOf(wcharsOf(wide));
    if (hostPath.size() > 1 && hostPath.back() == '/') hostPath.pop_back();  // as typed after a folder
    size_t names = 0;
    size_t climbs = climbsOf(text, &names);
    std::string relative;
    for (; climbs > 0; --climbs) relative += "../";
    // The host path ends with the names, as the host spells them.
    size_t tail = hostPath.size();
    for (; names > 0 && tail != std::string::npos && tail > 0; --names) tail = hostPath.rfind('/', tail - 1);
    if (hostPath.empty() || names > 0 || tail == std::string::npos) return "";
    relative += hostPath.substr(tail == hostPath.size() ? tail : tail + 1);
    if (relative.empty()) return ".";
    if (relative.back() == '/') relative.pop_back();
    return relative;
}

// An application's argument as the host's JVM should see it: a Windows path that names a place
// on the host as its host path, any other text as it is.
std::string hostArgument(const std::string& text) {
    const std::string relative = relativeHostPath(text);
    return relative.empty() ? hostPathIfAbsolute(text) : relative;
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
            word = option + rewriteArgumentsProperty(word.substr(option.size()), hostArgument);
        } else if (isArchive || isAbsoluteWindowsPath(word)) {
            const std::string hostPath = hostPathOf(words[i]);
            if (!hostPath.empty()) word = hostPath;
        } else if (archive >= 0 && i > archive) {
            const std::string relative = relativeHostPath(word);
            if (!relative.empty()) word = relative;
        }
        result.push_back(std::move(word));
    }
    return result;
}
