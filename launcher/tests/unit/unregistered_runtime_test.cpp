// The last places the launcher looks for Java, where nothing in range is
// registered: JAVA_HOME, then the bin folders on PATH, each by the version in
// its home's release file.

#include <string>

#include "launch_settings.h"
#include "launcher_fixture.h"
#include "unregistered_runtime.h"

namespace {

const char kCurrentJreKey[] = "SOFTWARE\\JavaSoft\\JRE";

class UnregisteredRuntimeTest : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        setSetting(kLowestVersion, "1.8");
    }

    // A runtime home as an archive unpacks it: bin\java.exe and a release file.
    static void unpackRuntime(const std::string& home, const std::string& version) {
        addRuntime(home);
        world().fileTexts[home + "\\release"] =
            "IMPLEMENTOR=\"Eclipse Adoptium\"\nJAVA_VERSION=\"" + version + "\"\nJAVA_VERSION_DATE=\"2024-10-15\"\n";
    }

    static std::string startedProgram() {
        EXPECT_EQ(world().started.size(), 1u) << (world().printed.empty() ? "" : world().printed.front());
        return world().started.empty() ? std::string() : world().started.front().program;
    }
};

TEST_F(UnregisteredRuntimeTest, JavaHomeAloneIsEnough) {
    unpackRuntime("C:\\java\\jdk-17", "17.0.13");
    world().environment["JAVA_HOME"] = "C:\\java\\jdk-17";
    EXPECT_EQ(run({"D:\\music"}), 0);
    EXPECT_EQ(startedProgram(), "C:\\java\\jdk-17\\bin\\java.exe");
    EXPECT_TRUE(world().printed.empty());
    EXPECT_TRUE(world().openedAddresses.empty());
}

TEST_F(UnregisteredRuntimeTest, AJavaHomeWithATrailingBackslashIsTheSameHome) {
    unpackRuntime("C:\\java\\jdk-17", "17.0.13");
    world().environment["JAVA_HOME"] = "C:\\java\\jdk-17\\";
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(startedProgram(), "C:\\java\\jdk-17\\bin\\java.exe");
}

TEST_F(UnregisteredRuntimeTest, TheBinFoldersOnPathGiveTheirParentsAndTheGreatestVersionWins) {
    unpackRuntime("C:\\jdk-11", "11.0.25");
    unpackRuntime("C:\\jdk-21", "21.0.5");
    unpackRuntime("C:\\tools", "22");  // holds bin\java.exe, but PATH names the folder itself
    world().files["C:\\tools\\java.exe"] = 100;
    world().pathVariable = "C:\\windows;C:\\tools;;C:\\jdk-11\\bin;C:\\jdk-21\\BIN\\;C:\\jdk-21\\sbin";
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(startedProgram(), "C:\\jdk-21\\bin\\java.exe");
}

TEST_F(UnregisteredRuntimeTest, AmongEqualVersionsTheFirstFoundWinsJavaHomeBeforePath) {
    unpackRuntime("C:\\from-path", "17.0.13");
    unpackRuntime("C:\\from-home", "17.0.13");
    world().pathVariable = "C:\\from-path\\bin";
    world().environment["JAVA_HOME"] = "C:\\from-home";
    run();
    EXPECT_EQ(startedProgram(), "C:\\from-home\\bin\\java.exe");

    fake::reset();
    setSetting(kLowestVersion, "1.8");
    unpackRuntime("C:\\first", "21");
    unpackRuntime("C:\\second", "21");
    world().pathVariable = "C:\\first\\bin;C:\\second\\bin";
    run();
    EXPECT_EQ(startedProgram(), "C:\\first\\bin\\java.exe");
}

TEST_F(UnregisteredRuntimeTest, AHomeWithoutReleaseFileOrJavaExeOrOutOfRangeIsPassedOver) {
    addRuntime("C:\\no-release");
    unpackRuntime("C:\\no-java", "17");
    world().files.erase("C:\\no-java\\bin\\java.exe");
    unpackRuntime("C:\\too-old", "1.7.0_80");
    world().environment["JAVA_HOME"] = "C:\\no-release";
    world().pathVariable = "C:\\no-java\\bin;C:\\too-old\\bin";
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(onlyLine(), "tarvello: Cannot find Java 1.8");
    EXPECT_EQ(world().openedAddresses.size(), 1u);

    unpackRuntime("C:\\good", "1.8.0_431");
    world().pathVariable += ";C:\\good\\bin";
    world().printed.clear();
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(startedProgram(), "C:\\good\\bin\\java.exe");
}

TEST_F(UnregisteredRuntimeTest, TheHighestVersionBoundsTheseSourcesToo) {
    setSetting(kHighestVersion, "1.8.0_999");
    unpackRuntime("C:\\jdk-17", "17.0.13");
    world().environment["JAVA_HOME"] = "C:\\jdk-17";
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(onlyLine(), "tarvello: Cannot find Java 1.8 - 1.8.0_999");
}

TEST_F(UnregisteredRuntimeTest, ARegisteredRuntimeInRangeIsTakenOverAGreaterUnregisteredOne) {
    addRuntime("C:\\registered");
    registerVersion(kCurrentJreKey, "11", "C:\\registered");
    unpackRuntime("C:\\jdk-21", "21");
    world().environment["JAVA_HOME"] = "C:\\jdk-21";
    run();
    EXPECT_EQ(startedProgram(), "C:\\registered\\bin\\java.exe");
}

TEST_F(UnregisteredRuntimeTest, ARegisteredRuntimeWithoutJavaExeStillEndsTheLaunch) {
    registerVersion(kCurrentJreKey, "11", "C:\\uninstalled");
    unpackRuntime("C:\\jdk-21", "21");
    world().environment["JAVA_HOME"] = "C:\\jdk-21";
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(onlyLine(), "tarvello: Java found, but javaw.exe seems to be missing.");
}

TEST_F(UnregisteredRuntimeTest, AShippedRuntimeStaysFirst) {
    addRuntime("C:\\apps\\jre");
    setSetting(kShippedRuntimeDir, "C:\\apps\\jre");
    unpackRuntime("C:\\jdk-21", "21");
    world().environment["JAVA_HOME"] = "C:\\jdk-21";
    run();
    EXPECT_EQ(startedProgram(), "C:\\apps\\jre\\bin\\java.exe");
}

TEST_F(UnregisteredRuntimeTest, AnOverlongValueOrFolderIsPassedOverWithoutHarm) {
    const std::string longHome = "C:\\" + std::string(300, 'j');
    unpackRuntime(longHome, "17");
    world().environment["JAVA_HOME"] = longHome;
    world().pathVariable = "C:\\" + std::string(5000, 'p') + "\\bin;" + longHome + "\\bin";
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(onlyLine(), "tarvello: Cannot find Java 1.8");

    unpackRuntime("C:\\jdk-17", "17");
    world().pathVariable += ";C:\\jdk-17\\bin";
    world().printed.clear();
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(startedProgram(), "C:\\jdk-17\\bin\\java.exe");
}

TEST_F(UnregisteredRuntimeTest, AHomeOutsideTheCodePageIsTakenByItsShortName) {
    unpackRuntime("C:\\Users\\ADMINI~1\\jdk", "21");
    world().shortNames["C:\\Users\\Администратор\\jdk"] = "C:\\Users\\ADMINI~1\\jdk";
    world().environment["JAVA_HOME"] = "C:\\Users\\Администратор\\jdk";
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(startedProgram(), "C:\\Users\\ADMINI~1\\jdk\\bin\\java.exe");
}

// Command Prompt reads PATH so, and some installers write a folder between
// double quotes: it splits at ";" outside them and drops them.
TEST_F(UnregisteredRuntimeTest, PathIsSplitAndUnquotedAsCommandPromptReadsIt) {
    struct Case {
        const char* path;
        const char* started;  // empty: no runtime found
    };
    const Case cases[] = {
        {"C:\\windows;\"C:\\Program Files\\Java\\jdk-21\\bin\";C:\\other", "C:\\Program Files\\Java\\jdk-21"},
        {"\"C:\\Program Files\\Java\\jdk-21\\bin\"", "C:\\Program Files\\Java\\jdk-21"},
        {"C:\\\"Program Files\"\\Java\\jdk-21\\bin", "C:\\Program Files\\Java\\jdk-21"},
        {"C:\\x;\"C:\\odd;name\\bin\";C:\\y", "C:\\odd;name"},
        // An unbalanced quote runs to the end of PATH: it and all after it are one entry.
        {"\"C:\\windows;C:\\Program Files\\Java\\jdk-21\\bin", ""},
        {"C:\\windows;\"C:\\odd;name\\bin", "C:\\odd;name"},
        {"\"\";\"\"\";;\"", ""},
    };
    for (const Case& c : cases) {
        fake::reset();
        setSetting(kLowestVersion, "1.8");
        unpackRuntime("C:\\Program Files\\Java\\jdk-21", "21");
        unpackRuntime("C:\\odd;name", "17");
        world().pathVariable = c.path;
        const std::string expected = c.started;
        EXPECT_EQ(run(), expected.empty() ? 1 : 0) << c.path;
        if (expected.empty()) {
            EXPECT_TRUE(world().started.empty()) << c.path;
        } else {
            EXPECT_EQ(startedProgram(), expected + "\\bin\\java.exe") << c.path;
        }
    }
}

TEST_F(UnregisteredRuntimeTest, AQuotedJavaHomeIsTheFolderBetweenTheQuotes) {
    unpackRuntime("C:\\Program Files\\Java\\jdk-17", "17.0.13");
    for (const char* javaHome : {"\"C:\\Program Files\\Java\\jdk-17\"", "\"C:\\Program Files\\Java\\jdk-17\\\"",
                                 "C:\\\"Program Files\"\\Java\\jdk-17", "\"C:\\Program Files\\Java\\jdk-17"}) {
        world().environment["JAVA_HOME"] = javaHome;
        world().started.clear();
        EXPECT_EQ(run(), 0) << javaHome;
        EXPECT_EQ(startedProgram(), "C:\\Program Files\\Java\\jdk-17\\bin\\java.exe") << javaHome;
    }
}

TEST(ReleaseVersion, IsTheQuotedValueOfJavaVersionOnALineOfItsOwn) {
    char version[kVersionCapacity];
    EXPECT_TRUE(releaseVersion("JAVA_VERSION=\"1.8.0_431\"\nOS_NAME=\"Windows\"\n", version));
    EXPECT_STREQ(version, "1.8.0_431");
    EXPECT_TRUE(
        releaseVersion("IMPLEMENTOR=\"x\"\r\nJAVA_VERSION_DATE=\"2024\"\r\nJAVA_VERSION=\"21.0.5\"\r\n", version));
    EXPECT_STREQ(version, "21.0.5");
    EXPECT_TRUE(releaseVersion("JAVA_VERSION=\"17\"", version)) << "no line end at the end";
    EXPECT_STREQ(version, "17");
}

TEST(ReleaseVersion, AMalformedReleaseFileGivesNone) {
    const std::string tooLong = "JAVA_VERSION=\"" + std::string(kVersionCapacity, '1') + "\"\n";
    for (const std::string& text : {std::string(""), std::string("JAVA_VERSION_DATE=\"2024-10-15\"\n"),
                                    std::string("JAVA_VERSION=17\n"), std::string("JAVA_VERSION=\"17\nOS_NAME=\"x\"\n"),
                                    std::string("JAVA_VERSION=\"\"\n"), std::string(" JAVA_VERSION=\"17\"\n"),
                                    std::string("MY_JAVA_VERSION=\"17\"\n"), std::string("JAVA_VERSION=\""), tooLong}) {
        char version[kVersionCapacity] = "untouched";
        EXPECT_FALSE(releaseVersion(text.c_str(), version)) << text;
    }
}

}  // namespace
