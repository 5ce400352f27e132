#include "benchmark_options.h"

#include "generator_options.h"

#include <stdexcept>

const char* const kBenchmarkUsage =
    "usage: dovatrik-benchmark [--albums N] [--tracks N] [--track-bytes N]\n"
    "                          [--small-albums N] [--small-tracks N] [--small-track-bytes N]\n"
    "                          [--runs N] [--launch-runs N] [--scaled-albums N]\n"
    "                          [--tree-folders N] [--tree-albums N] [--flac-albums N] [--flac-tracks N]\n"
    "  The large library has 40 albums of 12 tracks of 4194304 bytes unless told otherwise, the small\n"
    "  one 100 albums of 50 tracks of 16384 bytes. Each figure is the median of --runs runs (3), the\n"
    "  starts under Wine the median of --launch-runs runs (21). --scaled-albums N adds a library of N\n"
    "  albums like the small library's (1000 for 50,000 tracks), to show that the cost per track does\n"
    "  not grow with the library.\n";

namespace {

struct Option {
    const char* name;
    std::size_t limit;
    void (*store)(BenchmarkOptions&, std::size_t);
};

const Option kOptions[] = {
    {"--albums", 100000, [](BenchmarkOptions& o, std::size_t n) { o.large.albums = n; }},
    {"--tracks", 10000, [](BenchmarkOptions& o, std::size_t n) { o.large.tracksPerAlbum = n; }},
    {"--track-bytes", std::size_t{1} << 30, [](BenchmarkOptions& o, std::size_t n) { o.large.trackBytes = n; }},
    {"--small-albums", 100000, [](BenchmarkOptions& o, std::size_t n) { o.small.albums = n; }},
    {"--small-tracks", 10000, [](BenchmarkOptions& o, std::size_t n) { o.small.tracksPerAlbum = n; }},
    {"--small-track-bytes", std::size_t{1} << 30, [](BenchmarkOptions& o, std::size_t n) { o.small.trackBytes = n; }},
    {"--runs", 1000, [](BenchmarkOptions& o, std::size_t n) { o.runs = static_cast<int>(n); }},
    {"--scaled-albums", 100000, [](BenchmarkOptions& o, std::size_t n) { o.scaledAlbums = n; }},
    {"--launch-runs", 10000, [](BenchmarkOptions& o, std::size_t n) { o.launchRuns = static_cast<int>(n); }},
    {"--tree-folders", 1000000, [](BenchmarkOptions& o, std::size_t n) { o.treeFolders = n; }},
    {"--tree-albums", 1000000, [](BenchmarkOptions& o, std::size_t n) { o.treeAlbums = n; }},
    {"--flac-albums", 100000, [](BenchmarkOptions& o, std::size_t n) { o.flac.albums = n; }},
    {"--flac-tracks", 10000, [](BenchmarkOptions& o, std::size_t n) { o.flac.tracksPerAlbum = n; }},
};

}  // namespace

BenchmarkOptions parseBenchmarkOptions(const std::vector<std::string>& arguments) {
    BenchmarkOptions options;
    // Every option takes the argument after it.
    for (std::size_t i = 0; i < arguments.size(); i += 2) {
        const Option* option = nullptr;
        for (const Option& candidate : kOptions)
            if (arguments[i] == candidate.name) option = &candidate;
        if (option == nullptr) throw std::invalid_argument("unknown argument " + arguments[i]);
        if (i + 1 == arguments.size()) throw std::invalid_argument(arguments[i] + " needs a number");
        option->store(options, parseCountOption(arguments[i], arguments[i + 1], option->limit));
    }
    if (options.treeAlbums > options.treeFolders)
        throw std::invalid_argument("--tree-albums cannot exceed --tree-folders (" +
                                    std::to_string(options.treeFolders) + ")");
    return options;
}
