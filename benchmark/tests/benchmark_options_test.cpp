#include <gtest/gtest.h>

#include "benchmark_options.h"

TEST(BenchmarkOptions, SizesAndRunsReplaceOnlyTheDefaultsNamed) {
    const BenchmarkOptions defaults = parseBenchmarkOptions({});
    const BenchmarkOptions options =
        parseBenchmarkOptions({"--albums", "3", "--small-track-bytes", "2048", "--runs", "1", "--launch-runs", "9"});
    EXPECT_EQ(options.large.albums, 3u);
    EXPECT_EQ(options.large.tracksPerAlbum, defaults.large.tracksPerAlbum);
    EXPECT_EQ(options.small.trackBytes, 2048u);
    EXPECT_EQ(options.small.albums, defaults.small.albums);
    EXPECT_EQ(options.runs, 1);
    EXPECT_EQ(options.launchRuns, 9);
}

TEST(BenchmarkOptions, RefusesWhatIsNotACountInRange) {
    for (const char* bad : {"0", "-1", "12x", "", "99999999999999999999"})
        EXPECT_THROW(parseBenchmarkOptions({"--tracks", bad}), std::invalid_argument) << bad;
    EXPECT_THROW(parseBenchmarkOptions({"--track-bytes", "2147483648"}), std::invalid_argument);
    EXPECT_THROW(parseBenchmarkOptions({"--runs"}), std::invalid_argument);
    EXPECT_THROW(parseBenchmarkOptions({"--fast"}), std::invalid_argument);
    EXPECT_THROW(parseBenchmarkOptions({"/tmp/music"}), std::invalid_argument);
}

TEST(BenchmarkOptions, TheWalkedTreeCannotHoldMoreAlbumsThanFolders) {
    const BenchmarkOptions options = parseBenchmarkOptions(
        {"--tree-folders", "500", "--tree-albums", "500", "--flac-albums", "7", "--flac-tracks", "2"});
    EXPECT_EQ(options.treeFolders, 500u);
    EXPECT_EQ(options.treeAlbums, 500u);
    EXPECT_EQ(options.flac.albums, 7u);
    EXPECT_EQ(options.flac.tracksPerAlbum, 2u);
    EXPECT_THROW(parseBenchmarkOptions({"--tree-folders", "500", "--tree-albums", "501"}), std::invalid_argument);
    EXPECT_THROW(parseBenchmarkOptions({"--tree-albums", "100001"}), std::invalid_argument);
}
