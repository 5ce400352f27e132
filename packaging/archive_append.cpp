#include "archive_append.h"

#include <fstream>
#include <iterator>

namespace {

constexpr size_t kEndRecordSize = 22;

bool readFile(const std::string& path, std::string& bytes) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return false;
    bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    return !file.bad();
}

bool endsWithEndRecord(const std::string& archive) {
    if (archive.size() < kEndRecordSize) return false;
    const std::string record = archive.substr(archive.size() - kEndRecordSize);
    const bool signature = record.compare(0, 4, "PK\x05\x06") == 0;
    const bool noComment = record[20] == '\0' && record[21] == '\0';
    return signature && noComment;
}

}  // namespace

bool appendArchive(const std::string& imagePath, const std::string& archivePath, const std::string& outputPath,
                   std::string& error) {
    std::string image;
    std::string archive;
    if (!readFile(imagePath, image)) {
        error = "cannot read " + imagePath;
        return false;
    }
    if (!readFile(archivePath, archive)) {
        error = "cannot read " + archivePath;
        return false;
    }
    if (!endsWithEndRecord(archive)) {
        error = archivePath + " does not end with a zip end record without comment";
        return false;
    }
    std::ofstream output(outputPath, std::ios::binary | std::ios::trunc);
    output.write(image.data(), static_cast<std::streamsize>(image.size()));
    output.write(archive.data(), static_cast<std::streamsize>(archive.size()));
    output.close();
    if (!output) {
        error = "cannot write " + outputPath;
        return false;
    }
    return true;
}
