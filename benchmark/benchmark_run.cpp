#include "benchmark_run.h"

#include <linux/magic.h>
#include <sys/vfs.h>

#include <fstream>
#include <iostream>
#include <memory>
#include <sstream>
#include <stdexcept>
#include <vector>

#include "temp_dir.h"
#include "timed_run.h"

namespace fs = std::filesystem;

namespace {

constexpr char kLetUnknownOptionsPass[] = "-XX:+IgnoreUnrecognizedVMOptions";

std::vector<std::string> words(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> result;
    for (std::string word; stream >> word;) result.push_back(word);
    return result;
}

// java, the runtime options, -jar and the executable, as the launcher starts it.
std::vector<std::string> applicationWith(const std::vector<std::string>& runtimeOptions) {
    std::vector<std::string> command{JAVA_EXECUTABLE};
    command.insert(command.end(), runtimeOptions.begin(), runtimeOptions.end());
    command.insert(command.end(), {"-jar", PACKAGED_APPLICATION});
    return command;
}

// As delivered: with the runtime options the launcher passes.
const std::vector<std::string> kApplication = applicationWith(words(DELIVERED_RUNTIME_OPTIONS));
// The delivered options, then others that might be: each tried alone.
const char* const kCandidateOptions[] = {"-XX:+UseSerialGC", "-XX:-UsePerfData", "-Xshare:off"};
constexpr std::size_t kPictureBytes = 20 << 20;

void progress(const std::string& step) { std::cerr << "benchmark: " << step << "\n"; }

// Where the journal goes: the state folder of the process (on the disk), a folder in memory, or nowhere.
struct JournalPlace {
    bool kept = true;
    fs::path stateFolder;  // empty for the process's own
};

double applicationRun(const fs::path& folder, const JournalPlace& journal = {}) {
    std::vector<std::string> command = kApplication;
    // Only the benchmark runs without the journal, to tell what it costs.
    if (!journal.kept) command.insert(command.begin() + 1, "-Ddovatrik.journal=off");
    if (!journal.stateFolder.empty())
        command.insert(command.begin() + 1, "-DXDG_STATE_HOME=" + journal.stateFolder.string());
    command.push_back(folder.string());
    return timedRun(command);
}

// A folder on a file system in memory (/dev/shm, where it is one), for journals whose forcing costs nothing.
std::unique_ptr<TempDir> memoryStateFolder() {
    struct statfs about {};
    if (::statfs("/dev/shm", &about) != 0 || about.f_type != TMPFS_MAGIC) return nullptr;
    return std::make_unique<TempDir>("benchmark-state", "/dev/shm");
}

// Redirected, on a terminal, and on a terminal without the line, in turn, so that a drift of the
// machine's speed falls on all three; three rounds for each run asked for: the differences are small
// beside the machine's noise. The runs go over one copy that a first run has tidied, so they all do
// the same work and no copy comes between them. The JVM sees a console only when standard input is a
// terminal too: with standard input from /dev/null the run goes the terminal's way without the line.
// All three start through the shell, so that its start falls on each.
void measureTerminalCost(LibraryFigures& figures, const Library& library, const fs::path& copy, int runs) {
    std::vector<std::string> command = kApplication;
    command.push_back(copy.string());
    auto throughShell = [&](const std::string& redirection) {
        std::vector<std::string> shell{"sh", "-c", "exec \"$0\" \"$@\"" + redirection};
        shell.insert(shell.end(), command.begin(), command.end());
        return shell;
    };
    const std::vector<std::string> withLine = throughShell("");
    const std::vector<std::string> withoutLine = throughShell(" </dev/null");
    freshCopy(library, copy);
    timedRun(command);
    std::vector<double> overRedirected;
    std::vector<double> overNoLine;
    for (int i = 0; i < 3 * runs; ++i) {
        const double redirected = timedRun(withLine);
        const TerminalTiming onTerminal = timedTerminalRun(withLine);
        const TerminalTiming noLine = timedTerminalRun(withoutLine);
        overRedirected.push_back(onTerminal.seconds / redirected);
        overNoLine.push_back(onTerminal.seconds / noLine.seconds);
        figures.statusLines = onTerminal.statusLines;
        if (noLine.statusLines != 0) throw std::runtime_error("a status line without a console on standard input");
    }
    figures.terminalOverRedirected = median(overRedirected);
    figures.lineOverNoLine = median(overNoLine);
}

// A checksum tool over the tracks, named relative to the library so the command line stays short.
double toolRun(const std::string& tool, const std::vector<std::string>& options, const Library& library) {
    std::vector<std::string> command{tool};
    command.insert(command.end(), options.begin(), options.end());
    for (const fs::path& track : library.tracks) command.push_back(track.string());
    return timedRun(command, library.root);
}

// Each set of options against runs without any, in turn, over one tidied copy of each library.
std::vector<OptionTrial> measureOptionTrials(const Library& large, const Library& small, const fs::path& copy,
                                             int runs) {
    std::vector<OptionTrial> trials;
    for (const std::string& option : words(DELIVERED_RUNTIME_OPTIONS))
        if (option != kLetUnknownOptionsPass) trials.push_back({option, true});
    for (const char* option : kCandidateOptions) trials.push_back({option, false});
    for (const Library* library : {&large, &small}) {
        freshCopy(*library, copy);
        const std::vector<std::string> folder{copy.string()};
        auto run = [&](std::vector<std::string> command) {
            command.insert(command.end(), folder.begin(), folder.end());
            return timedRun(command);
        };
        run(kApplication);  // tidies the copy
        std::vector<std::vector<double>> seconds(trials.size());
        std::vector<std::vector<double>> overBare(trials.size());
        for (int i = 0; i < runs; ++i) {
            for (std::size_t t = 0; t < trials.size(); ++t) {
                const double bare = run(applicationWith({}));
                seconds[t].push_back(run(applicationWith({kLetUnknownOptionsPass, trials[t].options})));
                overBare[t].push_back(seconds[t].back() / bare);
            }
        }
        for (std::size_t t = 0; t < trials.size(); ++t) {
            (library == &large ? trials[t].large : trials[t].small) = median(seconds[t]);
            (library == &large ? trials[t].largeOverBare : trials[t].smallOverBare) = median(overBare[t]);
        }
    }
    fs::remove_all(copy);
    return trials;
}

// Runs keeping their journal on the disk, keeping it in memory and keeping none, each over a fresh
// copy; three rounds for each run asked for, since the journal's cost is small beside the machine's
// noise, and in turn each kind first, so that a drift of the machine's speed falls on all.
void measureJournalCost(LibraryFigures& figures, const Library& library, const fs::path& copy, int runs,
                        const TempDir* memory) {
    std::vector<JournalPlace> places{{true, {}}, {false, {}}};
    if (memory) places.push_back({true, memory->path()});
    std::vector<double> onDisk;
    std::vector<double> overNone;
    std::vector<double> inMemoryOverNone;
    for (int round = 0; round < 3 * runs; ++round) {
        std::vector<double> seconds(places.size());
        for (std::size_t i = 0; i < places.size(); ++i) {
            const std::size_t place = (round + i) % places.size();
            freshCopy(library, copy);
            seconds[place] = applicationRun(copy, places[place]);
        }
        onDisk.push_back(seconds[0]);
        overNone.push_back(seconds[0] / seconds[1]);
        if (memory) inMemoryOverNone.push_back(seconds[2] / seconds[1]);
    }
    figures.application = median(onDisk);
    figures.journalOverNone = median(overNone);
    if (memory) figures.journalInMemoryOverNone = median(inMemoryOverNone);
}

LibraryFigures measureLibrary(const Library& library, const fs::path& copy, int runs, const TempDir* memory) {
    LibraryFigures figures;
    measureJournalCost(figures, library, copy, runs, memory);
    measureTerminalCost(figures, library, copy, runs);
    fs::remove_all(copy);
    figures.rhash = medianOf(runs, [&] { return toolRun("rhash", {"--crc32"}, library); });
    figures.cksfv = medianOf(runs, [&] { return toolRun("cksfv", {}, library); });
    figures.read = medianOf(runs, [&] { return readEveryByte(library, 128 << 10); });
    figures.readInPieces = medianOf(runs, [&] { return readEveryByte(library, 64 << 10); });
    return figures;
}

}  // namespace

BenchmarkFigures runBenchmark(const BenchmarkOptions& options, const fs::path& workFolder) {
    BenchmarkFigures figures;
    const fs::path copy = workFolder / "copy";
    const fs::path empty = workFolder / "empty";
    fs::create_directory(empty);

    progress("making the libraries");
    figures.large = makeLibrary(workFolder / "large", options.large);
    figures.small = makeLibrary(workFolder / "small", options.small);
    // Warm cache: the tracks and the runtime's own files are read once before anything is timed.
    readEveryByte(figures.large, 128 << 10);
    readEveryByte(figures.small, 128 << 10);
    applicationRun(empty);

    progress("timing the large library");
    const std::unique_ptr<TempDir> memory = memoryStateFolder();
    figures.largeRuns = measureLibrary(figures.large, copy, options.runs, memory.get());
    progress("timing the small library");
    figures.smallRuns = measureLibrary(figures.small, copy, options.runs, memory.get());
    figures.emptyRun = medianOf(options.runs, [&] { return applicationRun(empty); });

    progress("timing runtime options");
    figures.optionTrials = measureOptionTrials(figures.large, figures.small, copy, options.runs);
    progress("timing second runs: normal, --quick and --dry-run");
    // Three rounds for each run asked for: the quick run's goal is a ratio to the dry run's time.
    figures.largeSecondRuns = measureSecondRuns(kApplication, figures.large, copy, 3 * options.runs);
    figures.smallSecondRuns = measureSecondRuns(kApplication, figures.small, copy, 3 * options.runs);
    if (options.scaledAlbums > 0) {
        progress("timing a library of " + std::to_string(options.scaledAlbums) + " albums like the small one");
        ScaledFigures scaled;
        LibrarySize size = options.small;
        size.albums = options.scaledAlbums;
        scaled.library = makeLibrary(workFolder / "scaled", size);
        readEveryByte(scaled.library, 128 << 10);
        scaled.application = medianOf(options.runs, [&] {
            freshCopy(scaled.library, copy);
            return applicationRun(copy);
        });
        fs::remove_all(copy);
        // Too many tracks for one command line: rhash reads their names from a file.
        const fs::path trackList = workFolder / "scaled-tracks";
        {
            std::ofstream list(trackList);
            for (const fs::path& track : scaled.library.tracks) list << track.string() << "\n";
        }
        scaled.rhash = medianOf(options.runs, [&] {
            return timedRun({"rhash", "--crc32", "--file-list=" + trackList.string()}, scaled.library.root);
        });
        fs::remove_all(scaled.library.root);
        figures.scaled = scaled;
    }

    progress("making a tree of " + std::to_string(options.treeFolders) + " folders for --recursive runs");
    {
        const FolderTree tree = makeFolderTree(workFolder / "tree", options.treeFolders, options.treeAlbums);
        progress("timing --recursive runs over it in a 64 MiB heap");
        figures.recursiveWalk = measureRecursiveWalk(kApplication, tree, options.runs, workFolder);
        fs::remove_all(tree.root);
    }
    progress("timing dry runs over a FLAC-only library and its MP3 twin");
    figures.tracksBelowCheck = measureTracksBelowCheck(kApplication, options.flac, options.runs, workFolder);

    progress("counting the file-system calls over the small library");
    try {
        figures.systemCalls = measureSystemCalls(kApplication, figures.small, copy, empty, workFolder);
    } catch (const std::runtime_error& error) {
        figures.systemCallsMissing = error.what();
    }

    progress("tracing the tag reads");
    try {
        figures.tagReads = measureTagReads(kApplication, figures.small, copy, workFolder);
    } catch (const std::runtime_error& error) {
        figures.tagReadsMissing = error.what();
    }
    progress("tracing the reads of a quick and a dry second run over the small library");
    try {
        const auto applicationWithOption = [](const char* option) {
            std::vector<std::string> command = kApplication;
            command.push_back(option);
            return command;
        };
        tidiedCopy(kApplication, figures.small, copy);
        figures.quickRerunReads = measureRerunReads(applicationWithOption("--quick"), copy, workFolder);
        figures.dryRerunReads = measureRerunReads(applicationWithOption("--dry-run"), copy, workFolder);
    } catch (const std::runtime_error& error) {
        figures.rerunReadsMissing = error.what();
    }
    progress("tracing the tag reads of a track with a 20 MiB picture after its text frames");
    try {
        const PictureTrack picture = makePictureTrack(workFolder / "picture", kPictureBytes);
        figures.pictureTrackNeeded = picture.neededLength;
        figures.pictureTrackReads = measureTagReads(kApplication, picture.library, copy, workFolder);
    } catch (const std::runtime_error& error) {
        figures.pictureTrackReadsMissing = error.what();
    }
    fs::remove_all(copy);

    progress("timing launches under Wine");
    {
        const WineSession wine(BENCHMARK_WINE_PREFIX);
        figures.launch =
            measureLaunches({TRIVIAL_WINDOWS_EXE, STANDIN_RUNTIME_JAVA, PACKAGED_LAUNCHER}, options.launchRuns);
    }
    figures.launcherImage32 = strippedSize(LAUNCHER_IMAGE_32, STRIP_32, workFolder);
    return figures;
}
