// Runs over libraries where a step could only do harm or fail unseen: old lists that will not go
// (and the undo of one written over), an album folder that cannot be listed, links back to the
// music folder or above it, and an album path too long for the system. Each is reported, ends with
// status 1 and changes nothing it must not.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <limits.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

#include "application_run.h"
#include "file_bytes.h"
#include "temp_dir.h"
#include "track_files.h"
#include "tree_snapshot.h"

namespace {

namespace fs = std::filesystem;

// Every entry below `tree` but those below `skipped` (a path relative to `tree`, ending in "/").
TreeSnapshot snapshotWithout(const fs::path& tree, const std::string& skipped) {
    TreeSnapshot snapshot = snapshotTree(tree);
    for (auto entry = snapshot.begin(); entry != snapshot.end();)
        entry = entry->first.rfind(skipped, 0) == 0 ? snapshot.erase(entry) : std::next(entry);
    return snapshot;
}

class GuardedLibrary : public ::testing::Test {
protected:
    TempDir dir{"cli"};
    const fs::path root = dir.path() / "music";
    const fs::path album = root / "Album";

    void SetUp() override { fs::create_directories(album); }
};

// Takes the immutable flag off again however the test ends, so that the file can be removed.
class ImmutableFile {
public:
    explicit ImmutableFile(fs::path path) : path_(std::move(path)) {
        set_ = runProcess({"chattr", "+i", path_.string()}).exitStatus == 0;
    }
    ~ImmutableFile() {
        if (set_) runProcess({"chattr", "-i", path_.string()});
    }
    bool set() const { return set_; }

private:
    fs::path path_;
    bool set_ = false;
};

TEST_F(GuardedLibrary, OldListsThatWillNotGoAreReportedAndEndWithStatus1) {
    writeTrack(album / "Track 1.mp3", "1", "A", "B");
    writeFileBytes(album / "old.m3u", "Track 1.mp3\n");
    fs::create_directory(album / "kept.sfv");
    writeFileBytes(album / "kept.sfv" / "inside", "kept");
    const ImmutableFile immutable(album / "old.m3u");
    if (!immutable.set()) GTEST_SKIP() << "chattr +i is refused here (not root, or a file system without the flag)";

    const ProcessResult result = runPackagedApplication({root.string()});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(lines(result.err),
              (std::vector<std::string>{
                  "Cannot delete " + (album / "old.m3u").string() + ": FileSystemException: Operation not permitted",
                  "Cannot delete " + (album / "kept.sfv").string() + ": DirectoryNotEmptyException"}));
    EXPECT_EQ(readFileBytes(album / "old.m3u"), "Track 1.mp3\n");
    EXPECT_EQ(readFileBytes(album / "kept.sfv" / "inside"), "kept");
    EXPECT_EQ(readFileBytes(album / "00-album.m3u"), "01-a-b.mp3\n");
    EXPECT_TRUE(fs::is_regular_file(album / "00-album.sfv"));
    EXPECT_EQ(lines(result.out).back(), kClosing);
}

// In a folder whose entries cannot be removed, the old list of the new list's name stays and the
// new list is written over it; the undo, planned and then made while the folder is still so, gives
// the old list back its bytes and time in place.
TEST_F(GuardedLibrary, AnOldListThatWillNotGoIsWrittenOverAndTheUndoBringsItBack) {
    writeTrack(album / "Track 1.mp3", "1", "A", "B");
    writeFileBytes(album / "00-album.m3u", "an old list\n");
    const TreeSnapshot before = snapshotTree(root);
    const auto oldTime = fs::last_write_time(album / "00-album.m3u");
    const std::string list = (album / "00-album.m3u").string();
    const ImmutableFile immutable(album);
    if (!immutable.set()) GTEST_SKIP() << "chattr +i is refused here (not root, or a file system without the flag)";
    const ProcessResult result = runPackagedApplication({root.string()});
    EXPECT_EQ(result.exitStatus, 1);
    const std::vector<std::string> reported = lines(result.err);
    const std::string refusal = "Cannot delete " + list + ": FileSystemException: Operation not permitted";
    EXPECT_NE(std::find(reported.begin(), reported.end(), refusal), reported.end()) << result.err;
    EXPECT_EQ(readFileBytes(album / "00-album.m3u"), "Track 1.mp3\n");

    for (const std::vector<std::string>& undo :
         {std::vector<std::string>{"--undo", "--dry-run", root.string()}, {"--undo", root.string()}}) {
        const ProcessResult undone = runPackagedApplication(undo);
        EXPECT_EQ(undone.exitStatus, 0) << undone.err;
        EXPECT_EQ(undone.err, "");
        EXPECT_EQ(lines(undone.out).back(), "restore\t" + list);
    }
    EXPECT_EQ(describeDifferences(before, snapshotTree(root)), "");
    EXPECT_EQ(fs::last_write_time(album / "00-album.m3u"), oldTime);
}

// An album its owner may write and enter but not list (mode 300), run by that owner.
TEST_F(GuardedLibrary, AnAlbumThatCannotBeListedIsReportedOnceAndItsListsStay) {
    writeTrack(album / "Track 1.mp3", "1", "A", "B");
    writeFileBytes(album / "00-album.m3u", "Track 1.mp3\n");
    writeFileBytes(album / "00-album.sfv", "; old\n\nTrack 1.mp3 12345678\n");
    const fs::path other = root / "Other";
    fs::create_directory(other);
    writeTrack(other / "Track 1.mp3", "1", "C", "D");
    letOthersIn(dir.path());
    const ProcessResult probe = runPackagedApplicationUnprivileged({});
    if (probe.exitStatus != 2)
        GTEST_SKIP() << "the runtime or the application cannot be run as an unprivileged user: " << probe.err;
    if (::geteuid() == 0) {
        // The unprivileged run is nobody's: the albums become nobody's.
        const passwd* nobody = ::getpwnam("nobody");
        const group* nogroup = ::getgrnam("nogroup");
        ASSERT_TRUE(nobody && nogroup);
        for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
            ASSERT_EQ(::chown(entry.path().c_str(), nobody->pw_uid, nogroup->gr_gid), 0) << entry.path();
    }
    const TreeSnapshot before = snapshotTree(album);
    fs::permissions(album, fs::perms::owner_write | fs::perms::owner_exec);

    const ProcessResult result = runPackagedApplicationUnprivileged({root.string()});
    fs::permissions(album, fs::perms::owner_all);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(lines(result.err), std::vector<std::string>{"Cannot list the entries of " + album.string() +
                                                          ", so it is passed over: AccessDeniedException"});
    EXPECT_EQ(describeDifferences(before, snapshotTree(album)), "");
    EXPECT_TRUE(fs::is_regular_file(other / "01-c-d.mp3"));
    EXPECT_EQ(lines(result.out).back(), kClosing);
}

TEST_F(GuardedLibrary, LinksToTheMusicFolderAndAboveArePassedOver) {
    writeTrack(album / "Track 1.mp3", "1", "A", "B");
    // What the links would reach: tracks, images and info files in the music folder and above it.
    writeTrack(root / "Loose 1.mp3", "1", "Loose", "Track");
    writeFileBytes(root / "Cover.jpg", "image");
    writeFileBytes(root / "notes.txt", "notes");
    writeTrack(dir.path() / "Above 1.mp3", "1", "Above", "Track");
    writeFileBytes(dir.path() / "Front.png", "image");
    // A link to a folder elsewhere is an album like any other.
    const fs::path elsewhere = dir.path() / "elsewhere";
    fs::create_directory(elsewhere);
    writeFileBytes(elsewhere / "Cover.jpg", "image");
    const TreeSnapshot before = snapshotWithout(dir.path(), "music/Album/");
    const std::vector<std::pair<fs::path, fs::path>> links{
        {root / "Loop", "."}, {root / "Up", ".."}, {root / "Linked", elsewhere}};
    for (const auto& [link, target] : links) fs::create_directory_symlink(target, link);

    const ProcessResult result = runPackagedApplication({root.string()});
    // The snapshot reads what a link names as a file: the links go once they are known to be intact.
    for (const auto& [link, target] : links) {
        EXPECT_EQ(fs::read_symlink(link), target);
        fs::remove(link);
    }
    EXPECT_EQ(result.exitStatus, 1);
    const std::vector<std::string> reported = lines(result.err);
    const std::string loop = "Cannot work on " + (root / "Loop").string() + ": it leads to " +
                             fs::canonical(root).string() + ", the music folder or a folder above it";
    const std::string up = "Cannot work on " + (root / "Up").string() + ": it leads to " +
                           fs::canonical(dir.path()).string() + ", the music folder or a folder above it";
    EXPECT_EQ(reported.size(), 2u) << result.err;
    EXPECT_EQ(std::count(reported.begin(), reported.end(), loop), 1) << result.err;
    EXPECT_EQ(std::count(reported.begin(), reported.end(), up), 1) << result.err;
    TreeSnapshot expected = before;
    expected.erase("elsewhere/Cover.jpg");
    expected["elsewhere/00-linked-cover.jpg"] = "image";
    expected["elsewhere/00-linked.m3u"] = "";
    expected["elsewhere/00-linked.sfv"] = readFileBytes(elsewhere / "00-linked.sfv");
    EXPECT_EQ(describeDifferences(expected, snapshotWithout(dir.path(), "music/Album/")), "");
    EXPECT_TRUE(fs::is_regular_file(album / "01-a-b.mp3"));
}

// Removes a folder that no path can name, being too long: through its parent's descriptor.
class FolderBeyondPathLimit {
public:
    FolderBeyondPathLimit(const fs::path& parent, std::string name) : name_(std::move(name)) {
        parent_ = ::open(parent.c_str(), O_RDONLY | O_DIRECTORY);
        made_ = parent_ >= 0 && ::mkdirat(parent_, name_.c_str(), 0755) == 0;
    }
    ~FolderBeyondPathLimit() {
        if (made_) ::unlinkat(parent_, name_.c_str(), AT_REMOVEDIR);
        if (parent_ >= 0) ::close(parent_);
    }
    bool made() const { return made_; }

private:
    std::string name_;
    int parent_ = -1;
    bool made_ = false;
};

TEST_F(GuardedLibrary, AnAlbumWhosePathIsTooLongForTheSystemIsReported) {
    // A music folder whose path leaves room for short names below it, but not for a long one.
    fs::path deep = dir.path();
    while (deep.string().size() < 3850) deep /= std::string(100, 'd');
    const fs::path music = deep / "music";
    fs::create_directories(music / "Album");
    writeTrack(music / "Album" / "Track 1.mp3", "1", "A", "B");
    const std::string longName(250, 'L');
    ASSERT_GT(music.string().size() + 1 + longName.size(), static_cast<std::size_t>(PATH_MAX));
    const FolderBeyondPathLimit tooLong(music, longName);
    ASSERT_TRUE(tooLong.made());

    const ProcessResult result = runPackagedApplication({music.string()});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(lines(result.err),
              std::vector<std::string>{"Cannot open " + (music / longName).string() +
                                       " as an album folder: FileSystemException: File name too long"});
    EXPECT_EQ(lines(result.out).at(3), "[" + (music / "Album").string() + "]");
    EXPECT_TRUE(fs::is_regular_file(music / "Album" / "01-a-b.mp3"));
}

}  // namespace
