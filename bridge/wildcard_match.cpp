#include "wildcard_match.h"

namespace {

bool isPairAt(const std::u16string& text, size_t at) {
    return at + 1 < text.size() && text[at] >= 0xD800 && text[at] < 0xDC00 && text[at + 1] >= 0xDC00 &&
           text[at + 1] < 0xE000;
}

}  // namespace

// Greedy, going back to the last '*' on a mismatch: it then takes one unit more.
bool matchesWildcard(const std::u16string& name, const std::u16string& pattern) {
    size_t n = 0;
    size_t p = 0;
    size_t lastStar = std::u16string::npos;
    size_t nameAtLastStar = 0;
    while (n < name.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            lastStar = p++;
            nameAtLastStar = n;
        } else if (p < pattern.size() && (pattern[p] == u'?' || pattern[p] == name[n])) {
            n += pattern[p] == u'?' && isPairAt(name, n) ? 2 : 1;
            ++p;
        } else if (lastStar != std::u16string::npos) {
            p = lastStar + 1;
            n = ++nameAtLastStar;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*') ++p;
    return p == pattern.size();
}
