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
#include "id3v2_writer.h"
#include "library_files.h"
#include "mpeg_audio.h"
#include "tiny_images.h"

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

// A tagged track of `bytes` bytes, or its tag alone where that is longer.
void writeTinyTrack(const fs::path& path, std::size_t number, std::size_t bytes) {
    const std::string tag = id3v2TagBytes({3, TextEncoding::Latin1, "Artist", "Title", std::to_string(number), 0});
    writeNewFile(path, tag + silentMpegAudio(bytes > tag.size() ? bytes - tag.size() : 0));
}

void writeAlbum(const fs::path& album, std::size_t tracks) {
    fs::create_directory(album);
    for (std::size_t number = 1; number <= tracks; ++number)
        writeTinyTrack(album / ("Track " + std::to_string(number) + ".mp3"), number, 2 * kMpegFrameBytes);
    writeNewFile(album / "Cover.jpg", tinyJpeg());
    writeNewFile(album / "info.nfo", "Artist\n");
}

// "fLaC" begins every FLAC stream; nothing reads further.
std::string flacBytes(std::size_t bytes) { return "fLaC" + std::string(bytes > 4 ? bytes - 4 : 0, '\0'); }

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
    flushToDisk(copy);
}

void flushToDisk(const fs::path& folder) {
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    const bool flushed = fd >= 0 && ::syncfs(fd) == 0;
    const int flushError = errno;
    if (fd >= 0) ::close(fd);
    if (!flushed)
        throw std::runtime_error("cannot flush " + folder.string() + " to disk: " + std::strerror(flushError));
}

void ageTracks(const Library& library, const fs::path& copy, std::chrono::hours age) {
    const fs::file_time_type then = fs::file_time_type::clock::now() - age;
    for (const fs::path& track : library.tracks) fs::last_write_time(copy / track, then);
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

FolderTree makeFolderTree(const fs::path& root, std::size_t folders, std::size_t albums) {
    if (albums > folders)
        throw std::invalid_argument(std::to_string(albums) + " albums cannot fit in " + std::to_string(folders) +
                                    " folders");
    prepareEmptyDirectory(root);
    FolderTree tree{root, folders, 0};
    // Folder n (1-based) lies in folder (n - 1) / 10, the root being folder 0: parents come first.
    std::vector<fs::path> paths{root};
    paths.reserve(folders + 1);
    const std::size_t step = albums == 0 ? folders + 1 : folders / albums;
    for (std::size_t n = 1; n <= folders; ++n) {
        paths.push_back(paths[(n - 1) / 10] / ("Folder " + std::to_string(n)));
        const fs::path& folder = paths.back();
        if ((n - 1) % step == step / 2 && tree.albums < albums) {
            writeAlbum(folder, 3);
            ++tree.albums;
        } else {
            fs::create_directory(folder);
            if (n % 3 == 0) {
                writeNewFile(folder / "readme.txt", "notes\n");
                writeNewFile(folder / "folder.jpg", tinyJpeg());
            }
        }
    }
    return tree;
}

FolderTree makeAlbumLibrary(const fs::path& root, TrackKind kind, const LibrarySize& size) {
    prepareEmptyDirectory(root);
    FolderTree library{root, 0, size.albums};
    for (std::size_t a = 1; a <= size.albums; ++a) {
        const fs::path album = root / ("Album " + std::to_string(a));
        fs::create_directory(album);
        ++library.folders;
        for (std::size_t number = 1; number <= size.tracksPerAlbum; ++number) {
            const std::string name = "Track " + std::to_string(number);
            if (kind == TrackKind::mp3)
                writeTinyTrack(album / (name + ".mp3"), number, size.trackBytes);
            else
                writeNewFile(album / (name + ".flac"), flacBytes(size.trackBytes));
        }
        writeNewFile(album / "Cover.jpg", tinyJpeg());
        if (a % 4 == 0) {
            fs::create_directories(album / "Artwork" / "Scans");
            writeNewFile(album / "Artwork" / "Scans" / "Back.jpg", tinyJpeg());
            library.folders += 2;
        }
    }
    return library;
}
