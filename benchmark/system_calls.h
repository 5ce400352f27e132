#pragma once

#include <cstdint>
#include <filesystem>
#include <istream>
#include <string>
#include <vector>

#include "library.h"

// Whether the system call is one of those counted as the file system's: opens, reads, writes,
// closes, stat calls, seeks, renames, links, unlinks, getdents64 and readlink, in any of their forms.
bool isFileSystemCall(const std::string& name);

// The calls of those kinds in a summary that `strace -c` wrote; other lines are passed over.
std::uint64_t countFileSystemCalls(std::istream& summary);

// The file-system calls of a run of `command` followed by `arguments`, all its threads and children
// counted (strace -c -f), in `workFolder`'s trace file.
std::uint64_t tracedFileSystemCalls(const std::vector<std::string>& command, const std::vector<std::string>& arguments,
                                    const std::filesystem::path& workFolder);

struct SystemCallFigures {
    std::size_t tracks = 0;
    std::uint64_t emptyRun = 0;  // the application over an empty folder: its start and end
    std::uint64_t realRun = 0;   // over a fresh copy of the library
    std::uint64_t dryRun = 0;    // the same with --dry-run
    double realPerTrack() const { return perTrack(realRun); }
    double dryPerTrack() const { return perTrack(dryRun); }

private:
    double perTrack(std::uint64_t run) const {
        return tracks == 0 ? 0
                           : (static_cast<double>(run) - static_cast<double>(emptyRun)) / static_cast<double>(tracks);
    }
};

// Counts the file-system calls of a real run and of a dry run of the application (`command`, then
// the folder) over fresh copies of the library, and of a run over `emptyFolder`; per track, the
// start's calls are taken off.
SystemCallFigures measureSystemCalls(const std::vector<std::string>& command, const Library& library,
                                     const std::filesystem::path& copy, const std::filesystem::path& emptyFolder,
                                     const std::filesystem::path& workFolder);
