// The copy of java.exe named after the executable, on Wine's real file system.

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <future>
#include <string>
#include <thread>
#include <vector>

#include "directory_listing.h"
#include "file_bytes.h"
#include "registered_runtime_fixture.h"

namespace fs = std::filesystem;

namespace {

class RuntimeCopyUnderWine : public RegisteredRuntimeUnderWine {
protected:
    void SetUp() override {
        exe = install("named.exe");
        home = placeRuntime("jre 1.8");
        registerRuntime(k64, "Java Runtime Environment", "1.8.0_301", home);
        copyDir = home / "tarvello-tmp";
        copy = copyDir / "named.exe";
    }

    // Waits until the stand-in has recorded `count` starts.
    bool waitForStarts(size_t count) const {
        for (int i = 0; i < 300; ++i) {
            if (starts().size() >= count) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return false;
    }

    fs::path exe;
    fs::path home;
    fs::path copyDir;
    fs::path copy;
};

TEST_F(RuntimeCopyUnderWine, StartsACopyNamedLikeTheExecutableAfterDeletingOldExecutables) {
    fs::create_directories(copyDir);
    writeFileBytes(copyDir / "old-name.exe", "a copy left under the launcher's former name");
    writeFileBytes(copyDir / "notes.txt", "not an executable");

    const ProcessResult result = run(exe);

    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_STRCASEEQ(onlyStartedProgram().c_str(), windowsPath(copy).c_str());
    EXPECT_EQ(readFileBytes(copy), readFileBytes(home / "bin" / "java.exe"));
    auto left = listDirectory(copyDir);
    std::sort(left.begin(), left.end());
    EXPECT_EQ(left, (std::vector<std::string>{"named.exe", "notes.txt"}));
}

TEST_F(RuntimeCopyUnderWine, TheCopyFindsTheLibrariesInBinAndTheHomeAboveItsFolder) {
    const ProcessResult result = run(exe, {"STANDIN_EXIT=7"});

    EXPECT_EQ(result.exitStatus, 7) << result.err;
    EXPECT_EQ(result.out, "");
    const auto records = starts();
    ASSERT_EQ(records.size(), 1u) << "the copy did not start: " << result.err;
    EXPECT_STRCASEEQ(records[0].program.c_str(), windowsPath(copy).c_str());
    EXPECT_STRCASEEQ(records[0].home.c_str(), windowsPath(home).c_str());
    EXPECT_FALSE(fs::exists(copyDir / "jli.dll")) << "nothing but the copy is placed in its folder";
}

TEST_F(RuntimeCopyUnderWine, ASecondStartWhileTheFirstRunsReusesItsCopyUntilJavaExeChanges) {
    auto first = std::async(std::launch::async, [this] { return run(exe, {"STANDIN_SLEEP_MS=8000"}); });
    ASSERT_TRUE(waitForStarts(1));
    const std::string copied = readFileBytes(copy);

    const ProcessResult second = run(exe);
    // An updated runtime: java.exe has another size than the copy that still runs.
    std::ofstream(home / "bin" / "java.exe", std::ios::binary | std::ios::app) << "update";
    const ProcessResult third = run(exe);
    EXPECT_EQ(first.get().exitStatus, 0);

    EXPECT_EQ(second.exitStatus, 0);
    EXPECT_EQ(third.exitStatus, 0);
    EXPECT_EQ(second.out + third.out, "");
    const auto records = starts();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_STRCASEEQ(records[0].program.c_str(), windowsPath(copy).c_str());
    EXPECT_STRCASEEQ(records[1].program.c_str(), windowsPath(copy).c_str()) << "the running copy is reused";
    EXPECT_STRCASEEQ(records[2].program.c_str(), javaExe(home).c_str()) << "a copy of another size is not";
    EXPECT_EQ(readFileBytes(copy), copied) << "a running copy is never replaced";
}

TEST_F(RuntimeCopyUnderWine, AFileInThePlaceOfTheFolderMakesJavaExeItselfRun) {
    // Running as root, file permissions refuse nothing; a file of the folder's name does.
    writeFileBytes(copyDir, "not a folder");

    const ProcessResult result = run(exe);

    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_STRCASEEQ(onlyStartedProgram().c_str(), javaExe(home).c_str());
    EXPECT_EQ(readFileBytes(copyDir), "not a folder");
}

// Marks a folder immutable, which refuses new entries even to root, for as long as it lives.
class ImmutableFolder {
public:
    explicit ImmutableFolder(const fs::path& folder) : folder_(folder) {
        made_ = runProcess({"chattr", "+i", folder.string()}).exitStatus == 0;
    }
    ImmutableFolder(const ImmutableFolder&) = delete;
    ImmutableFolder& operator=(const ImmutableFolder&) = delete;
    ~ImmutableFolder() {
        if (made_) runProcess({"chattr", "-i", folder_.string()});
    }
    bool made() const { return made_; }

private:
    fs::path folder_;
    bool made_ = false;
};

TEST_F(RuntimeCopyUnderWine, AHomeThatRefusesNewFoldersMakesJavaExeItselfRun) {
    const ImmutableFolder readOnlyHome(home);
    if (!readOnlyHome.made()) GTEST_SKIP() << "the temporary folder's file system cannot mark folders immutable";

    const ProcessResult result = run(exe);

    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_STRCASEEQ(onlyStartedProgram().c_str(), javaExe(home).c_str());
    EXPECT_FALSE(fs::exists(copyDir));
}

}  // namespace
