#include "library_files.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <stdexcept>

void prepareEmptyDirectory(const std::filesystem::path& dir) {
    std::error_code error;
    std::filesystem::create_directories(dir, error);
    if (error) throw std::runtime_error("cannot create directory " + dir.string() + ": " + error.message());
    if (!std::filesystem::is_empty(dir, error) || error)
        throw std::runtime_error("directory " + dir.string() + " is not empty; choose a new or empty one");
}

void writeNewFile(const std::filesystem::path& path, const std::string& bytes) {
    // "x": fail rather than replace an existing file.
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(std::fopen(path.c_str(), "wbx"), std::fclose);
    if (!file) throw std::runtime_error("cannot create " + path.string() + ": " + std::strerror(errno));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file.get()) == bytes.size();
    if (!written || std::fclose(file.release()) != 0)
        throw std::runtime_error("cannot write " + path.string() + ": " + std::strerror(errno));
}
