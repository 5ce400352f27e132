// The dry run against the real run: over the sample library and over seeded random libraries full
// of collisions, the dry run changes nothing on disk, says what the real run says, and its plan,
// carried out by a small interpreter on a copy, leaves what the real run leaves.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <algorithm>
#include <cctype>
#include <iterator>
#include <random>
#include <set>
#include <sstream>

#include "application_run.h"
#include "colliding_library.h"
#include "file_bytes.h"
#include "other_tracks_library.h"
#include "planned_run.h"
#include "temp_dir.h"
#include "track_files.h"
#include "tree_snapshot.h"

namespace {

namespace fs = std::filesystem;

// Every entry below a folder, the folder included, with its modification and change times.
std::map<std::string, std::string> entryTimes(const fs::path& root) {
    std::map<std::string, std::string> times;
    auto record = [&](const fs::path& path) {
        struct stat status {};
        if (::lstat(path.c_str(), &status) != 0) throw std::runtime_error("cannot stat " + path.string());
        std::ostringstream text;
        text << status.st_mtim.tv_sec << '.' << status.st_mtim.tv_nsec << ' ' << status.st_ctim.tv_sec << '.'
             << status.st_ctim.tv_nsec;
        times[path.lexically_relative(root.parent_path()).string()] = text.str();
    };
    record(root);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root)) record(entry.path());
    return times;
}

// Runs the dry run and then the real run over `library` and checks the one against the other.
void expectPlanEqualsEffect(const fs::path& library, const fs::path& scratch) {
    const TreeSnapshot before = snapshotTree(library);
    const auto timesBefore = entryTimes(library);
    const ProcessResult dry = runPackagedApplication({"--dry-run", library.string()});
    EXPECT_EQ(describeDifferences(before, snapshotTree(library)), "");
    EXPECT_EQ(entryTimes(library), timesBefore);

    const fs::path planned = scratch / "planned";
    fs::copy(library, planned, fs::copy_options::recursive);
    const PlannedConsole dryConsole = splitConsole(dry.out);
    applyPlan(dryConsole.plan, library, planned);

    const ProcessResult real = runPackagedApplication({library.string()});
    EXPECT_EQ(dry.exitStatus, real.exitStatus);
    EXPECT_EQ(dry.err, real.err);
    EXPECT_EQ(dryConsole.lines, consoleLines(real.out));
    EXPECT_TRUE(splitConsole(real.out).plan.empty()) << real.out;
    EXPECT_EQ(
        describeDifferences(withListsCounted(snapshotTree(library), dryConsole.plan, library), snapshotTree(planned)),
        "");
    fs::remove_all(planned);
}

class DryRun : public ::testing::Test {
protected:
    TempDir dir{"cli"};
    const fs::path library = dir.path() / "music";
};

TEST_F(DryRun, OverTheSampleLibraryThePlanIsTheEffect) {
    generateSampleLibrary(library);
    expectPlanEqualsEffect(library, dir.path());
}

TEST_F(DryRun, OverOldListsOfOtherTracksThePlanIsTheEffect) {
    writeOtherTracksLibrary(library);
    expectPlanEqualsEffect(library, dir.path());
}

TEST_F(DryRun, OverTheSampleLibraryWithABrokenTagThePlanIsTheEffect) {
    generateSampleLibrary(library, {"--with-broken-tag"});
    expectPlanEqualsEffect(library, dir.path());
}

TEST_F(DryRun, AsTheOnlyArgumentItIsAMissingFolderAndOtherwiseOnlyFirst) {
    const ProcessResult alone = runPackagedApplication({"--dry-run"});
    EXPECT_EQ(alone.exitStatus, 2);
    EXPECT_EQ(consoleLines(alone.out).back(), "Please specify directory to work with");

    fs::create_directories(library / "Album");
    writeTrack(library / "Album" / "Track 1.mp3", "1", "A", "B");
    const ProcessResult second = runPackagedApplication({library.string(), "--dry-run"});
    EXPECT_EQ(second.exitStatus, 0);
    EXPECT_EQ(consoleLines(second.out)[2], "Directory: " + library.string());
    EXPECT_TRUE(splitConsole(second.out).plan.empty()) << second.out;
    EXPECT_TRUE(fs::exists(library / "Album" / "01-a-b.mp3"));
}

TEST_F(DryRun, OverAReadOnlyAlbumItPrintsThePlanAndTouchesNothing) {
    const fs::path album = library / "Album";
    fs::create_directories(album);
    writeTrack(album / "Track 1.mp3", "1", "A", "B");
    writeTrack(album / "Track 2.mp3", "1", "A", "B");
    writeFileBytes(album / "Front.JPG", "image");
    writeFileBytes(album / "old.sfv", "old");
    makeReadOnlyForOthers(dir.path(), album);
    const TreeSnapshot before = snapshotTree(library);
    const auto timesBefore = entryTimes(library);

    // Root may change the album: the plan is the whole tidying.
    const ProcessResult asRoot = runPackagedApplication({"--dry-run", library.string()});
    EXPECT_EQ(asRoot.exitStatus, 0) << asRoot.err;
    const PlannedConsole rootConsole = splitConsole(asRoot.out);
    // Track 1 renamed, track 2 refused its name, the playlist written, the old checksum list
    // deleted and the new one written, the image renamed.
    EXPECT_EQ(rootConsole.plan.size(), 6u) << asRoot.out;
    EXPECT_EQ(describeDifferences(before, snapshotTree(library)), "");
    EXPECT_EQ(entryTimes(library), timesBefore);

    // Another user may not: the plan says what such a user's run would say and do.
    const ProcessResult probe = runPackagedApplicationUnprivileged({});
    if (probe.exitStatus != 2)
        GTEST_SKIP() << "the runtime or the application cannot be run as an unprivileged user: " << probe.err;
    const ProcessResult dry = runPackagedApplicationUnprivileged({"--dry-run", library.string()});
    EXPECT_EQ(describeDifferences(before, snapshotTree(library)), "");
    EXPECT_EQ(entryTimes(library), timesBefore);
    const ProcessResult real = runPackagedApplicationUnprivileged({library.string()});
    EXPECT_EQ(describeDifferences(before, snapshotTree(library)), "");
    EXPECT_EQ(dry.exitStatus, 1);
    EXPECT_EQ(dry.exitStatus, real.exitStatus);
    EXPECT_EQ(dry.err, real.err);
    EXPECT_EQ(splitConsole(dry.out).lines, consoleLines(real.out));
}

TEST_F(DryRun, ListAndImageNamesTooLongForTheFileSystemAreForeseenWithTheRunsWords) {
    // 250 bytes: the tracks' names fit, "00-" and the name and an extension do not.
    const fs::path album = library / std::string(250, 'n');
    fs::create_directories(album);
    writeTrack(album / "Track 1.mp3", "1", "A", "B");
    writeFileBytes(album / "Front.jpg", "image");
    writeFileBytes(album / "old.m3u", "old");
    const ProcessResult dry = runPackagedApplication({"--dry-run", library.string()});
    EXPECT_EQ(dry.exitStatus, 1);
    EXPECT_NE(dry.err.find("Cannot write the playlist of " + album.string()), std::string::npos) << dry.err;
    EXPECT_NE(dry.err.find("File name too long"), std::string::npos) << dry.err;
    expectPlanEqualsEffect(library, dir.path());
}

// What a run killed in the middle of a rename through a spare name leaves: the entry under the
// spare name and a record of its old and new names beside it. The next run gives it its name back
// before anything else, and the dry run plans just that.
TEST_F(DryRun, EntriesLeftUnderSpareNamesGetTheirNamesBackAsPlanned) {
    const fs::path album = library / "Album";
    fs::create_directories(album);
    const std::string spare = ".renaming-0f8fad5b-d9cb-469f-a165-70867728950e";
    writeTrack(album / spare, "1", "A", "B");
    writeFileBytes(album / (spare + ".name"), std::string("Track 1.mp3\0track 1.mp3", 23));
    // One left by a run that kept no record: it is reported, run after run.
    const std::string unknown = ".renaming-9b2c1f00-0000-4000-8000-000000000001";
    writeFileBytes(album / unknown, "x");

    const ProcessResult dry = runPackagedApplication({"--dry-run", library.string()});
    EXPECT_EQ(dry.exitStatus, 1);
    EXPECT_EQ(dry.err, (album / unknown).string() +
                           " is an entry that an interrupted run left under a spare name; its old name is not "
                           "known, so it keeps that name\n");
    const PlannedConsole console = splitConsole(dry.out);
    ASSERT_GE(console.plan.size(), 3u) << dry.out;
    EXPECT_EQ(console.plan[0], (std::vector<std::string>{"rename", (album / spare).string(), "Track 1.mp3"}));
    EXPECT_EQ(console.plan[1], (std::vector<std::string>{"delete", (album / (spare + ".name")).string()}));
    EXPECT_EQ(console.plan[2], (std::vector<std::string>{"rename", (album / "Track 1.mp3").string(), "01-a-b.mp3"}));
    expectPlanEqualsEffect(library, dir.path());
    EXPECT_TRUE(fs::exists(album / "01-a-b.mp3"));
    EXPECT_FALSE(fs::exists(album / spare));
}

// The plan keeps only the album it works on: a 32 MiB heap holds the plan of any number of albums.
TEST_F(DryRun, OverAHundredThousandTracksASmallHeapIsEnough) {
    constexpr int kAlbums = 1000;
    constexpr int kTracksPerAlbum = 100;
    // One album's tracks are written; the other albums hold links to them, which the dry run,
    // reading only tags, cannot tell from copies.
    const fs::path first = library / "Album 0";
    fs::create_directories(first);
    // Names as long as a collection's usually are.
    auto trackName = [](int t) { return "Track " + std::to_string(t) + " - The Artist Of It All - A Song Title.mp3"; };
    for (int t = 0; t < kTracksPerAlbum; ++t)
        writeTrack(first / trackName(t), std::to_string(t), "The Artist Of It All",
                   "A Song Title " + std::to_string(t));
    for (int a = 1; a < kAlbums; ++a) {
        const fs::path album = library / ("Album " + std::to_string(a));
        fs::create_directory(album);
        for (int t = 0; t < kTracksPerAlbum; ++t) fs::create_hard_link(first / trackName(t), album / trackName(t));
    }

    const ProcessResult dry =
        runPackagedApplicationInLocale({"LC_ALL=C.UTF-8"}, {"-Xmx32m"}, {"--dry-run", library.string()});
    EXPECT_EQ(dry.exitStatus, 0);
    EXPECT_EQ(dry.err, "");
    const PlannedConsole console = splitConsole(dry.out);
    // Every track renamed, and a playlist and a checksum list written in every album.
    EXPECT_EQ(console.plan.size(), static_cast<std::size_t>(kAlbums * (kTracksPerAlbum + 2)));
    EXPECT_TRUE(fs::exists(first / trackName(0)));
}

class DryRunOverARandomLibrary : public ::testing::TestWithParam<unsigned> {};

TEST_P(DryRunOverARandomLibrary, ThePlanIsTheEffect) {
    TempDir dir("cli");
    const fs::path library = dir.path() / "music";
    writeCollidingLibrary(library, GetParam());
    expectPlanEqualsEffect(library, dir.path());
}

INSTANTIATE_TEST_SUITE_P(Seeds, DryRunOverARandomLibrary, ::testing::Range(1u, 33u));

}  // namespace
