#include "archive_append.h"

#include "file_access.h"
#include "zip_format.h"

bool appendArchive(const std::string& imagePath, const std::string& archivePath, const std::string& outputPath,
                   std::string& error) {
    std::string image;
    std::string archive;
    if (!readWholeFile(imagePath, image)) {
        error = "cannot read " + imagePath;
        return false;
    }
    if (!readWholeFile(archivePath, archive)) {
        error = "cannot read " + archivePath;
        return false;
    }
    if (archive.size() < kEndRecordSize || findEndRecord(archive) != archive.size() - kEndRecordSize) {
        error = archivePath + " does not end with a zip end record without comment";
        return false;
    }
    if (!writeWholeFile(outputPath, image + archive)) {
        error = "cannot write " + outputPath;
        return false;
    }
    return true;
}
