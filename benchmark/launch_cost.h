#pragma once

#include <cstdint>
#include <filesystem>

// The Windows programs whose starts under Wine are set against each other.
struct LaunchPrograms {
    std::filesystem::path trivial;   // ends at once: the cost of one process start
    std::filesystem::path standin;   // the stand-in runtime, as bin/java.exe of a runtime home
    std::filesystem::path packaged;  // the launcher, packaged to start that runtime (folder-relative)
};

// Median seconds of one start of each, under Wine.
struct LaunchFigures {
    double trivial = 0;
    double standin = 0;
    double packaged = 0;
};

// A Wine prefix of the benchmark's own with one wine server kept alive while the object lives, so
// that every start below is a warm one.
class WineSession {
public:
    explicit WineSession(const std::filesystem::path& prefix);
    WineSession(const WineSession&) = delete;
    WineSession& operator=(const WineSession&) = delete;
    ~WineSession();

private:
    std::filesystem::path prefix_;
};

// Starts the three programs in turn, `runs` times after a few seconds of unmeasured rounds, so that
// a drift of the machine's speed touches all three alike.
LaunchFigures measureLaunches(const LaunchPrograms& programs, int runs);

// The size of the image once stripped of symbols (a stripped copy, the image itself is left alone).
std::uintmax_t strippedSize(const std::filesystem::path& image, const std::string& stripTool,
                            const std::filesystem::path& workFolder);
