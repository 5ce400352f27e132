// Another program creates files under the names that a run gives tracks, while the run works: it
// watches the album folders and, the moment the run opens a track to read its tag, takes the
// track's new name. Across 100 albums no file of the other program is ever replaced, and each race
// that the run loses leaves the track under its old name without a word, as a taken name does.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <atomic>
#include <iostream>
#include <map>
#include <set>
#include <thread>

#include "application_run.h"
#include "file_bytes.h"
#include "temp_dir.h"
#include "track_files.h"

namespace {

namespace fs = std::filesystem;

const char kTheirs[] = "the other program's own file";
const char kOldName[] = "Track 1.mp3";
const char kNewName[] = "01-a-b.mp3";

// Watches the albums and takes each one's new track name when the run opens its track.
class NameTaker {
public:
    explicit NameTaker(const std::vector<fs::path>& albums) : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {
        for (const fs::path& album : albums) albums_[::inotify_add_watch(fd_, album.c_str(), IN_OPEN)] = album;
        thread_ = std::thread([this] { watch(); });
    }
    ~NameTaker() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        ::close(fd_);
    }
    bool watching() const { return fd_ >= 0 && albums_.count(-1) == 0; }

    // The albums in which it took the name before the run could.
    std::set<fs::path> taken() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
        return taken_;
    }

private:
    void watch() {
        alignas(inotify_event) char buffer[64 * 1024];
        while (!stop_) {
            pollfd ready{fd_, POLLIN, 0};
            if (::poll(&ready, 1, 50) <= 0) continue;
            const ssize_t length = ::read(fd_, buffer, sizeof buffer);
            for (ssize_t at = 0; at < length;) {
                const auto* event = reinterpret_cast<const inotify_event*>(buffer + at);
                at += sizeof(inotify_event) + event->len;
                if (event->len == 0 || std::string(event->name) != kOldName) continue;
                const fs::path album = albums_[event->wd];
                const int file = ::open((album / kNewName).c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
                if (file < 0) continue;  // the run was first
                const bool written = ::write(file, kTheirs, sizeof kTheirs - 1) == sizeof kTheirs - 1;
                ::close(file);
                if (written) taken_.insert(album);
            }
        }
    }

    int fd_;
    std::map<int, fs::path> albums_;
    std::set<fs::path> taken_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

TEST(RenameRace, ANameTakenWhileTheRunWorksIsNeverReplaced) {
    const TempDir dir("cli");
    const fs::path root = dir.path() / "music";
    std::vector<fs::path> albums;
    for (int a = 0; a < 100; ++a) {
        albums.push_back(root / ("Album " + std::to_string(a)));
        fs::create_directories(albums.back());
        writeTrack(albums.back() / kOldName, "1", "A", "B");
    }
    const std::string track = readFileBytes(albums.front() / kOldName);

    NameTaker taker(albums);
    ASSERT_TRUE(taker.watching());
    const ProcessResult result = runPackagedApplication({root.string()});
    const std::set<fs::path> taken = taker.taken();

    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.err, "");
    for (const fs::path& album : albums) {
        SCOPED_TRACE(album.string());
        // Compared as flags: the track's bytes would flood the output.
        const bool newNameIsTheTrack = readFileBytes(album / kNewName) == track;
        if (taken.count(album)) {
            EXPECT_FALSE(newNameIsTheTrack) << "the other program's file was replaced";
            EXPECT_EQ(readFileBytes(album / kNewName), kTheirs);
            EXPECT_TRUE(fs::exists(album / kOldName) && readFileBytes(album / kOldName) == track)
                << "the track lost its old name";
        } else {
            EXPECT_TRUE(newNameIsTheTrack);
            EXPECT_FALSE(fs::exists(album / kOldName));
        }
    }
    std::cout << "races lost to the other program: " << taken.size() << " of " << albums.size() << "\n";
    ::testing::Test::RecordProperty("RacesLost", static_cast<int>(taken.size()));
}

}  // namespace
