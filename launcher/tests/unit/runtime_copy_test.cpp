// The program started for a runtime: its own java.exe or a copy named after the executable.

#include <map>
#include <set>
#include <string>

#include "fixed_text.h"
#include "launch_settings.h"
#include "launcher_fixture.h"
#include "runtime_copy.h"

namespace {

const std::string kHome = "C:\\java";
const std::string kJavaExe = kHome + "\\bin\\java.exe";
const std::string kCopyDir = kHome + "\\tarvello-tmp";
const std::string kCopy = kCopyDir + "\\tool.exe";
constexpr long long kJavaSize = 4096;
const std::string kInheritedPath = fake::World().pathVariable;

class RuntimeCopyTest : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        addRuntime(kHome, kJavaSize);
        initLaunchState(state);
        state.nameProcessAfterExe = true;
        state.runtimeExeSize = kJavaSize;
        useExe(world().exePath);
    }

    void useExe(const std::string& path) {
        ASSERT_TRUE(copyText(state.exePath, path.c_str()));
        state.exeNameStart = static_cast<int>(path.rfind('\\'));
    }

    // The program to start for the runtime at `home`.
    std::string prepare(const std::string& home = kHome) {
        EXPECT_TRUE(copyText(state.runtimePath, home.c_str()));
        prepareRuntimeProgram(state);
        return state.runtimePath;
    }

    // The files and folders, to show that a fall-back left them as they were.
    static std::pair<std::map<std::string, long long>, std::set<std::string>> fileSystem() {
        return {world().files, world().directories};
    }
};

TEST_F(RuntimeCopyTest, WithoutTheFlagTheRuntimesOwnJavaExeRunsAndNothingIsTouched) {
    state.nameProcessAfterExe = false;
    world().directories.insert(kCopyDir);
    world().files[kCopyDir + "\\old.exe"] = 1;
    const auto before = fileSystem();
    EXPECT_EQ(prepare(), kJavaExe);
    EXPECT_EQ(fileSystem(), before);
}

TEST_F(RuntimeCopyTest, TheFirstStartMakesTheFolderAndACopyNamedLikeTheExecutable) {
    EXPECT_EQ(prepare(), kCopy);
    EXPECT_EQ(world().directories.count(kCopyDir), 1u);
    EXPECT_EQ(world().files.at(kCopy), kJavaSize);

    useExe("C:\\apps\\My Tool 2.EXE");
    EXPECT_EQ(prepare(), kCopyDir + "\\My Tool 2.EXE") << "the name is taken as it is, extension included";
}

TEST_F(RuntimeCopyTest, EveryExecutableLeftInTheFolderIsDeletedFirst) {
    world().directories.insert(kCopyDir);
    for (const char* name : {"old-name.exe", "other-app.exe", "tool.exe", "notes.txt", "running.exe"}) {
        world().files[kCopyDir + "\\" + name] = 7;
    }
    world().filesInUse.insert(kCopyDir + "\\running.exe");

    EXPECT_EQ(prepare(), kCopy);
    std::set<std::string> left;
    for (const auto& file : world().files) {
        if (file.first.rfind(kCopyDir, 0) == 0) left.insert(file.first.substr(kCopyDir.size() + 1));
    }
    EXPECT_EQ(left, (std::set<std::string>{"notes.txt", "running.exe", "tool.exe"}));
    EXPECT_EQ(world().files.at(kCopy), kJavaSize) << "the copy is made afresh";
}

TEST_F(RuntimeCopyTest, ACopyInUseIsReusedOnlyWhenItHasJavaExesSize) {
    world().directories.insert(kCopyDir);
    world().files[kCopy] = kJavaSize;
    world().filesInUse.insert(kCopy);
    EXPECT_EQ(prepare(), kCopy);

    // The runtime was updated while the old copy still runs.
    world().files[kCopy] = kJavaSize - 1;
    EXPECT_EQ(prepare(), kJavaExe);
    EXPECT_EQ(world().files.at(kCopy), kJavaSize - 1);
}

TEST_F(RuntimeCopyTest, AFolderThatCannotBeMadeFallsBackSilently) {
    world().readOnlyDirectories.insert(kHome);
    const auto before = fileSystem();
    EXPECT_EQ(prepare(), kJavaExe);
    EXPECT_EQ(fileSystem(), before);
    EXPECT_TRUE(world().printed.empty());
}

TEST_F(RuntimeCopyTest, PathsTooLongForTheCopyFallBackWithoutTouchingAnything) {
    // A home that just takes "\bin\java.exe" but not "\tarvello-tmp\tool.exe".
    const std::string longHome = "C:\\" + std::string(kPathCapacity - 1 - 13 - 3, 'j');
    addRuntime(longHome, kJavaSize);
    auto before = fileSystem();
    EXPECT_EQ(prepare(longHome), longHome + "\\bin\\java.exe");
    EXPECT_EQ(fileSystem(), before);

    // A home whose copy folder fits, but not the copy under the executable's long name.
    useExe("C:\\apps\\" + std::string(kPathCapacity - 1 - kCopyDir.size() - 1 - 4, 'n') + ".exe");
    EXPECT_EQ(prepare(), kCopyDir + "\\" + std::string(state.exePath + state.exeNameStart + 1));
    useExe(std::string(state.exePath).insert(8, "n"));
    before = fileSystem();
    EXPECT_EQ(prepare(), kJavaExe);
    EXPECT_EQ(fileSystem(), before);
}

TEST_F(RuntimeCopyTest, TheLaunchStartsTheCopyOfARegisteredRuntime) {
    setSetting(kLowestVersion, "1.4.0");
    setSetting(kNameProcessAfterExe, "true");
    registerVersion("SOFTWARE\\JavaSoft\\JRE", "17", kHome);
    EXPECT_EQ(run({"D:\\music"}), 0);
    ASSERT_EQ(world().started.size(), 1u);
    EXPECT_EQ(world().started[0].program, kCopy);
    EXPECT_EQ(world().started[0].commandLine, "\"" + kCopy + "\" -jar \"C:\\apps\\tool.exe\" D:\\music");
    EXPECT_EQ(world().started[0].path, kHome + "\\bin;" + kInheritedPath);
}

TEST_F(RuntimeCopyTest, OnlyTheCopyGetsTheRuntimesBinFirstOnItsPath) {
    EXPECT_EQ(prepare(), kCopy);
    EXPECT_EQ(world().pathVariable, kHome + "\\bin;" + kInheritedPath);

    fake::reset();
    addRuntime(kHome, kJavaSize);
    state.nameProcessAfterExe = false;
    EXPECT_EQ(prepare(), kJavaExe);
    EXPECT_EQ(world().pathVariable, kInheritedPath) << "java.exe finds its libraries beside itself";

    fake::reset();
    addRuntime(kHome, kJavaSize);
    world().pathVariable = "";
    state.nameProcessAfterExe = true;
    EXPECT_EQ(prepare(), kCopy);
    EXPECT_EQ(world().pathVariable, kHome + "\\bin") << "an empty PATH gets no separator";
}

// The copy lies outside bin; started in the user's folder it would look there
// for jli.dll first, had the launcher not named bin as the library folder.
TEST_F(RuntimeCopyTest, TheRuntimesBinIsTheLibraryFolderBeforeTheStart) {
    setSetting(kLowestVersion, "1.4.0");
    registerVersion("SOFTWARE\\JavaSoft\\JRE", "17", kHome);
    for (const char* flag : {"true", "false"}) {
        world().started.clear();
        world().libraryFolder.clear();
        setSetting(kNameProcessAfterExe, flag);

        EXPECT_EQ(run({"."}), 0) << flag;

        ASSERT_EQ(world().started.size(), 1u) << flag;
        EXPECT_EQ(world().started[0].program, std::string(flag) == "true" ? kCopy : kJavaExe);
        EXPECT_EQ(world().started[0].libraryFolder, kHome + "\\bin") << flag;
        EXPECT_EQ(world().started[0].workingDir, "C:\\start") << "the user's folder stays the current one";
    }
}

TEST_F(RuntimeCopyTest, APathWithNoRoomForTheRuntimesBinStartsJavaExeItself) {
    world().pathCapacity = kInheritedPath.size() + kHome.size() + 5;  // one short of "<home>\\bin;" and the rest
    EXPECT_EQ(prepare(), kJavaExe);
    EXPECT_EQ(world().pathVariable, kInheritedPath);

    world().pathCapacity += 1;
    EXPECT_EQ(prepare(), kCopy);
}

}  // namespace
