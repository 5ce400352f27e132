#include "tag_reads.h"

#include <algorithm>
#include <fstream>
#include <regex>
#include <stdexcept>

#include "file_bytes.h"
#include "id3v2_writer.h"
#include "timed_run.h"

namespace fs = std::filesystem;

std::uint64_t tagLength(const fs::path& track) {
    std::ifstream file(track, std::ios::binary);
    unsigned char header[10] = {};
    if (!file.read(reinterpret_cast<char*>(header), sizeof header) || header[0] != 'I' || header[1] != 'D' ||
        header[2] != '3')
        return 0;
    std::uint64_t size = 0;
    for (int i = 6; i < 10; ++i) size = (size << 7) | (header[i] & 0x7F);
    const bool footer = header[3] == 4 && (header[5] & 0x10) != 0;
    return sizeof header + size + (footer ? sizeof header : 0);
}

PictureTrack makePictureTrack(const fs::path& root, std::size_t pictureBytes) {
    const TrackTag textOnly{3, TextEncoding::Latin1, "Band", "Song", "1", 0};
    const std::uint64_t neededLength = id3v2TagBytes(textOnly).size();
    // A JPEG picture frame: encoding, MIME type, picture type, empty description, then the picture.
    std::string picture("\0image/jpeg\0\3\0", 14);
    picture.resize(pictureBytes, '\x55');
    TrackTag withPicture = textOnly;
    withPicture.extraFrames = id3v2FrameHeader(3, "APIC", picture.size()) + picture;
    const std::string tag = id3v2TagBytes(withPicture);
    const fs::path album = root / "Album";
    fs::create_directories(album);
    writeFileBytes(album / "01 picture.mp3", tag + std::string(417, '\0'));
    Library library{root, {1, 1, tag.size() + 417}, libraryTracks(root)};
    library.trackBytes = fs::file_size(album / "01 picture.mp3");
    return {library, neededLength};
}

void tallyReads(std::istream& log, std::map<std::string, ReadTally>& tallies) {
    // For example: read(5</music/a b/01.mp3>, ""..., 10) = 10
    static const std::regex readCall(R"(^(?:read|pread64|readv|preadv)\(\d+<(.*)>, .*\) += (-?\d+)( .*)?$)");
    std::string line;
    std::smatch match;
    while (std::getline(log, line)) {
        if (!std::regex_match(line, match, readCall)) continue;
        const long long delivered = std::stoll(match[2]);
        if (delivered <= 0) continue;
        ReadTally& tally = tallies[match[1]];
        tally.bytes += static_cast<std::uint64_t>(delivered);
        ++tally.calls;
    }
}

namespace {

// Runs `command` followed by `folder` under strace; the bytes read per file path.
std::map<std::string, ReadTally> tracedReads(const std::vector<std::string>& command, const fs::path& folder,
                                             const fs::path& workFolder) {
    const fs::path traceFolder = workFolder / "strace";
    fs::remove_all(traceFolder);
    fs::create_directories(traceFolder);
    std::vector<std::string> traced{"strace", "-ff",         "-qq", "-y",
                                    "-s",     "0",           "-e",  "trace=read,pread64,readv,preadv",
                                    "-e",     "signal=none", "-o",  (traceFolder / "trace").string()};
    traced.insert(traced.end(), command.begin(), command.end());
    traced.push_back(folder.string());
    timedRun(traced);

    std::map<std::string, ReadTally> tallies;
    for (const fs::directory_entry& entry : fs::directory_iterator(traceFolder)) {
        std::ifstream log(entry.path());
        tallyReads(log, tallies);
    }
    fs::remove_all(traceFolder);
    return tallies;
}

// Adds a track that the trace shows read `tally` and whose tag is `length` bytes long.
void addTrack(TagReadFigures& figures, const std::string& track, const ReadTally& tally, std::uint64_t length) {
    if (tally.calls == 0) throw std::runtime_error("the trace shows no read of " + track);
    ++figures.tracks;
    figures.meanBytesRead += static_cast<double>(tally.bytes);
    figures.meanTagLength += static_cast<double>(length);
    figures.meanCalls += static_cast<double>(tally.calls);
    figures.mostBeyondTag =
        std::max(figures.mostBeyondTag, static_cast<std::int64_t>(tally.bytes) - static_cast<std::int64_t>(length));
}

// Turns the sums that addTrack made into means per track.
TagReadFigures perTrack(TagReadFigures figures) {
    if (figures.tracks == 0) throw std::runtime_error("the library holds no tracks");
    figures.meanBytesRead /= static_cast<double>(figures.tracks);
    figures.meanTagLength /= static_cast<double>(figures.tracks);
    figures.meanCalls /= static_cast<double>(figures.tracks);
    return figures;
}

}  // namespace

TagReadFigures measureTagReads(const std::vector<std::string>& command, const Library& library, const fs::path& copy,
                               const fs::path& workFolder) {
    freshCopy(library, copy);
    std::map<std::string, ReadTally> tallies = tracedReads(command, copy, workFolder);
    const fs::path canonicalCopy = fs::canonical(copy);
    TagReadFigures figures;
    for (const fs::path& track : library.tracks) {
        if (fs::exists(copy / track))
            throw std::runtime_error("the track " + track.string() +
                                     " kept its name, so its tag reads and checksum "
                                     "reads cannot be told apart");
        addTrack(figures, track.string(), tallies[(canonicalCopy / track).string()], tagLength(library.root / track));
    }
    return perTrack(figures);
}

TagReadFigures measureRerunReads(const std::vector<std::string>& command, const fs::path& tidied,
                                 const fs::path& workFolder) {
    std::map<std::string, ReadTally> tallies = tracedReads(command, tidied, workFolder);
    const fs::path canonicalFolder = fs::canonical(tidied);
    TagReadFigures figures;
    for (const fs::path& track : libraryTracks(tidied))
        addTrack(figures, track.string(), tallies[(canonicalFolder / track).string()], tagLength(tidied / track));
    return perTrack(figures);
}
