#include "walk_cost.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <stdexcept>

#include "timed_run.h"

namespace fs = std::filesystem;

namespace {

constexpr char kHeap[] = "-Xmx64m";

// The application with the options and the folder given.
std::vector<std::string> runOf(const std::vector<std::string>& application, const std::vector<std::string>& options,
                               const fs::path& folder) {
    std::vector<std::string> command = application;
    command.insert(command.end(), options.begin(), options.end());
    command.push_back(folder.string());
    return command;
}

// The playlists a dry run's plan writes: one for each album it took ("write", path, line count).
std::size_t plannedPlaylists(const fs::path& output) {
    std::ifstream plan(output);
    std::size_t count = 0;
    for (std::string line; std::getline(plan, line);) {
        const std::size_t pathEnd = line.rfind('\t');
        if (line.rfind("write\t", 0) == 0 && pathEnd >= 4 && line.compare(pathEnd - 4, 4, ".m3u") == 0) ++count;
    }
    return count;
}

// The largest "after" of the "<before>-><after>(<size>)" figures of a collection log, in MiB; -1 when
// it holds none.
double mostAfterCollection(const fs::path& log) {
    std::ifstream lines(log);
    double most = -1;
    for (std::string line; std::getline(lines, line);) {
        const std::size_t arrow = line.find("->");
        if (arrow == std::string::npos || !std::isdigit(static_cast<unsigned char>(line[arrow + 2]))) continue;
        std::size_t unitAt = 0;
        const double after = std::stod(line.substr(arrow + 2), &unitAt);
        const char unit = line[arrow + 2 + unitAt];
        most = std::max(most, unit == 'K' ? after / 1024 : unit == 'G' ? after * 1024 : after);
    }
    return most;
}

}  // namespace

RecursiveWalkFigures measureRecursiveWalk(const std::vector<std::string>& application, const FolderTree& tree, int runs,
                                          const fs::path& workFolder) {
    RecursiveWalkFigures figures;
    figures.tree = tree;
    std::vector<std::string> inHeap = application;
    inHeap.insert(inHeap.begin() + 1, kHeap);  // before the delivered options, which set no heap
    const fs::path output = workFolder / "recursive-dry-run";
    const fs::path collections = workFolder / "recursive-dry-run-gc";
    std::vector<std::string> logged = inHeap;
    logged.insert(logged.begin() + 1, "-Xlog:gc:file=" + collections.string());
    figures.dryRun = medianOf(runs, [&] {
        return timedRun(runOf(logged, {"--recursive", "--dry-run"}, tree.root), {}, output);
    });
    figures.albumsFound = plannedPlaylists(output);
    figures.mostHeapAfterCollection = mostAfterCollection(collections);
    fs::remove(output);
    fs::remove(collections);
    if (figures.albumsFound != tree.albums)
        throw std::runtime_error("the --recursive dry run planned " + std::to_string(figures.albumsFound) +
                                 " playlists in a tree of " + std::to_string(tree.albums) + " albums");
    figures.realRun = timedRun(runOf(inHeap, {"--recursive"}, tree.root));
    return figures;
}

TracksBelowCheckFigures measureTracksBelowCheck(const std::vector<std::string>& application, const LibrarySize& size,
                                                int runs, const fs::path& workFolder) {
    TracksBelowCheckFigures figures;
    figures.flac = makeAlbumLibrary(workFolder / "flac", TrackKind::flac, size);
    const FolderTree mp3 = makeAlbumLibrary(workFolder / "mp3", TrackKind::mp3, size);
    const auto dryRun = [&](const FolderTree& library) {
        return timedRun(runOf(application, {"--dry-run"}, library.root));
    };
    dryRun(figures.flac);  // warms the cache
    dryRun(mp3);
    // In turn, so that a drift of the machine's speed falls on both.
    std::vector<double> flacRuns;
    std::vector<double> mp3Runs;
    for (int i = 0; i < runs; ++i) {
        flacRuns.push_back(dryRun(figures.flac));
        mp3Runs.push_back(dryRun(mp3));
    }
    figures.flacDryRun = median(flacRuns);
    figures.mp3DryRun = median(mp3Runs);
    fs::remove_all(figures.flac.root);
    fs::remove_all(mp3.root);
    return figures;
}
