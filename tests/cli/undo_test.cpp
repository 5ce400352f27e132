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

// Twenty runs killed at moments spread at random over the time a whole run takes: each undo gives
// back the library as it was before that run.
TEST(UndoOfAKilledRun, GivesBackTheTreeAsItWas) {
    TempDir dir("cli-undo");
    const fs::path pristine = dir.path() / "pristine";
    const fs::path library = dir.path() / "music";
    writeSyntheticLibrary(pristine, {30, 8, 4096}, false);
    writeCollidingLibrary(pristine, 7);
    const TreeSnapshot before = snapshotTree(pristine);
    // Timed on a copy of its own, so that no undo below finds this run.
    const fs::path timed = dir.path() / "timed";
    fs::copy(pristine, timed, fs::copy_options::recursive);
    const auto start = std::chrono::steady_clock::now();
    runPackagedApplication({timed.string()});
    auto whole = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);

    std::mt19937 random(21);
    int killed = 0;
    int killedAfterAChange = 0;
    for (int attempt = 0; attempt < 60 && killed < 20; ++attempt) {
        fs::remove_all(library);
        fs::copy(pristine, library, fs::copy_options::recursive);
        const std::chrono::milliseconds delay(whole.count() / 3 + random() % (whole.count() * 2 / 3));
        // A run that ended before the kill is undone as well, so that no later undo finds it.
        const bool wasKilled = killedAfter({library.string()}, delay);
        killed += wasKilled;
        // The timed run was slower than the runs since (a busy machine): the kills come sooner.
        if (!wasKilled) whole = whole * 2 / 3;
        killedAfterAChange += expectCleanUndo(library) && wasKilled;
        ASSERT_EQ(describeDifferences(before, snapshotTree(library)), "") << "killed after " << delay.count() << " ms";
    }
    EXPECT_EQ(killed, 20) << "a whole run took " << whole.count() << " ms";
    // Most kills fall amid the changes, not in the runtime's start.
    EXPECT_GE(killedAfterAChange, 10) << "a whole run took " << whole.count() << " ms";
}

// Undos killed at moments spread at random over the time a whole undo takes, each of a fresh run:
// the next undo finishes the work without a word on what the first gave back already (renames,
// and lists deleted and brought back under one name), and the tree is as it was before the run.
TEST(UndoOfAKilledUndo, IsFinishedByTheNextWithoutAWord) {
    TempDir dir("cli-undo");
    const fs::path pristine = dir.path() / "pristine";
    const fs::path library = dir.path() / "music";
    writeSyntheticLibrary(pristine, {30, 8, 4096}, false);
    writeCollidingLibrary(pristine, 11);
    const TreeSnapshot before = snapshotTree(pristine);
    const fs::path timed = dir.path() / "timed";
    fs::copy(pristine, timed, fs::copy_options::recursive);
    runPackagedApplication({timed.string()});
    const auto start = std::chrono::steady_clock::now();
    expectCleanUndo(timed);
    auto whole = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);

    std::mt19937 random(23);
    int killed = 0;
    int killedAmidTheUndo = 0;
    for (int attempt = 0; attempt < 30 && killed < 10; ++attempt) {
        fs::remove_all(library);
        fs::copy(pristine, library, fs::copy_options::recursive);
        ASSERT_EQ(runPackagedApplication({library.string()}).exitStatus, 0);
        const std::chrono::milliseconds delay(whole.count() / 3 + random() % (whole.count() * 2 / 3));
        const bool wasKilled = killedAfter({"--undo", library.string()}, delay);
        killed += wasKilled;
        if (!wasKilled) whole = whole * 2 / 3;
        // An undo that ended before the kill leaves the next one nothing to undo.
        killedAmidTheUndo += expectCleanUndo(library) && wasKilled;
        ASSERT_EQ(describeDifferences(before, snapshotTree(library)), "") << "killed after " << delay.count() << " ms";
    }
    EXPECT_EQ(killed, 10) << "a whole undo took " << whole.count() << " ms";
    EXPECT_GE(killedAmidTheUndo, 5) << "a whole undo took " << whole.count() << " ms";
}

}  // namespace
