#include "system_calls.h"

#include <fstream>
#include <set>
#include <sstream>

#include "timed_run.h"

namespace fs = std::filesystem;

bool isFileSystemCall(const std::string& name) {
    static const std::set<std::string> kCalls{
        "open",   "openat",   "openat2",    "creat",    "read",       "pread64",   "readv",
        "preadv", "preadv2",  "write",      "pwrite64", "writev",     "pwritev",   "pwritev2",
        "close",  "stat",     "lstat",      "fstat",    "newfstatat", "fstatat64", "statx",
        "lseek",  "_llseek",  "rename",     "renameat", "renameat2",  "link",      "linkat",
        "unlink", "unlinkat", "getdents64", "getdents", "readlink",   "readlinkat"};
    return kCalls.count(name) != 0;
}

std::uint64_t countFileSystemCalls(std::istream& summary) {
    // For example: "  1.18    0.068926           6     11104        81 openat"; the errors column
    // is empty for a call that never failed.
    std::uint64_t total = 0;
    std::string line;
    while (std::getline(summary, line)) {
        std::istringstream fields(line);
        std::vector<std::string> words;
        for (std::string word; fields >> word;) words.push_back(word);
        if (words.size() < 5 || words.size() > 6 || !isFileSystemCall(words.back())) continue;
        try {
            total += std::stoull(words[3]);
        } catch (const std::exception&) {
            // Not a row of the table.
        }
    }
    return total;
}

std::uint64_t tracedFileSystemCalls(const std::vector<std::string>& command, const std::vector<std::string>& arguments,
                                    const fs::path& workFolder) {
    const fs::path summary = workFolder / "strace-summary";
    std::vector<std::string> traced{"strace", "-c", "-f", "-qq", "-o", summary.string()};
    traced.insert(traced.end(), command.begin(), command.end());
    traced.insert(traced.end(), arguments.begin(), arguments.end());
    timedRun(traced);
    std::ifstream log(summary);
    return countFileSystemCalls(log);
}

SystemCallFigures measureSystemCalls(const std::vector<std::string>& command, const Library& library,
                                     const fs::path& copy, const fs::path& emptyFolder, const fs::path& workFolder) {
    SystemCallFigures figures;
    figures.tracks = library.tracks.size();
    figures.emptyRun = tracedFileSystemCalls(command, {emptyFolder.string()}, workFolder);
    freshCopy(library, copy);
    figures.dryRun = tracedFileSystemCalls(command, {"--dry-run", copy.string()}, workFolder);
    figures.realRun = tracedFileSystemCalls(command, {copy.string()}, workFolder);
    return figures;
}
