#include "wildcard_words.h"

#include <algorithm>
#include <iterator>
#include <utility>

#include "wildcard_match.h"

namespace {

WideText upperCase(WideText text) {
    if (!text.empty()) CharUpperBuffW(wcharsOf(text), static_cast<DWORD>(text.size()));
    return text;
}

bool holdsWildcard(const WideText& text) { return text.find_first_of(u"*?") != WideText::npos; }

// The paths that `pattern` stands for; none when it matches nothing.
std::vector<WideText> matchingPaths(const WideText& pattern) {
    const size_t nameStart = pattern.find_last_of(u"\\/:") + 1;  // 0 when there is no folder part
    WideText folder = pattern.substr(0, nameStart);
    if (holdsWildcard(folder)) return {};
    std::replace(folder.begin(), folder.end(), u'/', u'\\');
    const WideText namePattern = upperCase(pattern.substr(nameStart));

    WIN32_FIND_DATAW entry;
    const HANDLE search = FindFirstFileW(wcharsOf(folder + u"*"), &entry);
    if (search == INVALID_HANDLE_VALUE) return {};
    // Each match keyed by its name in upper case, the order NTFS keeps a folder in.
    std::vector<std::pair<WideText, WideText>> matches;
    do {
        const WideText name = reinterpret_cast<const char16_t*>(entry.cFileName);
        if (name == u"." || name == u"..") continue;
        WideText key = upperCase(name);
        if (matchesWildcard(key, namePattern)) matches.emplace_back(std::move(key), folder + name);
    } while (FindNextFileW(search, &entry));
    FindClose(search);

    std::sort(matches.begin(), matches.end());
    std::vector<WideText> paths;
    for (auto& match : matches) paths.push_back(std::move(match.second));
    return paths;
}

}  // namespace

std::vector<WideText> expandedWords(const std::vector<CommandWord>& words) {
    std::vector<WideText> result;
    size_t firstApplicationWord = words.size();
    for (size_t i = 0; i < words.size(); ++i) {
        WideText word = wideFromCodePage(words[i].text.c_str());
        if (firstApplicationWord == words.size() && words[i].text == "-jar") firstApplicationWord = i + 2;
        std::vector<WideText> paths;
        if (i >= firstApplicationWord && words[i].wildcard) paths = matchingPaths(word);
        if (paths.empty()) result.push_back(std::move(word));
        std::move(paths.begin(), paths.end(), std::back_inserter(result));
    }
    return result;
}
