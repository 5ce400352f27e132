#include "release_zip.h"

#include <set>

#include "file_access.h"
#include "zip_format.h"

namespace {

// 2000-01-01 00:00:00 in the DOS form of zip entries; the same time as the jars' entries.
constexpr uint16_t kEntryDate = (2000 - 1980) << 9 | 1 << 5 | 1;
constexpr uint16_t kEntryTime = 0;
constexpr uint16_t kVersionNeeded = 10;  // 1.0: stored entries and folders
constexpr uint32_t kFolderAttribute = 0x10;

struct Entry {
    std::string name;
    std::string data;
    uint32_t crc;
    uint32_t localOffset;
};

bool acceptableName(const std::string& name) {
    if (name.empty() || name.front() == '/' || name.back() == '/' || name.find('\\') != std::string::npos) return false;
    const std::string wrapped = "/" + name + "/";
    return wrapped.find("/../") == std::string::npos && wrapped.find("/./") == std::string::npos &&
           wrapped.find("//") == std::string::npos;
}

void appendHeaderFields(std::string& out, const Entry& entry) {
    append16(out, 0);  // flags
    append16(out, 0);  // stored
    append16(out, kEntryTime);
    append16(out, kEntryDate);
    append32(out, entry.crc);
    append32(out, static_cast<uint32_t>(entry.data.size()));
    append32(out, static_cast<uint32_t>(entry.data.size()));
    append16(out, static_cast<uint16_t>(entry.name.size()));
    append16(out, 0);  // no extra field
}

}  // namespace

bool writeReleaseZip(const std::string& output, const std::string& folder, const std::vector<std::string>& entries,
                     std::string& error) {
    std::vector<Entry> archive;
    std::set<std::string> named;
    for (const std::string& name : entries) {
        if (!acceptableName(name) || !named.insert(name).second) {
            error = "not a relative path given once: " + name;
            return false;
        }
        for (size_t slash = name.find('/'); slash != std::string::npos; slash = name.find('/', slash + 1)) {
            const std::string parent = name.substr(0, slash + 1);
            if (named.insert(parent).second) archive.push_back({parent, "", 0, 0});
        }
        std::string data;
        if (!readWholeFile(folder + "/" + name, data)) {
            error = "cannot read " + folder + "/" + name;
            return false;
        }
        if (data.size() >= 0xFFFFFFFFu) {
            error = name + " is too large for a zip archive without 64-bit fields";
            return false;
        }
        archive.push_back({name, data, crc32Of(data), 0});
    }

    std::string out;
    for (Entry& entry : archive) {
        entry.localOffset = static_cast<uint32_t>(out.size());
        append32(out, kLocalHeaderSignature);
        append16(out, kVersionNeeded);
        appendHeaderFields(out, entry);
        out += entry.name;
        out += entry.data;
    }
    const size_t directoryOffset = out.size();
    for (const Entry& entry : archive) {
        append32(out, kCentralHeaderSignature);
        append16(out, 20);  // made by: MS-DOS attributes, zip 2.0
        append16(out, kVersionNeeded);
        appendHeaderFields(out, entry);
        append16(out, 0);  // no comment
        append16(out, 0);  // disk
        append16(out, 0);  // internal attributes
        append32(out, entry.name.back() == '/' ? kFolderAttribute : 0);
        append32(out, entry.localOffset);
        out += entry.name;
    }
    if (out.size() >= 0xFFFFFFFFu || archive.size() > 0xFFFF) {
        error = "too much for a zip archive without 64-bit fields";
        return false;
    }
    const size_t directorySize = out.size() - directoryOffset;
    append32(out, kEndRecordSignature);
    append16(out, 0);
    append16(out, 0);
    append16(out, static_cast<uint16_t>(archive.size()));
    append16(out, static_cast<uint16_t>(archive.size()));
    append32(out, static_cast<uint32_t>(directorySize));
    append32(out, static_cast<uint32_t>(directoryOffset));
    append16(out, 0);  // no comment

    if (!writeWholeFile(output, out)) {
        error = "cannot write " + output;
        return false;
    }
    return true;
}
