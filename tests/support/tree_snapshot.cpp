#include "tree_snapshot.h"

#include <cstdio>

#include "file_bytes.h"

namespace {

namespace fs = std::filesystem;

void addEntries(const fs::path& root, const fs::path& dir, TreeSnapshot& snapshot) {
    for (const fs::directory_entry& entry : fs::directory_iterator(dir)) {
        const std::string key = entry.path().lexically_relative(root).generic_string();
        if (entry.is_directory() && !entry.is_symlink()) {
            snapshot[key + "/"] = "";
            addEntries(root, entry.path(), snapshot);
        } else {
            snapshot[key] = readFileBytes(entry.path());
        }
    }
}

std::size_t firstDifference(const std::string& a, const std::string& b) {
    std::size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) ++at;
    return at;
}

// Up to 120 bytes from `from`, with line feeds and control bytes escaped.
std::string excerpt(const std::string& bytes, std::size_t from) {
    constexpr std::size_t kShown = 120;
    std::string text;
    for (std::size_t i = from; i < bytes.size() && i < from + kShown; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        if (byte == '\n') {
            text += "\\n";
        } else if (byte < 0x20 || byte == 0x7F) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02x", byte);
            text += escaped;
        } else {
            text += static_cast<char>(byte);
        }
    }
    return (from > 0 ? "...\"" : "\"") + text + (bytes.size() > from + kShown ? "\"..." : "\"") + " (" +
           std::to_string(bytes.size()) + " bytes)";
}

}  // namespace

TreeSnapshot snapshotTree(const fs::path& root) {
    TreeSnapshot snapshot;
    addEntries(root, root, snapshot);
    return snapshot;
}

std::string describeDifferences(const TreeSnapshot& expected, const TreeSnapshot& actual) {
    std::string report;
    for (const auto& [path, bytes] : expected) {
        const auto found = actual.find(path);
        if (found == actual.end())
            report += "missing:    " + path + "\n";
        else if (found->second != bytes) {
            // Shown from a little before the first differing byte, where the story is.
            const std::size_t at = firstDifference(bytes, found->second);
            const std::size_t from = at > 40 ? at - 40 : 0;
            report += "different:  " + path + " from byte " + std::to_string(at) + "\n  expected " +
                      excerpt(bytes, from) + "\n  actual   " + excerpt(found->second, from) + "\n";
        }
    }
    for (const auto& [path, bytes] : actual)
        if (expected.count(path) == 0) report += "unexpected: " + path + "\n";
    return report;
}
