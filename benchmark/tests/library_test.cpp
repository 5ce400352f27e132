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
