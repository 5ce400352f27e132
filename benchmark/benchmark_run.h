#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "benchmark_options.h"
#include "launch_cost.h"
#include "library.h"
#include "second_runs.h"
#include "system_calls.h"
#include "tag_reads.h"
#include "walk_cost.h"

// Median seconds over one library.
struct LibraryFigures {
    double application = 0;   // the whole run of the packaged application over a fresh copy
    double rhash = 0;         // rhash --crc32 over the tracks
    double cksfv = 0;         // cksfv over the tracks
    double read = 0;          // every byte read once, in pieces of 128 KiB
    double readInPieces = 0;  // every byte read once, in the application's pieces of 64 KiB
    // The median over pairs of runs over a tidied copy, one redirected and one on a pseudo-terminal, of
    // the terminal run's seconds over the redirected one's: what the status line costs, the way of the
    // output through the terminal included.
    double terminalOverRedirected = 0;
    // The same for a run on a terminal against one on a terminal that shows no line: the line's own.
    double lineOverNoLine = 0;
    std::size_t statusLines = 0;  // how often the last run on a terminal wrote its status line
    // The median over pairs of runs over a fresh copy, one keeping its journal and one keeping none, of
    // the first one's seconds over the second one's: what the journal costs.
    double journalOverNone = 0;
    // The same with the journal kept on a file system in memory, where forcing it costs nothing: what
    // the journal's own work costs, without the disk's. 0 without such a file system.
    double journalInMemoryOverNone = 0;
};

// Runs over tidied copies with a set of runtime options, in turn with runs without any, medians.
struct OptionTrial {
    std::string options;       // as given to the runtime, behind -XX:+IgnoreUnrecognizedVMOptions
    bool delivered = false;    // the delivered executable's own set
    double large = 0;          // seconds over the large library
    double small = 0;          // over the small one
    double largeOverBare = 0;  // the median over pairs of the run's seconds over one without options
    double smallOverBare = 0;
};

// A library of the small one's tracks, many times as many: the cost per track must not grow.
struct ScaledFigures {
    Library library;
    double application = 0;
    double rhash = 0;
};

struct BenchmarkFigures {
    Library large;
    Library small;
    LibraryFigures largeRuns;
    LibraryFigures smallRuns;
    double emptyRun = 0;  // the application over an empty folder: the JVM's start-up and end
    std::optional<TagReadFigures> tagReads;
    std::string tagReadsMissing;                      // why there are no tag read figures
    std::optional<TagReadFigures> pictureTrackReads;  // the one track of the picture track's library
    std::uint64_t pictureTrackNeeded = 0;             // its tag's header and text frames
    std::string pictureTrackReadsMissing;
    std::vector<OptionTrial> optionTrials;
    SecondRunFigures largeSecondRuns;
    SecondRunFigures smallSecondRuns;
    std::optional<TagReadFigures> quickRerunReads;  // a quick second run over the small library
    std::optional<TagReadFigures> dryRerunReads;    // a dry run over it, after the quick one
    std::string rerunReadsMissing;
    std::optional<SystemCallFigures> systemCalls;  // over the small library
    std::string systemCallsMissing;
    std::optional<ScaledFigures> scaled;
    RecursiveWalkFigures recursiveWalk;
    TracksBelowCheckFigures tracksBelowCheck;
    LaunchFigures launch;
    std::uintmax_t launcherImage32 = 0;
};

// Makes the libraries under `workFolder` and takes every measurement; progress goes to standard error.
BenchmarkFigures runBenchmark(const BenchmarkOptions& options, const std::filesystem::path& workFolder);
