// The choice among runtimes registered in Wine's real registry, in the
// launcher's own view and in the other one.

#include <filesystem>
#include <string>

#include "registered_runtime_fixture.h"

namespace fs = std::filesystem;

namespace {

using RegistrySearchUnderWine = RegisteredRuntimeUnderWine;

TEST_F(RegistrySearchUnderWine, ARuntimeRegisteredOnlyInTheOtherViewIsReadInThatViewAndStarted) {
    const fs::path exe = install("registered.exe");
    const fs::path other = placeRuntime("jre 1.8");
    // Its home is a value of the key in the other view alone.
    registerRuntime(kOther, "Java Runtime Environment", "1.8.0_301", other);

    const ProcessResult result = run(exe);

    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "");
    EXPECT_STRCASEEQ(onlyStartedProgram().c_str(), javaExe(other).c_str());
    EXPECT_FALSE(fs::exists(other / "tarvello-tmp")) << "no copy without NameProcessAfterExe";
}

TEST_F(RegistrySearchUnderWine, ARuntimeRegisteredOnlyInItsOwnViewIsFoundAndStarted) {
    const fs::path own = placeRuntime("jre 17");
    registerRuntime(kOwn, "JRE", "17", own);

    const ProcessResult result = run(install("registered.exe"));

    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_STRCASEEQ(onlyStartedProgram().c_str(), javaExe(own).c_str());
}

TEST_F(RegistrySearchUnderWine, TheGreatestVersionWinsAcrossBothViews) {
    const fs::path own = placeRuntime("jre 1.6");
    const fs::path other = placeRuntime("jre 1.8");
    registerRuntime(kOwn, "Java Runtime Environment", "1.6.0_45", own);
    registerRuntime(kOther, "Java Runtime Environment", "1.8.0_301", other);

    run(install("registered.exe"));

    EXPECT_STRCASEEQ(onlyStartedProgram().c_str(), javaExe(other).c_str());
}

TEST_F(RegistrySearchUnderWine, AnOlderDevelopmentKitRunsItsJreTheCurrentKeysTheirHome) {
    const fs::path exe = install("registered.exe");
    const fs::path jre = placeRuntime("jre 1.5");
    const fs::path kit = temp.path() / "java" / "jdk 1.5";
    placeStandinRuntime(kit / "jre", STANDIN_JAVA_EXE);
    registerRuntime(k64, "Java Runtime Environment", "1.5.0", jre);
    registerRuntime(k32, "Java Development Kit", "1.5.0_06", kit);

    run(exe);
    EXPECT_STRCASEEQ(onlyStartedProgram().c_str(), javaExe(kit / "jre").c_str());

    const fs::path jre17 = placeRuntime("jre 17");
    const fs::path jdk21 = placeRuntime("jdk 21");
    registerRuntime(k64, "JRE", "17", jre17);
    registerRuntime(k32, "JDK", "21.0.2", jdk21);
    fs::remove(log);
    run(exe);
    EXPECT_STRCASEEQ(onlyStartedProgram().c_str(), javaExe(jdk21).c_str());
}

TEST_F(RegistrySearchUnderWine, OnEqualVersionsTheRuntimeEnvironmentThenTheOwnViewWins) {
    const fs::path exe = install("registered.exe");
    const fs::path kit = temp.path() / "java" / "jdk";
    placeStandinRuntime(kit / "jre", STANDIN_JAVA_EXE);
    const fs::path jreOther = placeRuntime("jre other");
    registerRuntime(kOwn, "Java Development Kit", "1.8.0", kit);
    registerRuntime(kOther, "Java Runtime Environment", "1.8.0", jreOther);

    run(exe);
    EXPECT_STRCASEEQ(onlyStartedProgram().c_str(), javaExe(jreOther).c_str());

    const fs::path jreOwn = placeRuntime("jre own");
    registerRuntime(kOwn, "Java Runtime Environment", "1.8.0", jreOwn);
    fs::remove(log);
    run(exe);
    EXPECT_STRCASEEQ(onlyStartedProgram().c_str(), javaExe(jreOwn).c_str());
}

TEST_F(RegistrySearchUnderWine, OverlongVersionNamesArePassedOverAndTheScanGoesOn) {
    const fs::path exe = install("registered.exe");
    // Added in name order, so listed in this order whether listings follow names or additions.
    const std::string longTail(150, '9');
    for (const std::string& version :
         {std::string("1.5.0"), "1.6" + longTail, std::string("1.7.0"), "1.9" + longTail}) {
        registerRuntime(k64, "Java Runtime Environment", version, placeRuntime(version.substr(0, 5)));
    }

    const ProcessResult result = run(exe);

    EXPECT_EQ(result.out, "");
    EXPECT_STRCASEEQ(onlyStartedProgram().c_str(), javaExe(temp.path() / "java" / "1.7.0").c_str());
}

TEST_F(RegistrySearchUnderWine, NoRuntimeInRangeOrNoJavaExeEndsWithOneLineAndStatusOne) {
    registerRuntime(k64, "Java Runtime Environment", "1.3.1", placeRuntime("1.3.1"));
    registerRuntime(k32, "Java Runtime Environment", "1.5.0_06", placeRuntime("1.5.0_06"));

    ProcessResult result = run(install("range.exe"));
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, "Probe: Cannot find Java 1.4.0 - 1.5.0\r\n");

    registerRuntime(k32, "JRE", "9", temp.path() / "java" / "missing");
    result = run(install("registered.exe"));
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, "Probe: Java found, but javaw.exe seems to be missing.\r\n");
    EXPECT_TRUE(starts().empty());
}

}  // namespace
