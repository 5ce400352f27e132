#include "other_tracks_library.h"

#include <stdexcept>

#include "file_bytes.h"
#include "run_process.h"
#include "track_files.h"

namespace fs = std::filesystem;

namespace {

// What the tool prints in the folder, as a list.
void writeToolList(const fs::path& folder, const std::string& list, const std::vector<std::string>& command) {
    const ProcessResult result = runProcess(command, folder.string());
    if (result.exitStatus != 0) throw std::runtime_error(command.front() + " failed: " + result.err);
    writeFileBytes(folder / list, result.out);
}

}  // namespace

OtherTracksLibrary writeOtherTracksLibrary(const fs::path& root) {
    OtherTracksLibrary library;
    const fs::path flac = root / "FLAC Album";
    fs::create_directories(flac / "CD1");
    writeFileBytes(flac / "01 - One.flac", "fLaC one");
    writeFileBytes(flac / "02 - Two.flac", "fLaC two");
    writeFileBytes(flac / "CD1" / "01 - x.flac", "fLaC x");
    writeToolList(flac, "rhash.sfv", {"rhash", "--sfv", "01 - One.flac", "02 - Two.flac"});
    writeToolList(flac, "cksfv.sfv", {"cksfv", "-q", "01 - One.flac", "02 - Two.flac"});
    writeFileBytes(flac / "Rip.M3U",
                   "\xEF\xBB\xBF#EXTM3U\r\n#EXTINF:1,x\r\nhttp://example.com/x.flac\r\nCD1\\01 - x.flac\r\n");
    writeFileBytes(flac / "absolute.m3u", (fs::absolute(flac) / "02 - Two.flac").string() + "\n");
    writeFileBytes(flac / "url.m3u", "file://" + (fs::absolute(flac) / "01%20-%20One.flac").string() + "\n");
    // The run's own name, held by a list it keeps: no MP3 track, so nothing is said.
    writeFileBytes(flac / "00-flac album.m3u", "01 - One.flac\n02 - Two.flac\n");
    library.keptLists = {"FLAC Album/rhash.sfv",    "FLAC Album/cksfv.sfv", "FLAC Album/Rip.M3U",
                         "FLAC Album/absolute.m3u", "FLAC Album/url.m3u",   "FLAC Album/00-flac album.m3u"};

    const fs::path mixed = root / "Mixed";
    fs::create_directories(mixed);
    writeTrack(mixed / "Track 1.mp3", "1", "Mixed Artist", "Song");
    writeFileBytes(mixed / "02 - Bonus.flac", "fLaC bonus");
    writeToolList(mixed, "mixed.sfv", {"rhash", "--sfv", "Track 1.mp3", "02 - Bonus.flac"});
    library.keptLists.push_back("Mixed/mixed.sfv");

    const fs::path discs = root / "Multi Disc";
    fs::create_directories(discs / "CD1");
    fs::create_directories(discs / "CD2");
    writeTrack(discs / "CD1" / "01 First.mp3", "1", "Disc Artist", "First");
    writeTrack(discs / "CD2" / "01 Second.mp3", "1", "Disc Artist", "Second");
    writeFileBytes(discs / "album.m3u", "CD1\\01 First.mp3\nCD2\\01 Second.mp3\n");
    writeToolList(discs, "album.sfv", {"rhash", "--sfv", "CD1/01 First.mp3", "CD2/01 Second.mp3"});
    library.keptLists.insert(library.keptLists.end(), {"Multi Disc/album.m3u", "Multi Disc/album.sfv"});

    const fs::path mp3 = root / "MP3 Album";
    fs::create_directories(mp3);
    writeTrack(mp3 / "Track 1.mp3", "1", "Band", "Tune");
    writeFileBytes(mp3 / "cover.jpg", "jpeg");
    writeFileBytes(mp3 / "info.nfo", "nfo");
    writeToolList(mp3, "all.sfv", {"rhash", "--sfv", "Track 1.mp3", "cover.jpg", "info.nfo"});
    writeFileBytes(mp3 / "gone.m3u", "Old Name.mp3\nCD9\\gone.flac\n../Other/missing.flac\n");
    library.replacedLists = {"MP3 Album/all.sfv", "MP3 Album/gone.m3u"};
    return library;
}
