// Runs on a pseudo-terminal: while the application works, one status line at the bottom tells how far
// it has come; once it ends, the screen holds exactly the lines a redirected run prints. Wherever the
// output goes to a file or a pipe, not a byte of it changes.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <regex>

#include "application_run.h"
#include "file_bytes.h"
#include "library_outcome.h"
#include "sample_expectations.h"
#include "temp_dir.h"
#include "terminal_run.h"
#include "terminal_screen.h"
#include "tree_snapshot.h"

namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;

constexpr std::size_t kAlbums = 200;
// Two thousand small tracks: about half a second of work here, several rewrites of the line.
const std::vector<std::string> kLibrarySize{"--albums", std::to_string(kAlbums), "--tracks",
                                            "10",       "--track-bytes",         "16384"};

std::string joined(const Lines& lines) {
    std::string text;
    for (const std::string& line : lines) text += line + "\n";
    return text;
}

// What the terminal shows of text written to it: the driver turns each line feed into a carriage
// return and a line feed.
std::string asShown(const std::string& text) {
    std::string shown;
    for (char c : text) shown += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return shown;
}

// The final screen of a terminal `columns` wide to which the text was written.
Lines screenOf(const std::string& text, std::size_t columns) { return renderScreen(asShown(text), columns); }

// Every status line written, as it was written (with the blanks that cover a longer line before it).
Lines statusLines(const std::string& screen) {
    Lines found;
    for (std::size_t at = screen.find("\rAlbum "); at != std::string::npos; at = screen.find("\rAlbum ", at + 1)) {
        const std::size_t end = screen.find_first_of("\r\n", at + 1);
        found.push_back(screen.substr(at + 1, end == std::string::npos ? std::string::npos : end - at - 1));
    }
    return found;
}

std::string withoutTrailingBlanks(std::string text) {
    text.erase(text.find_last_not_of(' ') + 1);
    return text;
}

// Each line fits the width, follows the line's form, and album and track counts never go back.
void expectStatusLines(const Lines& found, bool withBytes, std::size_t width) {
    const std::regex form(withBytes ? "Album ([0-9]+)/200  .+  ([0-9,]+) tracks?  [0-9.]+ (B|kB|MB)  0:[0-9]{2}"
                                    : "Album ([0-9]+)/200  .+  ([0-9,]+) tracks?  0:[0-9]{2}");
    long lastAlbum = 0;
    long lastTracks = 0;
    for (const std::string& line : found) {
        SCOPED_TRACE(line);
        EXPECT_LE(line.size(), width);
        std::smatch match;
        const std::string text = withoutTrailingBlanks(line);
        if (width < 79) {
            EXPECT_EQ(text.rfind("Album ", 0), 0u);
            continue;
        }
        ASSERT_TRUE(std::regex_match(text, match, form));
        std::string tracks = match[2];
        tracks.erase(std::remove(tracks.begin(), tracks.end(), ','), tracks.end());
        EXPECT_GE(std::stol(match[1]), lastAlbum);
        EXPECT_GE(std::stol(tracks), lastTracks);
        lastAlbum = std::stol(match[1]);
        lastTracks = std::stol(tracks);
    }
}

class OnATerminal : public ::testing::Test {
protected:
    // The same library at the same path for each run, so that both runs print the same lines.
    void freshLibrary(const std::vector<std::string>& options = kLibrarySize) {
        fs::remove_all(library);
        generateSampleLibrary(library, options);
    }

    TerminalRun onTerminal(const std::vector<std::string>& arguments, const fs::path& outputFile = {},
                           const fs::path& errorFile = {}, const std::vector<std::string>& extraEnv = {},
                           unsigned short columns = 80, const std::string& java = "") {
        std::vector<std::string> environment{kApplicationLocale};
        environment.insert(environment.end(), extraEnv.begin(), extraEnv.end());
        return runOnTerminal(packagedApplicationCommand(arguments, java), environment, outputFile, errorFile, columns);
    }

    TempDir dir{"cli"};
    const fs::path library = dir.path() / "music";
};

TEST_F(OnATerminal, TheStatusLineShowsWhileTheRunWorksAndTheScreenEndsWithTheRedirectedRunsLines) {
    freshLibrary();
    const ProcessResult redirected = runPackagedApplication({library.string()});
    ASSERT_EQ(redirected.exitStatus, 0) << redirected.err;
    ASSERT_EQ(redirected.err, "");
    const TreeSnapshot afterRedirected = snapshotTree(library);

    freshLibrary();
    const TerminalRun run = onTerminal({library.string()});
    EXPECT_EQ(run.exitStatus, 0);
    const Lines shown = statusLines(run.screen);
    EXPECT_GE(shown.size(), 2u) << run.screen.substr(0, 2000);
    expectStatusLines(shown, true, 79);
    EXPECT_EQ(renderScreen(run.screen, 80), screenOf(redirected.out, 80));
    EXPECT_EQ(screenOf(redirected.out, 80), lines(redirected.out));
    EXPECT_EQ(describeDifferences(afterRedirected, snapshotTree(library)), "");
}

TEST_F(OnATerminal, ADryRunShowsTheLineWithoutBytes) {
    freshLibrary();
    const ProcessResult redirected = runPackagedApplication({"--dry-run", library.string()});
    ASSERT_EQ(redirected.exitStatus, 0) << redirected.err;

    const TerminalRun run = onTerminal({"--dry-run", library.string()});
    EXPECT_EQ(run.exitStatus, 0);
    const Lines shown = statusLines(run.screen);
    EXPECT_GE(shown.size(), 1u);
    expectStatusLines(shown, false, 79);
    EXPECT_EQ(renderScreen(run.screen, 80), screenOf(redirected.out, 80));
}

TEST_F(OnATerminal, OverTheSampleLibraryTheScreenHoldsTheRunsLines) {
    generateSampleLibrary(library);
    const ExpectedRun expected = expectRun(library, sampleAlbums());
    const TerminalRun run = onTerminal({library.string()});
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(consoleLines(joined(renderScreen(run.screen, 80))), expected.consoleLines);
    EXPECT_EQ(describeDifferences(expected.tree, snapshotTree(library)), "");
}

// Diagnostics spread over the run: every tenth album has a folder where its playlist should go.
class DiagnosticsOnATerminal : public OnATerminal {
protected:
    void freshLibraryWithObstacles() {
        freshLibrary();
        std::size_t index = 0;
        for (const fs::directory_entry& album : fs::directory_iterator(library)) {
            if (index++ % 10 != 0) continue;
            std::string text = album.path().filename().string();
            for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
            fs::create_directory(album.path() / ("00-" + text + ".m3u"));
            writeFileBytes(album.path() / ("00-" + text + ".m3u") / "kept", "kept");
        }
    }

    ProcessResult redirectedRun() {
        freshLibraryWithObstacles();
        const ProcessResult redirected = runPackagedApplication({library.string()});
        EXPECT_EQ(redirected.exitStatus, 1);
        // Each obstacle is two reports: the old list that will not go, and the new one not written.
        EXPECT_EQ(lines(redirected.err).size(), 2 * (kAlbums / 10)) << redirected.err;
        freshLibraryWithObstacles();
        return redirected;
    }
};

TEST_F(DiagnosticsOnATerminal, EachStandsOnALineOfItsOwnAmongTheRunsLines) {
    const ProcessResult redirected = redirectedRun();
    const TerminalRun run = onTerminal({library.string()});
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_GE(statusLines(run.screen).size(), 2u);
    Lines diagnostics;
    Lines others;
    for (const std::string& line : renderScreen(run.screen, 80))
        (line.rfind("Cannot ", 0) == 0 ? diagnostics : others).push_back(line);
    EXPECT_EQ(diagnostics, lines(redirected.err));
    EXPECT_EQ(others, screenOf(redirected.out, 80));
}

// `dovatrik D:\Music > log.txt` from a console: the log gets what it always got, the console only the
// diagnostics.
TEST_F(DiagnosticsOnATerminal, WithTheOutputInAFileNothingChangesAndNoLineShows) {
    const ProcessResult redirected = redirectedRun();
    const fs::path outputFile = dir.path() / "out.txt";
    const TerminalRun run = onTerminal({library.string()}, outputFile);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(readFileBytes(outputFile), redirected.out);
    EXPECT_EQ(run.screen, asShown(redirected.err));
}

TEST_F(DiagnosticsOnATerminal, TheStatusLineNeverGoesToStandardError) {
    const ProcessResult redirected = redirectedRun();
    const fs::path errorFile = dir.path() / "err.txt";
    const TerminalRun run = onTerminal({library.string()}, {}, errorFile);
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(readFileBytes(errorFile), redirected.err);
    EXPECT_GE(statusLines(run.screen).size(), 2u);
    EXPECT_EQ(renderScreen(run.screen, 80), screenOf(redirected.out, 80));
}

TEST_F(OnATerminal, TheLineFitsTheExportedColumns) {
    freshLibrary();
    const ProcessResult redirected = runPackagedApplication({"--dry-run", library.string()});
    const TerminalRun run = onTerminal({"--dry-run", library.string()}, {}, {}, {"COLUMNS=40"}, 40);
    EXPECT_EQ(run.exitStatus, 0);
    const Lines shown = statusLines(run.screen);
    EXPECT_GE(shown.size(), 1u);
    expectStatusLines(shown, false, 40);
    EXPECT_EQ(renderScreen(run.screen, 40), screenOf(redirected.out, 40));
}

TEST_F(OnATerminal, OnJava22OrLaterTheLineShowsOnATerminalOnly) {
    const std::string java = NEWER_JAVA_EXECUTABLE;
    if (java.empty()) GTEST_SKIP() << "no Java 22 or later installed (give NEWER_JAVA_EXECUTABLE to CMake)";
    freshLibrary();
    const std::vector<std::string> arguments{"--dry-run", library.string()};
    const ProcessResult piped = runProcess(packagedApplicationCommand(arguments, java), "", {kApplicationLocale});
    ASSERT_EQ(piped.exitStatus, 0) << piped.err;
    EXPECT_EQ(piped.out.find('\r'), std::string::npos);

    const TerminalRun run = onTerminal(arguments, {}, {}, {}, 80, java);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_GE(statusLines(run.screen).size(), 1u);
    EXPECT_EQ(renderScreen(run.screen, 80), screenOf(piped.out, 80));

    const fs::path outputFile = dir.path() / "out.txt";
    const TerminalRun toFile = onTerminal(arguments, outputFile, {}, {}, 80, java);
    EXPECT_EQ(toFile.exitStatus, 0);
    EXPECT_EQ(readFileBytes(outputFile), piped.out);
    EXPECT_EQ(toFile.screen, "");
}

// Pipes and files alike get the run's lines and nothing else, whatever the environment says of a
// terminal.
TEST_F(OnATerminal, RedirectedOutputHoldsNoStatusLine) {
    freshLibrary();
    const ProcessResult piped = runPackagedApplication({library.string()});
    freshLibrary();
    const fs::path out = dir.path() / "out.txt";
    const fs::path err = dir.path() / "err.txt";
    const int status = runProcessToFiles(packagedApplicationCommand({library.string()}), out, err, "",
                                         {kApplicationLocale, "TERM=xterm", "COLUMNS=80"});
    EXPECT_EQ(status, 0);
    EXPECT_EQ(piped.exitStatus, 0);
    EXPECT_EQ(readFileBytes(out), piped.out);
    EXPECT_EQ(readFileBytes(err), piped.err);
    EXPECT_EQ(piped.out.find('\r'), std::string::npos);
    EXPECT_EQ(piped.out.find("Album "), std::string::npos);
}

}  // namespace
