#include <gtest/gtest.h>

#include <algorithm>

#include "file_bytes.h"
#include "library.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

TEST(Library, TracksAreTheAlbumFilesEndingInMp3InAnyLetterCase) {
    const TempDir root("benchmark-library");
    fs::create_directories(root.path() / "Album");
    fs::create_directories(root.path() / "Album" / "Nested.mp3");
    for (const char* name : {"Album/a.mp3", "Album/B.MP3", "Album/c.mp3.bak", "Album/cover.jpg", "loose.mp3"})
        writeFileBytes(root.path() / name, "x");

    std::vector<fs::path> tracks = libraryTracks(root.path());
    std::sort(tracks.begin(), tracks.end());
    // The application hands a folder named like a track to the tag library too.
    EXPECT_EQ(tracks, (std::vector<fs::path>{"Album/B.MP3", "Album/Nested.mp3", "Album/a.mp3"}));
}

TEST(Library, MadeLibraryIsReadWholeAndCopiedAlike) {
    const TempDir work("benchmark-library");
    const Library library = makeLibrary(work.path() / "lib", {2, 3, 5000});
    ASSERT_EQ(library.tracks.size(), 6u);
    EXPECT_EQ(library.trackBytes, 6u * 5000);
    EXPECT_GE(readEveryByte(library, 1024), 0.0);

    freshCopy(library, work.path() / "copy");
    writeFileBytes(work.path() / "copy" / library.tracks[0], "changed");
    freshCopy(library, work.path() / "copy");
    for (const fs::path& track : library.tracks)
        EXPECT_EQ(readFileBytes(work.path() / "copy" / track), readFileBytes(library.root / track));

    fs::resize_file(library.root / library.tracks[1], 10);
    EXPECT_THROW(readEveryByte(library, 1024), std::runtime_error);
}

namespace {

struct TreeCount {
    std::size_t folders = 0;
    std::size_t albums = 0;  // folders holding an .mp3 file of their own
    std::size_t deepest = 0;
    std::size_t flacFiles = 0;
};

TreeCount countTree(const fs::path& root) {
    TreeCount count;
    for (auto it = fs::recursive_directory_iterator(root); it != fs::recursive_directory_iterator(); ++it) {
        if (it->is_directory()) {
            ++count.folders;
            count.deepest = std::max(count.deepest, static_cast<std::size_t>(it.depth()) + 1);
            for (const fs::directory_entry& entry : fs::directory_iterator(it->path()))
                if (entry.path().extension() == ".mp3") {
                    ++count.albums;
                    break;
                }
        } else if (it->path().extension() == ".flac") {
            ++count.flacFiles;
        }
    }
    return count;
}

}  // namespace

TEST(Library, FolderTreeHoldsTheFoldersAndAlbumsItReportsTenBelowEach) {
    const TempDir work("benchmark-library");
    struct Case {
        std::size_t folders, albums, deepest;
    };
    for (const Case& c : {Case{1110, 10, 3}, Case{1111, 1111, 4}, Case{5, 0, 1}}) {
        SCOPED_TRACE(c.folders);
        const fs::path root = work.path() / std::to_string(c.folders);
        const FolderTree tree = makeFolderTree(root, c.folders, c.albums);
        const TreeCount count = countTree(root);
        EXPECT_EQ(tree.folders, c.folders);
        EXPECT_EQ(tree.albums, c.albums);
        EXPECT_EQ(count.folders, c.folders);
        EXPECT_EQ(count.albums, c.albums);
        EXPECT_EQ(count.deepest, c.deepest);
    }
    EXPECT_THROW(makeFolderTree(work.path() / "over", 3, 4), std::invalid_argument);
}

TEST(Library, AlbumLibrariesOfEitherKindShareTheirShape) {
    const TempDir work("benchmark-library");
    const FolderTree flac = makeAlbumLibrary(work.path() / "flac", TrackKind::flac, {8, 3, 100});
    const FolderTree mp3 = makeAlbumLibrary(work.path() / "mp3", TrackKind::mp3, {8, 3, 2000});
    const TreeCount flacCount = countTree(flac.root);
    const TreeCount mp3Count = countTree(mp3.root);
    EXPECT_EQ(flac.albums, 8u);
    EXPECT_EQ(flac.folders, 8u + 2 * 2);  // every fourth album has Artwork/Scans
    EXPECT_EQ(flacCount.folders, flac.folders);
    EXPECT_EQ(flacCount.albums, 0u);
    EXPECT_EQ(flacCount.flacFiles, 8u * 3);
    EXPECT_EQ(flacCount.deepest, 3u);
    EXPECT_EQ(readFileBytes(flac.root / "Album 1" / "Track 1.flac").substr(0, 4), "fLaC");
    EXPECT_EQ(mp3.folders, flac.folders);
    EXPECT_EQ(mp3Count.folders, flac.folders);
    EXPECT_EQ(mp3Count.albums, 8u);
    EXPECT_EQ(libraryTracks(mp3.root).size(), 8u * 3);
    EXPECT_EQ(fs::file_size(mp3.root / "Album 1" / "Track 1.mp3"), 2000u);
}

TEST(Library, AgedTracksOfACopyAreADayOldAndItsOtherFilesNew) {
    const TempDir work("benchmark-library");
    const Library library = makeLibrary(work.path() / "lib", {2, 3, 5000});
    const fs::path copy = work.path() / "copy";
    freshCopy(library, copy);
    ageTracks(library, copy, std::chrono::hours(24));
    const fs::file_time_type now = fs::file_time_type::clock::now();

    for (const fs::path& track : library.tracks) {
        EXPECT_LE(fs::last_write_time(copy / track), now - std::chrono::hours(24)) << track;
        EXPECT_GT(fs::last_write_time(copy / track), now - std::chrono::hours(25)) << track;
        EXPECT_GT(fs::last_write_time(library.root / track), now - std::chrono::hours(1)) << track;
    }
    const fs::path cover = copy / library.tracks[0].parent_path() / "Cover.jpg";
    EXPECT_GT(fs::last_write_time(cover), now - std::chrono::hours(1));
}
