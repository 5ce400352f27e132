#include "temp_dir.h"

#include <cerrno>
#include <cstdlib>
#include <system_error>

TempDir::TempDir(const std::string& prefix) : TempDir(prefix, std::filesystem::temp_directory_path()) {}

TempDir::TempDir(const std::string& prefix, const std::filesystem::path& parent) {
    std::string pattern = (parent / (prefix + "-XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr)
        throw std::system_error(errno, std::generic_category(), "cannot create a directory like " + pattern);
    path_ = pattern;
}

TempDir::~TempDir() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}
