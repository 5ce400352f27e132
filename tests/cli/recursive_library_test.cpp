// Libraries of artist folders with their albums inside: with --recursive every folder that holds an
// MP3 track of its own is tidied as a flat run tidies an album, and nothing else is touched; without
// it such a library is left alone with a hint. The options in every order on the command line.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>

#include "application_run.h"
#include "file_bytes.h"
#include "library_outcome.h"
#include "planned_run.h"
#include "run_process.h"
#include "temp_dir.h"
#include "track_files.h"
#include "tree_snapshot.h"

namespace {

namespace fs = std::filesystem;

// What the run prints in place of the album list over such a library.
std::string hintLine(const std::string& shownFolder) {
    return "No album folder here holds an MP3 track, but folders below them do: for Artist/Album folders, run: "
           "dovatrik --recursive \"" +
           shownFolder + "\"";
}

void addEntries(const fs::path& root, const fs::path& folder, TreeSnapshot& tree) {
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        const std::string key = entry.path().lexically_relative(root).generic_string();
        if (entry.is_symlink()) {
            tree[key] = "link to " + fs::read_symlink(entry.path()).string();
        } else if (entry.is_directory()) {
            tree[key + "/"] = "";
            addEntries(root, entry.path(), tree);
        } else {
            tree[key] = readFileBytes(entry.path());
        }
    }
}

// Every entry below `root`, a link as its target: snapshotTree reads through links.
TreeSnapshot snapshotWithLinks(const fs::path& root) {
    TreeSnapshot tree;
    addEntries(root, root, tree);
    return tree;
}

// The folder of a snapshot's key, "" for the top.
std::string folderOf(const std::string& key) {
    const std::string path = key.back() == '/' ? key.substr(0, key.size() - 1) : key;
    return fs::path(path).parent_path().generic_string();
}

bool isOwnFile(const TreeSnapshot::value_type& entry, const std::string& folder) {
    return folderOf(entry.first) == folder && entry.first.back() != '/' && entry.second.rfind("link to ", 0) != 0;
}

// The album folders, by path below the music folder, that a --recursive run tidies in the library
// that writeArtistLibrary writes.
const std::set<std::string> kAlbums{"Artist One", "Artist One/Album A", "Artist One/Album B",
                                    "Artist Two/Double Album/CD1", "Artist Two/Double Album/CD2"};
// An old list of the artist folder that names tracks in its albums: every run keeps it.
const std::string kArtistList = "Artist One/best of.m3u";
// A single that a run leaves under its name.
const std::string kSingle = "01-artist_one-single.mp3";

// An Artist/Album library as it grows: artist pictures, a multi-disc album whose list names its
// discs' tracks, a FLAC album, a hidden folder and a recycle bin with tracks in them, a link back
// to the top and a link to an album outside (written in `elsewhere`). With a loose single, the
// first artist folder holds a track of its own.
void writeArtistLibrary(const fs::path& root, const fs::path& elsewhere, bool looseSingle) {
    const fs::path one = root / "Artist One";
    fs::create_directories(one / "Album A");
    fs::create_directories(one / "Album B");
    fs::create_directories(one / ".hidden");
    writeFileBytes(one / "artist.jpg", "artist picture");
    writeFileBytes(root / kArtistList, "Album A\\Track 1.mp3\r\nAlbum B\\B1 First.mp3\r\n");
    if (looseSingle) writeTrack(one / kSingle, "1", "Artist One", "Single");
    writeTrack(one / "Album A" / "Track 1.mp3", "1", "Artist One", "Song");
    writeTrack(one / "Album A" / "Track 2.mp3", "2", "Artist One", "Tune");
    writeFileBytes(one / "Album A" / "Front.JPG", "front cover");
    writeFileBytes(one / "Album A" / "notes.txt", "notes");
    writeFileBytes(one / "Album A" / "old.m3u", "Track 1.mp3\nTrack 2.mp3\n");
    writeTrack(one / "Album B" / "B1 First.mp3", "1", "Artist One", "First");
    writeTrack(one / ".hidden" / "Secret.mp3", "1", "Hidden", "Secret");

    const fs::path two = root / "Artist Two";
    const fs::path discs = two / "Double Album";
    fs::create_directories(discs / "CD1");
    fs::create_directories(discs / "CD2");
    fs::create_directories(two / "FLAC Album");
    fs::create_directories(two / "$RECYCLE.BIN" / "S-1-5-21");
    writeFileBytes(two / "Photo.JPG", "artist photo");
    writeFileBytes(discs / "Front.jpg", "double cover");
    writeFileBytes(discs / "album.m3u", "CD1\\Track 1.mp3\r\nCD1\\Track 2.mp3\r\nCD2\\Track 1.mp3\r\n");
    writeTrack(discs / "CD1" / "Track 1.mp3", "1", "Artist Two", "Opening");
    writeTrack(discs / "CD1" / "Track 2.mp3", "2", "Artist Two", "Middle");
    writeTrack(discs / "CD2" / "Track 1.mp3", "1", "Artist Two", "Closing");
    writeFileBytes(discs / "CD2" / "cd2.m3u", "Track 1.mp3\n");
    writeFileBytes(two / "FLAC Album" / "01 - One.flac", "fLaC one");
    writeFileBytes(two / "FLAC Album" / "flac.m3u", "01 - One.flac\n");
    writeTrack(two / "$RECYCLE.BIN" / "$RA1B2C3.mp3", "1", "Deleted", "Track");
    writeTrack(two / "$RECYCLE.BIN" / "S-1-5-21" / "$RD4E5F6.mp3", "2", "Deleted", "Other");
    writeFileBytes(two / "$RECYCLE.BIN" / "desktop.ini", "[.ShellClassInfo]\n");
    fs::create_directory_symlink("..", two / "Top");
    fs::create_directories(elsewhere / "Outside Album");
    writeTrack(elsewhere / "Outside Album" / "Track 1.mp3", "1", "Outsider", "Song");
    fs::create_directory_symlink(elsewhere / "Outside Album", two / "Borrowed");
}

// The album paths of the album list line, "[a, b]", below the music folder, in the run's order.
std::vector<std::string> listedAlbums(const std::string& line, const fs::path& root) {
    std::vector<std::string> albums;
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') return {"not an album list: " + line};
    const std::string list = line.substr(1, line.size() - 2);
    for (std::size_t start = 0, end = 0; start < list.size(); start = end + 2) {
        end = std::min(list.find(", ", start), list.size());
        albums.push_back(fs::path(list.substr(start, end - start)).lexically_relative(root).generic_string());
    }
    return albums;
}

class RecursiveLibrary : public ::testing::Test {
protected:
    TempDir dir{"cli"};
    const fs::path root = dir.path() / "music";
    const fs::path elsewhere = dir.path() / "elsewhere";
    const fs::path state = dir.path() / "state";
    const fs::path journals = state / "dovatrik" / "journal";

    ProcessResult run(const std::vector<std::string>& arguments) const {
        return runProcess(packagedApplicationCommand(arguments), dir.path().string(),
                          {kApplicationLocale, "XDG_STATE_HOME=" + state.string()});
    }

    // The tree that a --recursive run must leave: each album folder's own files as a flat run
    // leaves them in a library of those albums alone (the artist folder's list of its albums'
    // tracks kept as well), everything else as it was.
    TreeSnapshot tidiedByFlatRuns(const TreeSnapshot& before) const {
        const fs::path flat = dir.path() / "flat";
        for (const std::string& album : kAlbums) {
            // Each album's name is unique in this library: they all fit in one flat library.
            const fs::path copy = flat / fs::path(album).filename();
            fs::create_directories(copy);
            for (const auto& entry : before)
                if (isOwnFile(entry, album) && entry.first != kArtistList)
                    writeFileBytes(copy / fs::path(entry.first).filename(), entry.second);
        }
        const ProcessResult flatRun =
            runProcess(packagedApplicationCommand({flat.string()}), "",
                       {kApplicationLocale, "XDG_STATE_HOME=" + (dir.path() / "flat-state").string()});
        EXPECT_EQ(flatRun.exitStatus, 0) << flatRun.out << flatRun.err;
        const TreeSnapshot flatTree = snapshotWithLinks(flat);

        TreeSnapshot expected;
        for (const auto& entry : before) {
            const std::string folder = folderOf(entry.first);
            if (!kAlbums.count(folder) || !isOwnFile(entry, folder) || entry.first == kArtistList)
                expected.insert(entry);
        }
        for (const std::string& album : kAlbums) {
            const std::string name = fs::path(album).filename().string();
            for (const auto& entry : flatTree)
                if (isOwnFile(entry, name))
                    expected[album + "/" + fs::path(entry.first).filename().string()] = entry.second;
        }
        fs::remove_all(flat);
        return expected;
    }

    // The dry run and then the real run, both with --recursive: the dry run changes nothing and
    // keeps no journal, says what the real run says, and its plan, carried out on a copy, leaves
    // what the real run leaves. Gives the real run's result.
    ProcessResult expectPlanIsTheEffect() const {
        const TreeSnapshot before = snapshotWithLinks(root);
        const ProcessResult dry = run({"--dry-run", "--recursive", root.string()});
        EXPECT_EQ(describeDifferences(before, snapshotWithLinks(root)), "");
        EXPECT_FALSE(fs::exists(journals));

        const fs::path planned = dir.path() / "planned";
        const ProcessResult copied = runProcess({"cp", "-a", root.string(), planned.string()});
        if (copied.exitStatus != 0) throw std::runtime_error("cp -a failed: " + copied.err);
        const PlannedConsole dryConsole = splitConsole(dry.out);
        EXPECT_FALSE(dryConsole.plan.empty()) << dry.out;
        applyPlan(dryConsole.plan, root, planned);

        const ProcessResult real = run({"--recursive", root.string()});
        EXPECT_EQ(dry.exitStatus, real.exitStatus);
        EXPECT_EQ(dry.err, real.err);
        EXPECT_EQ(dryConsole.lines, consoleLines(real.out));
        EXPECT_EQ(describeDifferences(withListsCounted(snapshotWithLinks(root), dryConsole.plan, root),
                                      snapshotWithLinks(planned)),
                  "");
        return real;
    }
};

TEST_F(RecursiveLibrary, EveryFolderOfTracksIsTidiedAsAnAlbumAndNothingElseIsTouched) {
    writeArtistLibrary(root, elsewhere, true);
    const TreeSnapshot before = snapshotWithLinks(root);
    const TreeSnapshot outsideBefore = snapshotWithLinks(elsewhere);
    const TreeSnapshot expected = tidiedByFlatRuns(before);

    const ProcessResult result = run({"--recursive", root.string()});
    EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
    // Neither the link back to the top nor the one to the album outside is reported.
    EXPECT_EQ(result.err, "");
    const std::vector<std::string> console = consoleLines(result.out);
    // Then a line for each image and info file renamed.
    ASSERT_GE(console.size(), 5u) << result.out;
    EXPECT_EQ(console[2], "Directory: " + root.string());
    EXPECT_EQ(console.back(), kClosing);
    const std::vector<std::string> albums = listedAlbums(console[3], root);
    EXPECT_EQ(std::set<std::string>(albums.begin(), albums.end()), kAlbums) << console[3];
    EXPECT_EQ(albums.size(), kAlbums.size()) << console[3];
    // Depth first: a folder comes before the folders below it.
    for (std::size_t i = 0; i < albums.size(); ++i)
        for (std::size_t j = 0; j < i; ++j)
            EXPECT_NE(albums[i] + "/", albums[j].substr(0, albums[i].size() + 1)) << console[3];

    const TreeSnapshot after = snapshotWithLinks(root);
    EXPECT_EQ(describeDifferences(withSortedLists(expected), withSortedLists(after)), "");
    EXPECT_EQ(describeDifferences(outsideBefore, snapshotWithLinks(elsewhere)), "");
    // The flat runs tidied them: the tracks have their tags' names.
    for (const char* track :
         {"Artist One/01-artist_one-single.mp3", "Artist One/Album A/01-artist_one-song.mp3",
          "Artist One/Album B/b1-artist_one-first.mp3", "Artist Two/Double Album/CD1/02-artist_two-middle.mp3",
          "Artist Two/Double Album/CD2/01-artist_two-closing.mp3"})
        EXPECT_EQ(after.count(track), 1u) << track;
}

TEST_F(RecursiveLibrary, ADryRunPlansExactlyWhatTheRunDoes) {
    writeArtistLibrary(root, elsewhere, true);
    expectPlanIsTheEffect();
}

// An album's sub-folder named like an image or an info file is an album of its own as well: the
// image and info steps of the album above it leave it its name, so that its turn finds it, and the
// dry run plans what the run does.
TEST_F(RecursiveLibrary, AlbumsNamedLikeImagesOrInfoFilesBelowAnAlbumAreTidiedToo) {
    const fs::path album = root / "Album";
    fs::create_directories(album / "Scans.jpg");
    fs::create_directories(album / "Notes.txt");
    writeTrack(album / "Track 1.mp3", "1", "Band", "One");
    writeTrack(album / "Scans.jpg" / "Track 1.mp3", "2", "Band", "Two");
    writeTrack(album / "Notes.txt" / "Track 1.mp3", "3", "Band", "Three");
    const ProcessResult real = expectPlanIsTheEffect();
    EXPECT_EQ(real.exitStatus, 0);
    EXPECT_EQ(real.err, "");
    std::set<std::string> tracks;
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
        if (entry.path().extension() == ".mp3") tracks.insert(entry.path().filename().string());
    EXPECT_EQ(tracks, (std::set<std::string>{"01-band-one.mp3", "02-band-two.mp3", "03-band-three.mp3"}));
}

TEST_F(RecursiveLibrary, AnUndoGivesTheTreeBackAndASecondRunChangesNothing) {
    writeArtistLibrary(root, elsewhere, true);
    const TreeSnapshot before = snapshotWithLinks(root);
    ASSERT_EQ(run({"--recursive", root.string()}).exitStatus, 0);
    const TreeSnapshot afterFirst = snapshotWithLinks(root);
    ASSERT_NE(describeDifferences(before, afterFirst), "");

    const ProcessResult second = run({"--recursive", root.string()});
    EXPECT_EQ(second.exitStatus, 0) << second.err;
    EXPECT_EQ(describeDifferences(withSortedLists(afterFirst), withSortedLists(snapshotWithLinks(root))), "");

    for (int undo = 0; undo < 2; ++undo) {
        const ProcessResult undone = run({"--undo", root.string()});
        EXPECT_EQ(undone.exitStatus, 0) << undone.out << undone.err;
        EXPECT_EQ(undone.err, "");
    }
    EXPECT_EQ(describeDifferences(before, snapshotWithLinks(root)), "");
    EXPECT_EQ(lines(run({"--undo", root.string()}).out).back(), "Nothing to undo in " + root.string());
}

// The folder as given, absolute or relative, is named in the hint as the Directory line shows it.
TEST_F(RecursiveLibrary, WithoutRecursiveArtistFoldersAreLeftAloneWithAHint) {
    writeArtistLibrary(root, elsewhere, false);
    const TreeSnapshot before = snapshotWithLinks(root);
    const std::vector<std::pair<std::vector<std::string>, std::string>> runs{
        {{root.string()}, root.string()},
        {{"--dry-run", root.string()}, root.string()},
        {{"music"}, "music"},
        {{"--dry-run", "./music"}, "./music"}};
    for (const auto& [arguments, shown] : runs) {
        SCOPED_TRACE(arguments.front());
        const ProcessResult result = run(arguments);
        EXPECT_EQ(result.exitStatus, 1);
        EXPECT_EQ(result.err, "");
        const std::vector<std::string> console = consoleLines(result.out);
        ASSERT_EQ(console.size(), 4u) << result.out;
        EXPECT_EQ(console[2], "Directory: " + shown);
        EXPECT_EQ(console[3], hintLine(shown));
        EXPECT_EQ(describeDifferences(before, snapshotWithLinks(root)), "");
        EXPECT_FALSE(fs::exists(journals));
    }
}

// A run made while the first artist folder still held a single of its own littered the artist
// folders; with the single gone the hint would stop a run, but never an undo.
TEST_F(RecursiveLibrary, AnUndoTakesBackAnEarlierRunThatLitteredTheArtistFolders) {
    writeArtistLibrary(root, elsewhere, true);
    TreeSnapshot before = snapshotWithLinks(root);
    ASSERT_EQ(run({root.string()}).exitStatus, 0);
    ASSERT_TRUE(fs::exists(root / "Artist Two" / "00-artist two.m3u"));
    ASSERT_TRUE(fs::exists(root / "Artist One" / kSingle));
    fs::rename(root / "Artist One" / kSingle, dir.path() / kSingle);
    before.erase("Artist One/" + kSingle);
    const TreeSnapshot littered = snapshotWithLinks(root);
    EXPECT_NE(run({"--dry-run", root.string()}).out.find(hintLine(root.string())), std::string::npos);
    EXPECT_EQ(describeDifferences(littered, snapshotWithLinks(root)), "");

    const ProcessResult undo = run({"--undo", root.string()});
    EXPECT_EQ(undo.exitStatus, 0) << undo.out << undo.err;
    EXPECT_EQ(undo.err, "");
    EXPECT_EQ(undo.out.find("No album folder"), std::string::npos) << undo.out;
    EXPECT_EQ(describeDifferences(before, snapshotWithLinks(root)), "");
}

// The arguments' orders, run in a folder that holds the library under the name given: music, or a
// name that is also an option's.
enum class Tree { Original, Tidied };

struct ArgumentsCase {
    const char* name;
    std::vector<std::string> arguments;
    const char* library;
    Tree start;  // Tidied: a plain run over the library came before
    int status;
    const char* directory;  // the folder the Directory line names; "" for none
    Tree end;
    bool changeLines;      // whether the output tells change by change (a plan, or an undo)
    std::string lastLine;  // "" for not checked
};

const std::string kNoFolder = "Please specify directory to work with";
const std::string kNotAFolder = "Don't fool me - this is not a directory";
const std::string kVersion = "Dovatrik " PROJECT_VERSION;

void PrintTo(const ArgumentsCase& c, std::ostream* out) { *out << c.name; }

class Arguments : public ::testing::TestWithParam<ArgumentsCase> {};

bool isChangeLine(const std::string& line) {
    for (const char* verb : {"rename\t", "taken\t", "delete\t", "write\t", "restore\t"})
        if (line.rfind(verb, 0) == 0) return true;
    return false;
}

TEST_P(Arguments, AreReadInAnyOrderUpToTheMusicFolder) {
    const ArgumentsCase& c = GetParam();
    TempDir dir("cli");
    const fs::path library = dir.path() / c.library;
    fs::create_directories(library / "Album");
    writeTrack(library / "Album" / "Track 1.mp3", "1", "A", "B");
    const TreeSnapshot original = snapshotTree(library);
    const std::vector<std::string> environment{kApplicationLocale, "XDG_STATE_HOME=" + (dir.path() / "state").string()};
    auto run = [&](const std::vector<std::string>& arguments) {
        return runProcess(packagedApplicationCommand(arguments), dir.path().string(), environment);
    };
    if (c.start == Tree::Tidied) ASSERT_EQ(run({"./" + std::string(c.library)}).exitStatus, 0);
    const TreeSnapshot start = snapshotTree(library);

    const ProcessResult result = run(c.arguments);
    EXPECT_EQ(result.exitStatus, c.status) << result.out << result.err;
    EXPECT_EQ(result.err, "");
    const std::vector<std::string> console = consoleLines(result.out);
    ASSERT_FALSE(console.empty());
    const std::string directory = std::string("Directory: ") + c.directory;
    EXPECT_EQ(std::count(console.begin(), console.end(), directory), *c.directory ? 1 : 0) << result.out;
    if (!*c.directory)
        for (const std::string& line : console) EXPECT_EQ(line.rfind("Directory: ", 0), std::string::npos) << line;
    EXPECT_EQ(std::any_of(console.begin(), console.end(), isChangeLine), c.changeLines) << result.out;
    if (!c.lastLine.empty()) EXPECT_EQ(console.back(), c.lastLine);

    const TreeSnapshot end = snapshotTree(library);
    if (c.end == Tree::Original) {
        EXPECT_EQ(describeDifferences(original, end), "");
    } else if (c.start == Tree::Tidied) {
        EXPECT_EQ(describeDifferences(start, end), "");
    } else {
        std::set<std::string> names;
        for (const auto& entry : end) names.insert(entry.first);
        EXPECT_EQ(names,
                  (std::set<std::string>{"Album/", "Album/00-album.m3u", "Album/00-album.sfv", "Album/01-a-b.mp3"}));
    }
}

const Tree O = Tree::Original;
const Tree T = Tree::Tidied;

INSTANTIATE_TEST_SUITE_P(
    Table, Arguments,
    ::testing::Values(
        ArgumentsCase{
            "RecursiveThenDryRun", {"--recursive", "--dry-run", "music"}, "music", O, 0, "music", O, true, kClosing},
        ArgumentsCase{
            "DryRunThenRecursive", {"--dry-run", "--recursive", "music"}, "music", O, 0, "music", O, true, kClosing},
        ArgumentsCase{"UndoThenDryRun", {"--undo", "--dry-run", "music"}, "music", T, 0, "music", T, true, ""},
        ArgumentsCase{"DryRunThenUndo", {"--dry-run", "--undo", "music"}, "music", T, 0, "music", T, true, ""},
        ArgumentsCase{"UndoThenRecursive", {"--undo", "--recursive", "music"}, "music", T, 0, "music", O, true, ""},
        ArgumentsCase{"RecursiveThenUndo", {"--recursive", "--undo", "music"}, "music", T, 0, "music", O, true, ""},
        ArgumentsCase{"AllThreeInAnotherOrder",
                      {"--undo", "--recursive", "--dry-run", "music"},
                      "music",
                      T,
                      0,
                      "music",
                      T,
                      true,
                      ""},
        // An option read already is the music folder; what follows it is ignored.
        ArgumentsCase{"DryRunTwiceIsADryRunOverAFolderOfThatName",
                      {"--dry-run", "--dry-run", "music"},
                      "--dry-run",
                      O,
                      0,
                      "--dry-run",
                      O,
                      true,
                      kClosing},
        ArgumentsCase{"RecursiveTwiceIsARunOverAFolderOfThatName",
                      {"--recursive", "--recursive", "music"},
                      "--recursive",
                      O,
                      0,
                      "--recursive",
                      T,
                      false,
                      kClosing},
        ArgumentsCase{"OptionsAlone", {"--dry-run", "--recursive", "--undo"}, "music", O, 2, "", O, false, kNoFolder},
        ArgumentsCase{"RecursiveAlone", {"--recursive"}, "music", O, 2, "", O, false, kNoFolder},
        ArgumentsCase{"UndoAlone", {"--undo"}, "music", T, 2, "", T, false, kNoFolder},
        ArgumentsCase{"VersionFirst", {"--version", "--dry-run", "music"}, "music", O, 0, "", O, false, kVersion},
        ArgumentsCase{"VersionAfterAnOptionIsTheFolder",
                      {"--dry-run", "--version", "music"},
                      "music",
                      O,
                      1,
                      "--version",
                      O,
                      false,
                      kNotAFolder},
        ArgumentsCase{
            "VersionAfterTheFolderIsIgnored", {"music", "--version"}, "music", O, 0, "music", T, false, kClosing},
        ArgumentsCase{
            "DryRunAfterTheFolderIsIgnored", {"music", "--dry-run"}, "music", O, 0, "music", T, false, kClosing},
        ArgumentsCase{"UndoAfterTheFolderIsIgnored", {"music", "--undo"}, "music", O, 0, "music", T, false, kClosing},
        ArgumentsCase{"AFolderNamedLikeAnOptionGivenAsAPath",
                      {"./--recursive"},
                      "--recursive",
                      O,
                      0,
                      "./--recursive",
                      T,
                      false,
                      kClosing},
        ArgumentsCase{"RecursiveOverAFolderNamedLikeIt",
                      {"--recursive", "./--recursive"},
                      "--recursive",
                      O,
                      0,
                      "./--recursive",
                      T,
                      false,
                      kClosing}),
    [](const ::testing::TestParamInfo<ArgumentsCase>& info) { return std::string(info.param.name); });

}  // namespace
