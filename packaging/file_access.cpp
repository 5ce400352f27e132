#include "file_access.h"

#include <fstream>

bool readWholeFile(const std::string& path, std::string& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    // read() turns a failed read (a folder gives EISDIR only then) into badbit, where
    // istreambuf_iterator lets libstdc++'s exception out.
    bytes.clear();
    char chunk[1 << 16];
    do {
        file.read(chunk, sizeof chunk);
        bytes.append(chunk, static_cast<size_t>(file.gcount()));
    } while (file);
    return !file.bad();
}

bool writeWholeFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return static_cast<bool>(file);
}
