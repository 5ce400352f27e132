// The release archive as a user gets it: unpacked by an independent reader into a folder whose
// name has blanks, it holds one folder with the four files, its checksums match SHA256SUMS, and
// its executable runs under Wine with a runtime registered as an installer registers it.

#include <gtest/gtest.h>

#include <algorithm>

#include "directory_listing.h"
#include "file_bytes.h"
#include "library_outcome.h"
#include "run_process.h"
#include "runtime_registration.h"
#include "sample_run.h"
#include "temp_dir.h"
#include "wine_run.h"

namespace fs = std::filesystem;

namespace {

const std::string kFolder = "dovatrik-" PROJECT_VERSION;

class ReleaseArchive : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(downloads);
        fs::copy_file(RELEASE_ZIP, downloads / fs::path(RELEASE_ZIP).filename());
        fs::copy_file(RELEASE_SUMS, downloads / "SHA256SUMS");
        const ProcessResult unpacked =
            runProcess({"cmake", "-E", "tar", "xf", fs::path(RELEASE_ZIP).filename().string()}, downloads.string());
        ASSERT_EQ(unpacked.exitStatus, 0) << unpacked.err;
    }

    TempDir temp{"release"};
    const fs::path downloads = temp.path() / "my downloads" / "new tools";
    const fs::path folder = downloads / kFolder;
};

TEST_F(ReleaseArchive, HoldsOneFolderWithTheProgramTheLibraryTheGuideAndTheLicence) {
    std::vector<std::string> top = listDirectory(downloads);
    std::sort(top.begin(), top.end());
    EXPECT_EQ(top, (std::vector<std::string>{"SHA256SUMS", kFolder, fs::path(RELEASE_ZIP).filename().string()}));
    std::vector<std::string> files = listDirectory(folder);
    std::sort(files.begin(), files.end());
    EXPECT_EQ(files, (std::vector<std::string>{"LICENSE.txt", "README.txt", "dovatrik.exe", "lib"}));
    EXPECT_EQ(listDirectory(folder / "lib"), (std::vector<std::string>{"jid3.jar"}));
    EXPECT_EQ(readFileBytes(folder / "lib" / "jid3.jar"), readFileBytes(JID3_JAR));

    for (const char* text : {"README.txt", "LICENSE.txt"}) {
        SCOPED_TRACE(text);
        const std::string bytes = readFileBytes(folder / text);
        size_t lineFeeds = 0;
        for (size_t at = bytes.find('\n'); at != std::string::npos; at = bytes.find('\n', at + 1)) {
            ++lineFeeds;
            EXPECT_TRUE(at > 0 && bytes[at - 1] == '\r') << "a line feed without carriage return at " << at;
        }
        EXPECT_GT(lineFeeds, 10u);
    }
    const std::string guide = readFileBytes(folder / "README.txt");
    for (const char* topic : {"--dry-run", "--undo", "--version", "Exit status", "Cannot find Java", "Known limits"}) {
        EXPECT_NE(guide.find(topic), std::string::npos) << topic;
    }
}

TEST_F(ReleaseArchive, TheChecksumsOfTheArchiveAndOfEveryFileMatch) {
    const ProcessResult checked = runProcess({"sha256sum", "--check", "--strict", "SHA256SUMS"}, downloads.string());
    EXPECT_EQ(checked.exitStatus, 0) << checked.out << checked.err;
    EXPECT_EQ(std::count(checked.out.begin(), checked.out.end(), '\n'), 5) << checked.out;
}

TEST_F(ReleaseArchive, TheUnpackedProgramFindsARegisteredRuntimeAndTidiesALibrary) {
    const fs::path home = temp.path() / "java home";
    copyRuntimeHome(BRIDGE_RUNTIME_HOME, home);
    RuntimeRegistrations registry;
    registry.addInstallerPath({RegistryRoot::machine, RegistryView::bits64}, "Eclipse Adoptium\\JRE", "17.0.9.9",
                              windowsPath(home) + "\\");
    const fs::path exe = folder / "dovatrik.exe";

    const ProcessResult version = runUnderWine(exe, {"--version"}, temp.path(), {"LC_ALL=C.UTF-8"});
    EXPECT_EQ(version.exitStatus, 0) << version.out << version.err;
    EXPECT_EQ(version.out, "Dovatrik " PROJECT_VERSION "\n");

    const fs::path root = temp.path() / "music library";
    generateSampleLibrary(root);
    const ExpectedRun expected = expectRun(root, sampleAlbums());
    const ProcessResult run = runUnderWine(exe, {windowsPath(root)}, temp.path(), {"LC_ALL=C.UTF-8"});
    expectOutcome(run, 0, expected, root);
    EXPECT_EQ(run.err, "");
}

}  // namespace
