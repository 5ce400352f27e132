#pragma once

#include <filesystem>
#include <string>

// A fresh, empty directory under the system's temporary directory (TMPDIR or /tmp), or under the
// folder given, removed with everything in it when the object goes away.
class TempDir {
public:
    explicit TempDir(const std::string& prefix = "test");
    TempDir(const std::string& prefix, const std::filesystem::path& parent);
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir();

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};
