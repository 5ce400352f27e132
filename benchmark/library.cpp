#include "library.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <string>
#include <unistd.h>

#include "directory_listing.h"

namespace fs = std::filesystem;

namespace {

bool isTrackName(std::string name) {
    std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::tolower(c); });
    return name.size() >= 4 && name.compare(name.size() - 4, 4, ".mp3") == 0;
}

// Adds the bytes of one file to `total`; throws when it cannot be read.
void readFile(const fs::path& path, std::vector<char>& piece, std::uint64_t& total) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) throw std::runtime_error("cannot open " + path.string() + ": " + std::strerror(errno));
    ssize_t count;
    while ((count = ::read(fd, piece.data(), piece.size())) > 0) total += static_cast<std::uint64_t>(count);
    const int readError = errno;
    ::close(fd);
    if (count < 0) throw std::runtime_error("cannot read " + path.string() + ": " + std::strerror(readError));
}

}  // namespace

Library makeLibrary(const fs::path& root, const LibrarySize& size) {
    writeSyntheticLibrary(root, size, false);
    Library library{root, size, libraryTracks(root)};
    for (const fs::path& track : library.tracks) library.trackBytes += fs::file_size(root / track);
    return library;
}

std::vector<fs::path> libraryTracks(const fs::path& root) {
    std::vector<fs::path> tracks;
    for (const std::string& album : listDirectory(root)) {
        if (!fs::is_directory(root / album)) continue;
        for (const std::string& name : listDirectory(root / album))
            if (isTrackName(name)) tracks.push_back(fs::path(album) / name);
    }
    return tracks;
}

void freshCopy(const Library& library, const fs::path& copy) {
    fs::remove_all(copy);
    fs::copy(library.root, copy, fs::copy_options::recursive);
    const int fd = ::open(copy.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool flushed = fd >= 0 && ::syncfs(fd) == 0;
    const int flushError = errno;
    if (fd >= 0) ::close(fd);
    if (!flushed) throw std::runtime_error("cannot flush " + copy.string() + " to disk: " + std::strerror(flushError));
}

double readEveryByte(const Library& library, std::size_t pieceBytes) {
    std::vector<char> piece(pieceBytes);
    std::uint64_t total = 0;
    const auto start = std::chrono::steady_clock::now();
    for (const fs::path& track : library.tracks) readFile(library.root / track, piece, total);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (total != library.trackBytes)
        throw std::runtime_error("read " + std::to_string(total) + " bytes of tracks that hold " +
                                 std::to_string(library.trackBytes));
    return elapsed.count();
}
