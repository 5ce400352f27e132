#include "directory_listing.h"

#include <cerrno>
#include <dirent.h>
#include <memory>
#include <system_error>

std::vector<std::string> listDirectory(const std::filesystem::path& dir) {
    std::unique_ptr<DIR, int (*)(DIR*)> stream(::opendir(dir.c_str()), ::closedir);
    if (!stream) throw std::system_error(errno, std::generic_category(), "cannot list " + dir.string());
    std::vector<std::string> names;
    errno = 0;
    while (const dirent* entry = ::readdir(stream.get())) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..") names.push_back(name);
    }
    if (errno != 0) throw std::system_error(errno, std::generic_category(), "cannot list " + dir.string());
    return names;
}
