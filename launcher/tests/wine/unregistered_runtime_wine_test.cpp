// The last places the real launcher looks for Java under Wine, where nothing in range is
// registered: JAVA_HOME, then the bin folders on PATH (which Wine takes from WINEPATH for
// Windows programs), each home by the version in its release file.

#include <filesystem>
#include <string>

#include "file_bytes.h"
#include "registered_runtime_fixture.h"

namespace fs = std::filesystem;

namespace {

class UnregisteredRuntimeUnderWine : public RegisteredRuntimeUnderWine {
protected:
    // A runtime folder as an archive unpacks it: the stand-in runtime and a release file.
    fs::path unpackRuntime(const std::string& name, const std::string& version) {
        const fs::path home = placeRuntime(name);
        writeFileBytes(home / "release", "IMPLEMENTOR=\"Eclipse Adoptium\"\nJAVA_VERSION=\"" + version +
                                             "\"\nJAVA_VERSION_DATE=\"2024-10-15\"\n");
        return home;
    }

    static std::string javaHome(const fs::path& home) { return "JAVA_HOME=" + windowsPath(home); }
    static std::string winePath(const fs::path& folder) { return "WINEPATH=" + windowsPath(folder); }
};

TEST_F(UnregisteredRuntimeUnderWine, JavaHomeAloneIsEnough) {
    const fs::path home = unpackRuntime("jdk-17.0.13+11", "17.0.13");

    const ProcessResult result = run(install("registered.exe"), {javaHome(home)});

    EXPECT_EQ(result.exitStatus, 0) << result.out;
    EXPECT_EQ(result.out, "");
    EXPECT_STRCASEEQ(onlyStartedProgram().c_str(), javaExe(home).c_str());
}

TEST_F(UnregisteredRuntimeUnderWine, PathAloneIsEnough) {
    const fs::path other = temp.path() / "tools";
    fs::create_directories(other);
    const fs::path home = unpackRuntime("jdk-21", "21.0.5");

    const ProcessResult result = run(
        install("registered.exe"), {"JAVA_HOME=", "WINEPATH=" + windowsPath(other) + ";" + windowsPath(home / "bin")});

    EXPECT_EQ(result.exitStatus, 0) << result.out;
    EXPECT_STRCASEEQ(onlyStartedProgram().c_str(), javaExe(home).c_str());
}

TEST_F(UnregisteredRuntimeUnderWine, AJavaHomeWithoutReleaseFileOrOutOfRangeIsNoJava) {
    const fs::path noRelease = placeRuntime("jdk without release");

    ProcessResult result = run(install("registered.exe"), {javaHome(noRelease), "WINEPATH="});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, "Probe: Cannot find Java 1.4.0\r\n");

    const fs::path tooNew = unpackRuntime("jdk-17", "17.0.13");
    result = run(install("up-to-8.exe"), {javaHome(tooNew), winePath(tooNew / "bin")});
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, "Probe: Cannot find Java 1.8 - 1.8.0_999\r\n");
    EXPECT_TRUE(starts().empty());
}

TEST_F(UnregisteredRuntimeUnderWine, ARegisteredRuntimeInRangeIsTakenOverAGreaterJavaHome) {
    const fs::path registered = placeRuntime("jre 1.8");
    registerRuntime(kOwn, "Java Runtime Environment", "1.8.0_431", registered);
    const fs::path greater = unpackRuntime("jdk-21", "21.0.5");

    const ProcessResult result = run(install("registered.exe"), {javaHome(greater), winePath(greater / "bin")});

    EXPECT_EQ(result.exitStatus, 0) << result.out;
    EXPECT_STRCASEEQ(onlyStartedProgram().c_str(), javaExe(registered).c_str());
}

}  // namespace
