// Runs and undos killed at every system call by which they change the disk, one kill per call, by
// strace's fault injection: the kernel ends the real process, with no hook in the application.
// After each kill of a run, an undo gives back the tree exactly and a second finds nothing to
// undo, and a normal run over the same killed state leaves what an uninterrupted run leaves;
// after each kill of an undo, the next undo finishes it.
#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <iostream>
#include <map>
#include <regex>
#include <sstream>

#include "application_run.h"
#include "colliding_library.h"
#include "file_bytes.h"
#include "library_outcome.h"
#include "run_process.h"
#include "sample_run.h"
#include "temp_dir.h"
#include "track_files.h"
#include "tree_snapshot.h"

namespace {

namespace fs = std::filesystem;

// Every call that may change the disk; which of them do is told by their arguments (below).
const char kTracedCalls[] =
    "link,linkat,unlink,unlinkat,rename,renameat,renameat2,mkdir,mkdirat,rmdir,symlink,symlinkat,open,openat,"
    "creat,write,pwrite64,writev,pwritev,ftruncate,truncate,fsync,fdatasync,msync,utimensat,fallocate";

// One kill: strace counts each system call apart in each thread, so a point is the n-th call of
// one system call, as the uninterrupted run made it in the thread that changes the disk.
struct KillPoint {
    std::string call;
    int nth;
    // The call's name and the path it works on, digits blanked (a journal is named after its time).
    std::string shape;
};

// What a traced call works on: its quoted path or the path strace shows for its descriptor.
std::string shapeOf(const std::string& call, const std::string& text) {
    // Else the quoted path: strace -y shows the folder of openat(AT_FDCWD, ...) before it.
    static const std::regex quoted(R"re("[^"]*")re");
    static const std::regex descriptor("<[^>]*>");
    static const std::regex digits("[0-9]+");
    std::smatch found;
    // A descriptor's path where the call takes one first: what a write writes varies.
    const bool byDescriptor = std::isdigit(static_cast<unsigned char>(text[text.find('(') + 1]));
    const std::string where = std::regex_search(text, found, byDescriptor ? descriptor : quoted) ? found.str() : "";
    return call + " " + std::regex_replace(where, digits, "#");
}

// Whether the traced call changes something below `root`: an open for writing, a write through a
// descriptor of a file there, or a change to a name there; the journal's msync always does.
bool changesDisk(const std::string& call, const std::string& text, const std::string& root) {
    if (call == "msync") return true;
    if (call == "open" || call == "openat" || call == "creat") {
        static const std::regex writing("O_WRONLY|O_RDWR|O_CREAT|O_TRUNC");
        return text.find('"' + root) != std::string::npos && (call == "creat" || std::regex_search(text, writing));
    }
    if (call == "write" || call == "pwrite64" || call == "writev" || call == "pwritev" || call == "ftruncate" ||
        call == "fsync" || call == "fdatasync" || call == "fallocate") {
        // Shown as fd<path> first.
        std::size_t at = text.find('(') + 1;
        const std::size_t digits = at;
        while (at < text.size() && std::isdigit(static_cast<unsigned char>(text[at]))) ++at;
        return at > digits && text.compare(at, root.size() + 1, "<" + root) == 0;
    }
    return text.find(root) != std::string::npos;
}

// The calls of a trace (strace -f -o) in order, as thread and text, without the ends of calls
// that another thread's call interrupted in the trace.
std::vector<std::pair<std::string, std::string>> tracedCalls(const fs::path& trace) {
    std::vector<std::pair<std::string, std::string>> calls;
    std::istringstream in(readFileBytes(trace));
    static const std::regex start(R"(^([0-9]+) +([a-z0-9_]+)\((.*)$)");
    std::smatch parts;
    for (std::string line; std::getline(in, line);)
        if (std::regex_match(line, parts, start))
            calls.emplace_back(parts[1].str(), parts[2].str() + "(" + parts[3].str());
    return calls;
}

std::string callName(const std::string& text) { return text.substr(0, text.find('(')); }

// The points of a traced uninterrupted run: each call that changed something below `root`.
std::vector<KillPoint> killPoints(const fs::path& trace, const std::string& root) {
    std::vector<KillPoint> points;
    std::map<std::pair<std::string, std::string>, int> made;
    for (const auto& [thread, text] : tracedCalls(trace)) {
        const std::string call = callName(text);
        const int nth = ++made[{thread, call}];
        if (changesDisk(call, text, root)) points.push_back({call, nth, shapeOf(call, text)});
    }
    return points;
}

// The call that the kill ended in a traced run, in the form of KillPoint::shape: the one whose
// end shows no result, maybe apart from its start where another thread's call came between.
std::string killedCall(const fs::path& trace) {
    std::map<std::string, std::string> lastStart;
    std::istringstream in(readFileBytes(trace));
    static const std::regex start(R"(^([0-9]+) +([a-z0-9_]+\(.*)$)");
    static const std::regex unresolved(R"(^([0-9]+) .* = \?$)");
    std::smatch parts;
    for (std::string line; std::getline(in, line);) {
        if (std::regex_match(line, parts, start)) lastStart[parts[1].str()] = parts[2].str();
        if (std::regex_match(line, parts, unresolved)) {
            const std::string& text = lastStart[parts[1].str()];
            return shapeOf(callName(text), text);
        }
    }
    return "none";
}

using Seconds = std::chrono::duration<double>;

// A library, its journals in a state folder of its own, and the runs and undos killed over it.
// The runs are given `runOptions` before the music folder.
class KillTarget {
public:
    explicit KillTarget(const std::function<void(const fs::path&)>& write,
                        const std::vector<std::string>& runOptions = {})
        : runArguments(runOptions) {
        runArguments.push_back(library.string());
        write(pristine);
        original = snapshotTree(pristine);
        fs::create_directories(emptyState);
    }

    // Kills a run at each point, then checks an undo and a normal run over what it left.
    void killEveryRunChange() {
        restore(pristine, emptyState);
        const auto started = std::chrono::steady_clock::now();
        runPoints = traced(runArguments);
        ranTree = snapshotTree(library);
        copy(library, ran);
        copy(state, ranState);
        const TreeSnapshot ranLists = withSortedLists(ranTree);
        for (const KillPoint& point : runPoints) {
            if (!killedAt(point, runArguments, [&] { restore(pristine, emptyState); })) continue;
            copy(library, killed);
            copy(state, killedState);
            expectUndoneWhole(point, "the run");
            moveBack(killed, killedState);
            const ProcessResult rerun = application(runArguments);
            EXPECT_EQ(describeDifferences(ranLists, withSortedLists(snapshotTree(library))), "")
                << "a run after the run killed at " << describe(point) << rerun.err;
            if (tooManyFailures()) return;
        }
        runSeconds = std::chrono::steady_clock::now() - started;
    }

    // Kills an undo of the uninterrupted run at each point; the next undo finishes it.
    void killEveryUndoChange() {
        restore(ran, ranState);
        const auto started = std::chrono::steady_clock::now();
        undoPoints = traced({"--undo", library.string()});
        EXPECT_EQ(describeDifferences(original, snapshotTree(library)), "") << "an uninterrupted undo";
        for (const KillPoint& point : undoPoints) {
            if (!killedAt(point, {"--undo", library.string()}, [&] { restore(ran, ranState); })) continue;
            expectUndoneWhole(point, "the undo");
            if (tooManyFailures()) return;
        }
        undoSeconds = std::chrono::steady_clock::now() - started;
    }

    void report(const std::string& name) const {
        std::cout << name << ": " << runPoints.size() << " kill points in a run (" << runSeconds.count() << " s), "
                  << undoPoints.size() << " in its undo (" << undoSeconds.count() << " s)" << std::endl;
    }

    std::vector<KillPoint> runPoints;
    std::vector<KillPoint> undoPoints;

private:
    TempDir dir{"cli-kill"};
    const fs::path pristine = dir.path() / "pristine";
    const fs::path library = dir.path() / "music";
    const fs::path state = dir.path() / "state";
    const fs::path emptyState = dir.path() / "empty-state";
    const fs::path ran = dir.path() / "ran";
    const fs::path ranState = dir.path() / "ran-state";
    const fs::path killed = dir.path() / "killed";
    const fs::path killedState = dir.path() / "killed-state";
    const fs::path trace = dir.path() / "trace";
    std::vector<std::string> runArguments;
    TreeSnapshot original;
    TreeSnapshot ranTree;
    Seconds runSeconds{};
    Seconds undoSeconds{};

    static std::string describe(const KillPoint& point) {
        return point.call + " #" + std::to_string(point.nth) + " (" + point.shape + ")";
    }

    static bool tooManyFailures() {
        // Enough to see the fault; the rest would repeat it for minutes.
        return ::testing::Test::HasFailure() &&
               ::testing::UnitTest::GetInstance()->current_test_info()->result()->total_part_count() > 20;
    }

    // cp -a: hard links stay shared, and times stay as they are.
    static void copy(const fs::path& from, const fs::path& to) {
        fs::remove_all(to);
        const ProcessResult copied = runProcess({"cp", "-a", from.string(), to.string()});
        if (copied.exitStatus != 0) throw std::runtime_error("cp -a failed: " + copied.err);
    }

    void restore(const fs::path& libraryFrom, const fs::path& stateFrom) {
        copy(libraryFrom, library);
        copy(stateFrom, state);
    }

    void moveBack(const fs::path& libraryFrom, const fs::path& stateFrom) {
        fs::remove_all(library);
        fs::remove_all(state);
        fs::rename(libraryFrom, library);
        fs::rename(stateFrom, state);
    }

    std::vector<std::string> command(const std::vector<std::string>& arguments) const {
        std::vector<std::string> line = packagedApplicationCommand(arguments);
        // Without its performance data file, the runtime itself changes nothing on disk; without
        // reading its control group's limits again and again, it opens as many files each time.
        line.insert(line.begin() + 1, {"-XX:-UsePerfData", "-XX:-UseContainerSupport"});
        return line;
    }

    ProcessResult application(const std::vector<std::string>& arguments) const {
        return runProcess(command(arguments), "", {kApplicationLocale, "XDG_STATE_HOME=" + state.string()});
    }

    ProcessResult underStrace(const std::vector<std::string>& injection,
                              const std::vector<std::string>& arguments) const {
        std::vector<std::string> line{"strace", "-f",          "-qq", "-y",
                                      "-e",     "signal=none", "-e",  std::string("trace=") + kTracedCalls,
                                      "-o",     trace.string()};
        line.insert(line.end(), injection.begin(), injection.end());
        const std::vector<std::string> application = command(arguments);
        line.insert(line.end(), application.begin(), application.end());
        return runProcess(line, "", {kApplicationLocale, "XDG_STATE_HOME=" + state.string()});
    }

    std::vector<KillPoint> traced(const std::vector<std::string>& arguments) const {
        const ProcessResult whole = underStrace({}, arguments);
        EXPECT_NE(whole.exitStatus, 137) << whole.err;
        return killPoints(trace, dir.path().string() + "/");
    }

    // Kills at the point on a fresh copy made by `prepare`. The runtime's own calls of a kind (an
    // open of its control group's files when a cached figure has aged) may come once more or less
    // than in the counted run: the calls next to it are tried until the one killed is the point's.
    bool killedAt(const KillPoint& point, const std::vector<std::string>& arguments,
                  const std::function<void()>& prepare) const {
        for (const int shift : {0, -1, 1, -2, 2, -3, 3, -4, 4}) {
            if (point.nth + shift < 1) continue;
            prepare();
            const ProcessResult result = underStrace(
                {"-e", "inject=" + point.call + ":signal=KILL:when=" + std::to_string(point.nth + shift)}, arguments);
            if (result.exitStatus == 128 + SIGKILL && killedCall(trace) == point.shape) return true;
        }
        ADD_FAILURE() << "no kill at " << describe(point);
        return false;
    }

    void expectUndoneWhole(const KillPoint& point, const std::string& what) const {
        const ProcessResult undo = application({"--undo", library.string()});
        EXPECT_EQ(undo.exitStatus, 0) << what << " killed at " << describe(point) << ": " << undo.out << undo.err;
        EXPECT_EQ(undo.err, "") << what << " killed at " << describe(point);
        EXPECT_EQ(describeDifferences(original, snapshotTree(library)), "")
            << "undone after " << what << " killed at " << describe(point);
        const ProcessResult again = application({"--undo", library.string()});
        EXPECT_NE(again.out.find("Nothing to undo in "), std::string::npos)
            << "a second undo after " << what << " killed at " << describe(point) << ": " << again.out << again.err;
    }
};

TEST(KillAtEveryChange, OfARunAndItsUndoOverTheSampleLibrary) {
    KillTarget target([](const fs::path& root) { generateSampleLibrary(root); });
    target.killEveryRunChange();
    target.killEveryUndoChange();
    target.report("sample library");
    EXPECT_GT(target.runPoints.size(), 20u);
    EXPECT_GT(target.undoPoints.size(), 20u);
}

// An artist folder holding an album and a two-disc album, with old lists: one that the run
// replaces in the album and in a disc, and one of the discs' tracks that it keeps.
void writeArtistLibrary(const fs::path& root) {
    const fs::path album = root / "Artist" / "Album";
    const fs::path discs = root / "Artist" / "Double";
    fs::create_directories(album);
    fs::create_directories(discs / "CD1");
    fs::create_directories(discs / "CD2");
    writeTrack(album / "Track 1.mp3", "1", "Band", "Song");
    writeTrack(album / "Track 2.mp3", "2", "Band", "Tune");
    writeFileBytes(album / "old.m3u", "Track 1.mp3\nTrack 2.mp3\n");
    writeFileBytes(album / "Front.jpg", "front cover");
    writeTrack(discs / "CD1" / "Track 1.mp3", "1", "Band", "Opening");
    writeTrack(discs / "CD2" / "Track 1.mp3", "1", "Band", "Closing");
    writeFileBytes(discs / "CD2" / "old.m3u", "Track 1.mp3\n");
    writeFileBytes(discs / "album.m3u", "CD1\\Track 1.mp3\r\nCD2\\Track 1.mp3\r\n");
}

TEST(KillAtEveryChange, OfARecursiveRunAndItsUndoOverArtistFolders) {
    KillTarget target(writeArtistLibrary, {"--recursive"});
    target.killEveryRunChange();
    target.killEveryUndoChange();
    target.report("artist folders");
    EXPECT_GT(target.runPoints.size(), 10u);
    EXPECT_GT(target.undoPoints.size(), 10u);
}

class KillAtEveryChangeOverARandomLibrary : public ::testing::TestWithParam<unsigned> {};

TEST_P(KillAtEveryChangeOverARandomLibrary, OfARunAndItsUndo) {
    // Collisions in every album, old lists, folders among them.
    KillTarget target([](const fs::path& root) { writeCollidingLibrary(root, GetParam()); });
    target.killEveryRunChange();
    target.killEveryUndoChange();
    target.report("random library " + std::to_string(GetParam()));
}

INSTANTIATE_TEST_SUITE_P(Seeds, KillAtEveryChangeOverARandomLibrary, ::testing::Values(1u, 2u, 3u));

}  // namespace
