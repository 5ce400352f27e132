#include "report.h"

#include <cstdio>
#include <string>

namespace {

std::string format(const char* pattern, double value) {
    char text[64];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string seconds(double value) { return format("%.3f s", value); }

std::string milliseconds(double value) { return format("%.2f ms", value * 1000); }

std::string verdict(bool met) { return met ? "met" : "MISSED"; }

void row(std::ostream& out, const std::string& label, const std::string& large, const std::string& small = "") {
    char text[160];
    std::snprintf(text, sizeof text, "  %-44s %14s %14s\n", label.c_str(), large.c_str(), small.c_str());
    out << text;
}

void goal(std::ostream& out, const std::string& label, const std::string& value, const std::string& target, bool met) {
    char text[200];
    std::snprintf(text, sizeof text, "  %-44s %14s   goal %-12s %s\n", label.c_str(), value.c_str(), target.c_str(),
                  verdict(met).c_str());
    out << text;
}

std::string describe(const Library& library) {
    const LibrarySize& size = library.size;
    return std::to_string(size.albums) + " albums of " + std::to_string(size.tracksPerAlbum) + " tracks of " +
           std::to_string(size.trackBytes) + " bytes (" + std::to_string(library.tracks.size()) + " tracks, " +
           format("%.1f MiB", static_cast<double>(library.trackBytes) / (1 << 20)) + ")";
}

void printLibraryTimes(std::ostream& out, const BenchmarkFigures& figures) {
    const LibraryFigures& large = figures.largeRuns;
    const LibraryFigures& small = figures.smallRuns;
    row(out, "", "large", "small");
    row(out, "application (java <options> -jar dovatrik.exe)", seconds(large.application), seconds(small.application));
    row(out, "rhash --crc32", seconds(large.rhash), seconds(small.rhash));
    row(out, "cksfv", seconds(large.cksfv), seconds(small.cksfv));
    row(out, "read every byte, 128 KiB pieces", seconds(large.read), seconds(small.read));
    row(out, "read every byte, 64 KiB pieces", seconds(large.readInPieces), seconds(small.readInPieces));
    row(out, "application / rhash", format("%.2f", large.application / large.rhash),
        format("%.2f", small.application / small.rhash));
    row(out, "application / cksfv", format("%.2f", large.application / large.cksfv),
        format("%.2f", small.application / small.cksfv));
    row(out, "application / read", format("%.2f", large.application / large.read),
        format("%.2f", small.application / small.read));
    row(out, "rerun on a terminal / redirected", format("%.3f", large.terminalOverRedirected),
        format("%.3f", small.terminalOverRedirected));
    row(out, "  on a terminal / on one without the line", format("%.3f", large.lineOverNoLine),
        format("%.3f", small.lineOverNoLine));
    row(out, "  status lines written on the terminal", std::to_string(large.statusLines),
        std::to_string(small.statusLines));
    row(out, "run with its journal / without", format("%.3f", large.journalOverNone),
        format("%.3f", small.journalOverNone));
    if (large.journalInMemoryOverNone > 0)
        row(out, "  with its journal in memory (tmpfs) / without", format("%.3f", large.journalInMemoryOverNone),
            format("%.3f", small.journalInMemoryOverNone));
    row(out, "application / read in 64 KiB pieces", format("%.2f", large.application / large.readInPieces),
        format("%.2f", small.application / small.readInPieces));
}

// The run on a terminal against the redirected one, in pairs: what the status line costs.
void statusLineGoal(std::ostream& out, const std::string& library, const LibraryFigures& runs) {
    const double cost = runs.terminalOverRedirected - 1;
    goal(out, "status line's cost on a terminal, " + library + " library", format("%+.1f %%", 100 * cost), "<= 1 %",
         cost <= 0.01);
}

// What each runtime option buys, against runs without any, over tidied copies.
void printOptionTrials(std::ostream& out, const BenchmarkFigures& figures) {
    out << "\nRuntime options, each alone behind -XX:+IgnoreUnrecognizedVMOptions, over tidied copies\n";
    row(out, "", "large", "small");
    for (const OptionTrial& trial : figures.optionTrials) {
        const std::string label = trial.options + (trial.delivered ? " (delivered)" : "");
        row(out, label, seconds(trial.large), seconds(trial.small));
        row(out, "  its run / a run without options", format("%.3f", trial.largeOverBare),
            format("%.3f", trial.smallOverBare));
    }
}

// Second runs over a copy that a first run tidied, whose tracks are a day older than its lists.
void printSecondRuns(std::ostream& out, const BenchmarkFigures& figures) {
    const SecondRunFigures& large = figures.largeSecondRuns;
    const SecondRunFigures& small = figures.smallSecondRuns;
    out << "\nSecond runs over a tidied copy, its tracks a day older than its lists, warm cache\n";
    row(out, "", "large", "small");
    row(out, "normal second run", seconds(large.normal), seconds(small.normal));
    row(out, "--quick second run", seconds(large.quick), seconds(small.quick));
    row(out, "--dry-run", seconds(large.dry), seconds(small.dry));
    row(out, "quick / normal second run, in rounds", format("%.2f", large.quickOverNormal),
        format("%.2f", small.quickOverNormal));
    row(out, "quick second run / dry run, in rounds", format("%.2f", large.quickOverDry),
        format("%.2f", small.quickOverDry));
}

// A quick second run must read no more of a track than a dry run does: its tag.
void printRerunReads(std::ostream& out, const BenchmarkFigures& figures) {
    if (!figures.quickRerunReads || !figures.dryRerunReads) {
        out << "  second runs' reads: not measured: " << figures.rerunReadsMissing << "\n";
        return;
    }
    const TagReadFigures& quick = *figures.quickRerunReads;
    const TagReadFigures& dry = *figures.dryRerunReads;
    row(out, "bytes read per track, second runs, small:", "--quick", "--dry-run");
    row(out, "  all reads of the track", format("%.1f", quick.meanBytesRead), format("%.1f", dry.meanBytesRead));
    row(out, "  read calls per track", format("%.2f", quick.meanCalls), format("%.2f", dry.meanCalls));
    goal(out, "  quick run: most bytes read beyond a tag", format("%.0f", static_cast<double>(quick.mostBeyondTag)),
         "<= 0", quick.mostBeyondTag <= 0);
    goal(out, "  quick run's bytes per track / dry run's", format("%.2f", quick.meanBytesRead / dry.meanBytesRead),
         "<= 1", quick.meanBytesRead <= dry.meanBytesRead);
}

double perTrackBeyondStart(double run, double emptyRun, std::size_t tracks) {
    return (run - emptyRun) / static_cast<double>(tracks);
}

// A --recursive walk over a deep tree in a 64 MiB heap, and the check that a run without it makes.
void printWalks(std::ostream& out, const BenchmarkFigures& figures) {
    const RecursiveWalkFigures& walk = figures.recursiveWalk;
    row(out, "--recursive, -Xmx64m, " + std::to_string(walk.tree.folders) + " folders:", "");
    row(out, "  albums in the tree / planned by the dry run", std::to_string(walk.tree.albums),
        std::to_string(walk.albumsFound));
    row(out, "  dry run", seconds(walk.dryRun));
    row(out, "  most heap after a collection in a dry run",
        walk.mostHeapAfterCollection < 0 ? "none logged" : format("%.1f MiB", walk.mostHeapAfterCollection));
    row(out, "  dry run beyond start-up, per folder",
        format("%.2f us", 1e6 * (walk.dryRun - figures.emptyRun) / static_cast<double>(walk.tree.folders)));
    row(out, "  real run (once, after the dry runs)", seconds(walk.realRun));
    const TracksBelowCheckFigures& check = figures.tracksBelowCheck;
    row(out, "dry run, " + std::to_string(check.flac.albums) + " albums, none --recursive:", "FLAC only", "MP3");
    row(out, "  (the check looks below every FLAC album)", seconds(check.flacDryRun), seconds(check.mp3DryRun));
    const auto perAlbum = [&](double run) {
        return milliseconds((run - figures.emptyRun) / static_cast<double>(check.flac.albums));
    };
    row(out, "  beyond start-up, per album", perAlbum(check.flacDryRun), perAlbum(check.mp3DryRun));
}

void printSystemCalls(std::ostream& out, const BenchmarkFigures& figures) {
    if (!figures.systemCalls) {
        out << "  file-system calls: not counted: " << figures.systemCallsMissing << "\n";
        return;
    }
    const SystemCallFigures& calls = *figures.systemCalls;
    row(out, "file-system calls (strace -c -f), empty folder", std::to_string(calls.emptyRun));
    goal(out, "  per track beyond start-up, real run", format("%.2f", calls.realPerTrack()), "<= 14",
         calls.realPerTrack() <= 14);
    goal(out, "  per track beyond start-up, dry run", format("%.2f", calls.dryPerTrack()), "<= 8",
         calls.dryPerTrack() <= 8);
}

void printScaled(std::ostream& out, const BenchmarkFigures& figures) {
    if (!figures.scaled) return;
    const ScaledFigures& scaled = *figures.scaled;
    const double small =
        perTrackBeyondStart(figures.smallRuns.application, figures.emptyRun, figures.small.tracks.size());
    const double large = perTrackBeyondStart(scaled.application, figures.emptyRun, scaled.library.tracks.size());
    row(out, std::to_string(scaled.library.tracks.size()) + "-track library: application", seconds(scaled.application));
    row(out, "  rhash --crc32", seconds(scaled.rhash));
    row(out, "  application / rhash", format("%.2f", scaled.application / scaled.rhash));
    row(out, "  per track beyond start-up", milliseconds(large));
    goal(out, "  per track there / in the small library", format("%.2f", large / small), "<= 1.2",
         large <= 1.2 * small);
}

// Runs that keep their journal against runs that keep none, in pairs.
void journalGoal(std::ostream& out, const std::string& library, const LibraryFigures& runs) {
    const double cost = runs.journalOverNone - 1;
    goal(out, "journal's cost, " + library + " library", format("%+.1f %%", 100 * cost), "<= 5 %", cost <= 0.05);
}

void printGoals(std::ostream& out, const BenchmarkFigures& figures) {
    const LibraryFigures& large = figures.largeRuns;
    const LibraryFigures& small = figures.smallRuns;
    const double perTrack =
        (figures.smallRuns.application - figures.emptyRun) / static_cast<double>(figures.small.tracks.size());
    out << "\nGoals\n";
    goal(out, "application / rhash, large library", format("%.2f", large.application / large.rhash), "<= 1.3",
         large.application <= 1.3 * large.rhash);
    goal(out, "application / read, large library", format("%.2f", large.application / large.read), "<= 1.5",
         large.application <= 1.5 * large.read);
    goal(out, "application / rhash, small library", format("%.2f", small.application / small.rhash), "<= 3",
         small.application <= 3 * small.rhash);
    statusLineGoal(out, "large", large);
    statusLineGoal(out, "small", figures.smallRuns);
    journalGoal(out, "large", large);
    journalGoal(out, "small", figures.smallRuns);
    goal(out, "quick second run / dry run, large library", format("%.2f", figures.largeSecondRuns.quickOverDry),
         "<= 1.5", figures.largeSecondRuns.quickOverDry <= 1.5);
    row(out, "  the same, small library (no goal)", format("%.2f", figures.smallSecondRuns.quickOverDry));
    row(out, "JVM start-up and end (empty folder)", seconds(figures.emptyRun));
    row(out, "its share of the small library's run",
        format("%.0f %%", 100 * figures.emptyRun / figures.smallRuns.application));
    goal(out, "per track beyond start-up, small library", milliseconds(perTrack), "< 0.5 ms", perTrack < 0.0005);
    printScaled(out, figures);
    printWalks(out, figures);
    printSystemCalls(out, figures);

    if (figures.tagReads) {
        const TagReadFigures& reads = *figures.tagReads;
        row(out, "tag library: bytes read per track", format("%.1f", reads.meanBytesRead));
        row(out, "  tag length per track, header included", format("%.1f", reads.meanTagLength));
        row(out, "  read calls per track", format("%.2f", reads.meanCalls));
        goal(out, "  most bytes read beyond a track's tag", format("%.0f", static_cast<double>(reads.mostBeyondTag)),
             "<= 0", reads.mostBeyondTag <= 0);
    } else {
        out << "  tag library reads: not measured: " << figures.tagReadsMissing << "\n";
    }

    printRerunReads(out, figures);

    if (figures.pictureTrackReads) {
        const double read = figures.pictureTrackReads->meanBytesRead;
        const double needed = static_cast<double>(figures.pictureTrackNeeded);
        row(out, "tag library, 20 MiB picture after the text:", "");
        row(out, "  bytes read from the track", format("%.0f", read));
        row(out, "  whole tag", format("%.0f", figures.pictureTrackReads->meanTagLength));
        goal(out, "  bytes read, against header and text frames", format("%.0f", read), "<= " + format("%.0f", needed),
             read <= needed);
    } else {
        out << "  tag reads of a track with a picture: not measured: " << figures.pictureTrackReadsMissing << "\n";
    }

    const LaunchFigures& launch = figures.launch;
    const double launcherCost = launch.packaged - launch.standin;
    row(out, "Wine: trivial .exe", milliseconds(launch.trivial));
    row(out, "Wine: stand-in runtime alone", milliseconds(launch.standin));
    row(out, "Wine: packaged .exe starting the stand-in", milliseconds(launch.packaged));
    row(out, "launcher's own cost (packaged - stand-in)", milliseconds(launcherCost));
    goal(out, "launcher's cost / a trivial start", format("%.2f", launcherCost / launch.trivial), "<= 1.2",
         launcherCost <= 1.2 * launch.trivial);
    goal(out, "32-bit launcher image, stripped", std::to_string(figures.launcherImage32) + " B", "<= 19456 B",
         figures.launcherImage32 <= 19456);
}

}  // namespace

void printReport(std::ostream& out, const BenchmarkOptions& options, const BenchmarkFigures& figures) {
    out << "Medians of " << options.runs << " runs (Wine starts: " << options.launchRuns << "), warm cache\n";
    out << "  large library: " << describe(figures.large) << "\n";
    out << "  small library: " << describe(figures.small) << "\n\n";
    printLibraryTimes(out, figures);
    printOptionTrials(out, figures);
    printSecondRuns(out, figures);
    printGoals(out, figures);
}
