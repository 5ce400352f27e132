#include "benchmark_run.h"

#include <iostream>
#include <stdexcept>
#include <vector>

#include "timed_run.h"

namespace fs = std::filesystem;

namespace {

const std::vector<std::string> kApplication{JAVA_EXECUTABLE, "-jar", PACKAGED_APPLICATION};
constexpr std::size_t kPictureBytes = 20 << 20;

void progress(const std::string& step) { std::cerr << "benchmark: " << step << "\n"; }

double applicationRun(const fs::path& folder, bool keepsJournal = true) {
    std::vector<std::string> command = kApplication;
    // Only the benchmark runs without the journal, to tell what it costs.
    if (!keepsJournal) command.insert(command.begin() + 1, "-Ddovatrik.journal=off");
    command.push_back(folder.string());
    return timedRun(command);
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

LibraryFigures measureLibrary(const Library& library, const fs::path& copy, int runs) {
    LibraryFigures figures;
    std::vector<double> withJournal;
    std::vector<double> journalOverNone;
    for (int i = 0; i < runs; ++i) {
        freshCopy(library, copy);
        withJournal.push_back(applicationRun(copy));
        freshCopy(library, copy);
        journalOverNone.push_back(withJournal.back() / applicationRun(copy, false));
    }
    figures.application = median(withJournal);
    figures.journalOverNone = median(journalOverNone);
    measureTerminalCost(figures, library, copy, runs);
    fs::remove_all(copy);
    figures.rhash = medianOf(runs, [&] { return toolRun("rhash", {"--crc32"}, library); });
    figures.cksfv = medianOf(runs, [&] { return toolRun("cksfv", {}, library); });
    figures.read = medianOf(runs, [&] { return readEveryByte(library, 128 << 10); });
    figures.readInPieces = medianOf(runs, [&] { return readEveryByte(library, 10240); });
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
    figures.largeRuns = measureLibrary(figures.large, copy, options.runs);
    progress("timing the small library");
    figures.smallRuns = measureLibrary(figures.small, copy, options.runs);
    figures.emptyRun = medianOf(options.runs, [&] { return applicationRun(empty); });

    progress("tracing the tag reads");
    try {
        figures.tagReads = measureTagReads(kApplication, figures.small, copy, workFolder);
    } catch (const std::runtime_error& error) {
        figures.tagReadsMissing = error.what();
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
