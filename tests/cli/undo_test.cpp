// Runs and their undo through java -jar: over the sample library and seeded random libraries full
// of collisions, one run or two and as many undos give back the tree as it was, names and bytes;
// so does the undo of a run killed at a random moment, and an undo killed so is finished by the
// next. A journal that cannot be written changes nothing in what the run does, but is said once.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <random>
#include <thread>

#include "application_run.h"
#include "colliding_library.h"
#include "file_bytes.h"
#include "synthetic_library.h"
#include "temp_dir.h"
#include "tree_snapshot.h"

namespace {

namespace fs = std::filesystem;

bool isChangeLine(const std::string& line) {
    return line.rfind("rename\t", 0) == 0 || line.rfind("delete\t", 0) == 0 || line.rfind("restore\t", 0) == 0;
}

std::vector<std::string> changeLines(const std::string& out) {
    std::vector<std::string> changes;
    for (const std::string& line : lines(out))
        if (isChangeLine(line)) changes.push_back(line);
    return changes;
}

// Undoes the newest run on the library and expects it to go without a word on standard error;
// true when there was a run to undo.
bool expectCleanUndo(const fs::path& library) {
    const ProcessResult undo = runPackagedApplication({"--undo", library.string()});
    EXPECT_EQ(undo.exitStatus, 0) << undo.out << undo.err;
    EXPECT_EQ(undo.err, "");
    return undo.out.find("Nothing to undo in ") == std::string::npos;
}

class Undo : public ::testing::Test {
protected:
    TempDir dir{"cli-undo"};
    const fs::path library = dir.path() / "sample library";
};

TEST_F(Undo, ARunOverTheSampleLibraryIsTakenBackWhole) {
    generateSampleLibrary(library);
    const TreeSnapshot before = snapshotTree(library);
    ASSERT_EQ(runPackagedApplication({library.string()}).exitStatus, 0);
    ASSERT_NE(describeDifferences(before, snapshotTree(library)), "");

    const ProcessResult undo = runPackagedApplication({"--undo", library.string()});
    EXPECT_EQ(undo.exitStatus, 0) << undo.err;
    EXPECT_EQ(undo.err, "");
    EXPECT_EQ(describeDifferences(before, snapshotTree(library)), "");
    const std::vector<std::string> changes = changeLines(undo.out);
    EXPECT_FALSE(changes.empty()) << undo.out;
    // Nothing else: the banner, the usage line, the folder, then the changes.
    EXPECT_EQ(lines(undo.out).size(), changes.size() + 3) << undo.out;

    const ProcessResult again = runPackagedApplication({"--undo", library.string()});
    EXPECT_EQ(again.exitStatus, 0);
    EXPECT_EQ(lines(again.out).back(), "Nothing to undo in " + library.string());
}

TEST_F(Undo, APlannedUndoShowsWhatTheUndoDoesAndChangesNothing) {
    generateSampleLibrary(library);
    ASSERT_EQ(runPackagedApplication({library.string()}).exitStatus, 0);
    const TreeSnapshot afterRun = snapshotTree(library);

    const ProcessResult planned = runPackagedApplication({"--undo", "--dry-run", library.string()});
    EXPECT_EQ(planned.exitStatus, 0) << planned.err;
    EXPECT_EQ(describeDifferences(afterRun, snapshotTree(library)), "");
    const ProcessResult undo = runPackagedApplication({"--undo", library.string()});
    EXPECT_EQ(changeLines(planned.out), changeLines(undo.out));
}

// The run reaches an album twice where a link to it sits in the music folder: the second visit
// (whichever the folder lists second) deletes the first one's lists and writes its own.
TEST_F(Undo, AnAlbumReachedTwiceThroughALinkIsTakenBackWholeAndAsPlanned) {
    generateSampleLibrary(library);
    const fs::path album = library / "Demos";
    const TreeSnapshot before = snapshotTree(album);
    fs::create_directory_symlink(album.filename(), library / "Linked");
    ASSERT_EQ(runPackagedApplication({library.string()}).exitStatus, 0);
    ASSERT_NE(describeDifferences(before, snapshotTree(album)), "");

    const ProcessResult planned = runPackagedApplication({"--undo", "--dry-run", library.string()});
    EXPECT_EQ(planned.exitStatus, 0) << planned.err;
    EXPECT_EQ(planned.err, "");
    const ProcessResult undo = runPackagedApplication({"--undo", library.string()});
    EXPECT_EQ(undo.exitStatus, 0) << undo.err;
    EXPECT_EQ(undo.err, "");
    EXPECT_EQ(changeLines(planned.out), changeLines(undo.out));
    fs::remove(library / "Linked");
    EXPECT_EQ(describeDifferences(before, snapshotTree(album)), "");
}

TEST_F(Undo, AJournalFolderThatCannotBeWrittenIsOneLineAndTheRunMakesTheSameChanges) {
    const fs::path twin = dir.path() / "twin";
    generateSampleLibrary(library);
    generateSampleLibrary(twin);
    const fs::path blocked = dir.path() / "not a folder";
    writeFileBytes(blocked, "");

    const ProcessResult withJournal = runPackagedApplication({twin.string()});
    const ProcessResult without = runPackagedApplicationInLocale(
        {kApplicationLocale, "XDG_STATE_HOME=" + blocked.string()}, {}, {library.string()});

    EXPECT_EQ(withJournal.exitStatus, 0);
    EXPECT_EQ(without.exitStatus, 1);
    ASSERT_EQ(lines(without.err).size(), 1u) << without.err;
    EXPECT_EQ(without.err.rfind("This run cannot be undone: its journal cannot be written in " +
                                    (blocked / "dovatrik" / "journal").string() + ": ",
                                0),
              0u)
        << without.err;
    EXPECT_EQ(describeDifferences(snapshotTree(twin), snapshotTree(library)), "");
    std::string twinOut = withJournal.out;
    for (std::size_t at; (at = twinOut.find(twin.string())) != std::string::npos;)
        twinOut.replace(at, twin.string().size(), library.string());
    EXPECT_EQ(without.out, twinOut);
}

class UndoOverARandomLibrary : public ::testing::TestWithParam<unsigned> {};

TEST_P(UndoOverARandomLibrary, OneRunIsTakenBackWhole) {
    TempDir dir("cli-undo");
    const fs::path library = dir.path() / "music";
    writeCollidingLibrary(library, GetParam());
    const TreeSnapshot before = snapshotTree(library);
    runPackagedApplication({library.string()});
    expectCleanUndo(library);
    EXPECT_EQ(describeDifferences(before, snapshotTree(library)), "");
}

INSTANTIATE_TEST_SUITE_P(Seeds, UndoOverARandomLibrary, ::testing::Range(1u, 31u));

class TwoUndosOverARandomLibrary : public ::testing::TestWithParam<unsigned> {};

TEST_P(TwoUndosOverARandomLibrary, TakeBackTwoRunsNewestFirst) {
    TempDir dir("cli-undo");
    const fs::path library = dir.path() / "music";
    writeCollidingLibrary(library, GetParam());
    const TreeSnapshot before = snapshotTree(library);
    runPackagedApplication({library.string()});
    const TreeSnapshot afterFirst = snapshotTree(library);
    runPackagedApplication({library.string()});

    expectCleanUndo(library);
    EXPECT_EQ(describeDifferences(afterFirst, snapshotTree(library)), "");
    expectCleanUndo(library);
    EXPECT_EQ(describeDifferences(before, snapshotTree(library)), "");
}

INSTANTIATE_TEST_SUITE_P(Seeds, TwoUndosOverARandomLibrary, ::testing::Range(1u, 7u));

// Starts the application with these arguments and its output to /dev/null, kills it with SIGKILL
// after `delay` unless it ended before; true when the kill ended it.
bool killedAfter(const std::vector<std::string>& arguments, std::chrono::milliseconds delay) {
    std::vector<std::string> command = packagedApplicationCommand(arguments);
    std::vector<std::string> environment = environmentWith({kApplicationLocale});
    std::vector<char*> argv = pointerArray(command);
    std::vector<char*> envp = pointerArray(environment);
    const pid_t child = ::fork();
    if (child == 0) {
        const int null = ::open("/dev/null", O_RDWR);
        ::dup2(null, 0);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execve(argv[0], argv.data(), envp.data());
        ::_exit(127);
    }
    if (child < 0) throw std::runtime_error("cannot fork");
    std::this_thread::sleep_for(delay);
    ::kill(child, SIGKILL);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

// How long the packaged application takes over these arguments, start to end.
std::chrono::milliseconds timeWholeRun(const std::vector<std::string>& arguments) {
    const auto start = std::chrono::steady_clock::now();
    runPackagedApplication(arguments);
    return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
}

// Moments to kill a run at, spread at random over the time a whole one takes. A busy machine
// moves them: a run that ended first lowers the time a whole one takes, a kill that came before
// the first change raises the earliest moment to its own.
class KillMoments {
public:
    KillMoments(std::chrono::milliseconds whole, unsigned seed) : whole_(whole), earliest_(whole / 3), random_(seed) {}

    std::chrono::milliseconds next() {
        if (earliest_ >= whole_) earliest_ = whole_ / 3;
        return earliest_ + std::chrono::milliseconds(random_() % std::max<long long>(1, (whole_ - earliest_).count()));
    }

    // What the kill at `delay` found: whether it ended the run, and whether the run had changed anything.
    void found(std::chrono::milliseconds delay, bool killed, bool changed) {
        if (!killed) whole_ = delay;
        if (killed && !changed) earliest_ = delay;
    }

    std::chrono::milliseconds whole() const { return whole_; }
    std::chrono::milliseconds earliest() const { return earliest_; }

private:
    std::chrono::milliseconds whole_;
    std::chrono::milliseconds earliest_;
    std::mt19937 random_;
};

// A library of collisions over synthetic albums, and the time a whole `command` takes on a copy
// of its own, made by `prepare` (whose own changes no undo below finds).
struct KillTarget {
    TempDir dir{"cli-undo"};
    fs::path pristine = dir.path() / "pristine";
    fs::path library = dir.path() / "music";
    TreeSnapshot before;
    std::chrono::milliseconds whole{};

    KillTarget(unsigned seed, const std::vector<std::string>& command,
               const std::function<void(const fs::path&)>& prepare) {
        writeSyntheticLibrary(pristine, {30, 8, 4096}, false);
        writeCollidingLibrary(pristine, seed);
        before = snapshotTree(pristine);
        const fs::path timed = dir.path() / "timed";
        fs::copy(pristine, timed, fs::copy_options::recursive);
        prepare(timed);
        std::vector<std::string> arguments = command;
        arguments.push_back(timed.string());
        whole = timeWholeRun(arguments);
        expectCleanUndo(timed);
    }

    // On fresh copies made by `prepare`, `command` killed at KillMoments, each followed by an undo
    // that must go without a word and give back the tree as it was; goes on until `kills` kills of
    // which `withWorkLeft` left the undo work.
    void killAtRandom(unsigned seed, const std::vector<std::string>& command, int kills, int withWorkLeft,
                      const std::function<void(const fs::path&)>& prepare) {
        KillMoments moments(whole, seed);
        int killed = 0;
        int workLeft = 0;
        std::vector<std::string> arguments = command;
        arguments.push_back(library.string());
        for (int attempt = 0; attempt < 4 * kills && (killed < kills || workLeft < withWorkLeft); ++attempt) {
            fs::remove_all(library);
            fs::copy(pristine, library, fs::copy_options::recursive);
            prepare(library);
            const std::chrono::milliseconds delay = moments.next();
            const bool wasKilled = killedAfter(arguments, delay);
            // One that ended before the kill is undone as well, so that no later undo finds it.
            const bool hadWork = expectCleanUndo(library);
            killed += wasKilled;
            workLeft += hadWork && wasKilled;
            moments.found(delay, wasKilled, hadWork);
            EXPECT_EQ(describeDifferences(before, snapshotTree(library)), "")
                << "killed after " << delay.count() << " ms";
            if (::testing::Test::HasFailure()) return;
        }
        EXPECT_GE(killed, kills) << "a whole one took " << moments.whole().count() << " ms";
        EXPECT_GE(workLeft, withWorkLeft) << "kills from " << moments.earliest().count() << " ms";
    }
};

void nothingToPrepare(const fs::path&) {}

void runOver(const fs::path& library) { ASSERT_EQ(runPackagedApplication({library.string()}).exitStatus, 0); }

// Twenty runs killed at moments spread at random over the time a whole run takes: each undo gives
// back the library as it was before that run. Most kills fall amid the changes, not in the
// runtime's start.
TEST(UndoOfAKilledRun, GivesBackTheTreeAsItWas) {
    KillTarget target(7, {}, nothingToPrepare);
    target.killAtRandom(21, {}, 20, 10, nothingToPrepare);
}

// Undos killed so, each of a fresh run: the next undo finishes the work without a word on what the
// first gave back already (renames, and lists deleted and brought back under one name), and the
// tree is as it was before the run.
TEST(UndoOfAKilledUndo, IsFinishedByTheNextWithoutAWord) {
    KillTarget target(11, {"--undo"}, runOver);
    target.killAtRandom(23, {"--undo"}, 10, 5, runOver);
}

// A library tidied by a normal run, its tracks written long before its lists, so that a quick run
// trusts their listed checksums.
void writeTidiedLibrary(const fs::path& library) {
    fs::remove_all(library);
    writeSyntheticLibrary(library, {30, 8, 4096}, false);
    writeCollidingLibrary(library, 13);
    const auto longAgo = fs::file_time_type::clock::now() - std::chrono::hours(24);
    for (const fs::directory_entry& entry : fs::recursive_directory_iterator(library))
        if (entry.is_regular_file()) fs::last_write_time(entry.path(), longAgo);
    ASSERT_EQ(runPackagedApplication({library.string()}).exitStatus, 0);
}

fs::path journalFolder() { return fs::path(std::getenv("XDG_STATE_HOME")) / "dovatrik" / "journal"; }

// The name of the newest journal of any run; journals are named after the time their run began.
std::string newestJournal() {
    std::string newest;
    if (fs::exists(journalFolder()))
        for (const fs::directory_entry& entry : fs::directory_iterator(journalFolder()))
            newest = std::max(newest, entry.path().filename().string());
    return newest;
}

// Whether a journal newer than `before` names its music folder: one that a kill left before its
// first lines were in it is the journal of no run, and its run changed nothing.
bool newJournalOfARun(const std::string& before) {
    const std::string newest = newestJournal();
    return newest != before && readFileBytes(journalFolder() / newest).find("\nfolder\t") != std::string::npos;
}

// Quick re-runs killed at moments spread at random over the time one takes: each undo gives back
// the library as the normal run before left it. Where the kill came before the quick run's
// journal held its first lines, that run changed nothing and the undo would take back the normal
// run: those count for nothing but move the next kills later.
TEST(UndoOfAKilledQuickRun, GivesBackTheTreeTheRunFound) {
    TempDir dir("cli-undo");
    const fs::path library = dir.path() / "music";
    writeTidiedLibrary(library);
    const auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(runPackagedApplication({"--quick", library.string()}).exitStatus, 0);
    KillMoments moments(std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start),
                        31);
    int killedAmidChanges = 0;
    for (int attempt = 0; attempt < 24 && killedAmidChanges < 4; ++attempt) {
        writeTidiedLibrary(library);
        const TreeSnapshot tidied = snapshotTree(library);
        const std::string journalBefore = newestJournal();
        const std::chrono::milliseconds delay = moments.next();
        const bool killed = killedAfter({"--quick", library.string()}, delay);
        const bool journaled = newJournalOfARun(journalBefore);
        moments.found(delay, killed, journaled);
        if (!journaled) continue;
        killedAmidChanges += killed;
        expectCleanUndo(library);
        EXPECT_EQ(describeDifferences(tidied, snapshotTree(library)), "") << "killed after " << delay.count() << " ms";
        if (::testing::Test::HasFailure()) break;
    }
    EXPECT_GE(killedAmidChanges, 1) << "a whole quick run took " << moments.whole().count() << " ms";
}

}  // namespace
