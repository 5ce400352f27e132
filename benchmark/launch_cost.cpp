#include "launch_cost.h"

#include <cstdlib>
#include <iostream>
#include <vector>

#include "timed_run.h"

namespace fs = std::filesystem;

namespace {

void runPrefixScript(const fs::path& prefix, const char* mode)
{
    timedRun({CMAKE_COMMAND, std::string("-DMODE=") + mode, "-DPREFIX=" + prefix.string(), "-P", WINE_PREFIX_SCRIPT});
}

// The packaged launcher finds its runtime relative to the folder it is started from.
double startUnderWine(const fs::path& program)
{
    return timedRun({"wine", program.string()}, program.parent_path());
}

} // namespace

WineSession::WineSession(const fs::path& prefix) : prefix_(prefix)
{
    ::setenv("WINEPREFIX", prefix.c_str(), 1);
    ::setenv("WINEDEBUG", "-all", 1);
    ::setenv("WINEDLLOVERRIDES", "mscoree,mshtml=", 1);
    runPrefixScript(prefix_, "start");
}

WineSession::~WineSession()
{
    try {
        runPrefixScript(prefix_, "stop");
    } catch (const std::exception& error) {
        std::cerr << "benchmark: the wine server of " << prefix_ << " may still run: " << error.what() << "\n";
    }
}

LaunchFigures measureLaunches(const LaunchPrograms& programs, int runs)
{
    std::vector<double> trivial, standin, packaged;
    for (int round = 0; round <= runs; ++round) {
        const double times[] = {startUnderWine(programs.trivial), startUnderWine(programs.standin),
                                startUnderWine(programs.packaged)};
        if (round == 0)
            continue;
        trivial.push_back(times[0]);
        standin.push_back(times[1]);
        packaged.push_back(times[2]);
    }
    return {median(trivial), median(standin), median(packaged)};
}

std::uintmax_t strippedSize(const fs::path& image, const std::string& stripTool, const fs::path& workFolder)
{
    const fs::path copy = workFolder / image.filename();
    fs::copy_file(image, copy, fs::copy_options::overwrite_existing);
    timedRun({stripTool, copy.string()});
    return fs::file_size(copy);
}
