#include "launch_cost.h"

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <vector>

#include "timed_run.h"

namespace fs = std::filesystem;

namespace {

void runPrefixScript(const fs::path& prefix, const char* mode) {
    timedRun({CMAKE_COMMAND, std::string("-DMODE=") + mode, "-DPREFIX=" + prefix.string(), "-P", WINE_PREFIX_SCRIPT});
}

// The packaged launcher finds its runtime relative to the folder it is started from.
double startUnderWine(const fs::path& program) { return timedRun({"wine", program.string()}, program.parent_path()); }

}  // namespace

WineSession::WineSession(const fs::path& prefix) : prefix_(prefix) {
    ::setenv("WINEPREFIX", prefix.c_str(), 1);
    ::setenv("WINEDEBUG", WINE_DEBUG_SETTING, 1);
    ::setenv("WINEDLLOVERRIDES", WINE_DLL_OVERRIDES, 1);
    runPrefixScript(prefix_, "start");
}

WineSession::~WineSession() {
    try {
        runPrefixScript(prefix_, "stop");
    } catch (const std::exception& error) {
        std::cerr << "benchmark: the wine server of " << prefix_ << " may still run: " << error.what() << "\n";
    }
}

LaunchFigures measureLaunches(const LaunchPrograms& programs, int runs) {
    const auto startAll = [&] {
        return std::vector<double>{startUnderWine(programs.trivial), startUnderWine(programs.standin),
                                   startUnderWine(programs.packaged)};
    };
    // A new prefix's background services keep starting for a few seconds after the prefix is up,
    // and slow every start until they are done.
    const auto settled = std::chrono::steady_clock::now() + std::chrono::seconds(4);
    while (std::chrono::steady_clock::now() < settled) startAll();

    std::vector<double> trivial, standin, packaged;
    for (int round = 0; round < runs; ++round) {
        const std::vector<double> times = startAll();
        trivial.push_back(times[0]);
        standin.push_back(times[1]);
        packaged.push_back(times[2]);
    }
    return {median(trivial), median(standin), median(packaged)};
}

std::uintmax_t strippedSize(const fs::path& image, const std::string& stripTool, const fs::path& workFolder) {
    const fs::path copy = workFolder / image.filename();
    fs::copy_file(image, copy, fs::copy_options::overwrite_existing);
    timedRun({stripTool, copy.string()});
    return fs::file_size(copy);
}
