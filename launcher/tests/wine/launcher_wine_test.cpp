// The real launcher of the tested architecture under Wine: settings read from
// its own resources through the Windows API, a stand-in runtime started and
// waited for.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "file_bytes.h"
#include "runtime_registration.h"
#include "standin_runtime.h"
#include "temp_dir.h"
#include "wine_run.h"

namespace fs = std::filesystem;

namespace {

// The packaged executables of the tested architecture.
const fs::path kStandin = STANDIN_JAVA_EXE;

std::string lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

// The console line of a failure as the C run-time writes it in text mode.
std::string consoleLine(const std::string& text) { return text + "\r\n"; }

class LauncherUnderWine : public ::testing::Test {
protected:
    fs::path install(const std::string& package) { return installPackage(package, appDir); }

    static void placeRuntime(const fs::path& home) { placeStandinRuntime(home, kStandin); }

    ProcessResult run(const fs::path& exe, const std::vector<std::string>& arguments, const fs::path& from,
                      const std::string& exitStatus = "0") {
        return runUnderWine(exe, arguments, from, {"STANDIN_LOG=" + windowsPath(log), "STANDIN_EXIT=" + exitStatus});
    }

    std::vector<StandinRecord> starts() const { return readStandinLog(log); }

    TempDir temp{"launcher-wine"};
    fs::path appDir = temp.path() / "my app";
    fs::path log = temp.path() / "standin.log";
};

TEST_F(LauncherUnderWine, StartsTheShippedRuntimeWithTheExactCommandLine) {
    const fs::path exe = install("shipped.exe");
    placeRuntime(appDir / "runtime");
    const std::vector<std::string> arguments = {"D:\\my music", "say \"hi\"", "end\\", "", "*.mp3", "tab\there"};

    const ProcessResult result = run(exe, arguments, appDir);

    EXPECT_EQ(result.exitStatus, 0);
    EXPECT_EQ(result.out, "") << "a successful launch prints nothing of its own";
    EXPECT_EQ(result.err, "");
    const auto records = starts();
    ASSERT_EQ(records.size(), 1u);
    const std::string program = windowsPath(appDir / "runtime" / "bin" / "java.exe");
    EXPECT_EQ(lower(records[0].program), lower(program));
    EXPECT_EQ(records[0].commandLine, "\"" + program + "\" -jar \"" + windowsPath(exe) +
                                          "\" \"D:\\my music\" \"say \\\"hi\\\"\" end\\ \"\" \"*.mp3\" \"tab\there\"");
    std::vector<std::string> expected = {"-jar", windowsPath(exe)};
    expected.insert(expected.end(), arguments.begin(), arguments.end());
    EXPECT_EQ(records[0].arguments, expected) << "every argument arrives exactly as typed";
    EXPECT_EQ(lower(records[0].workingDir), lower(windowsPath(appDir)));
}

TEST_F(LauncherUnderWine, TheStandInRuntimeNeedsItsLibraryInBinAndItsJvmCfgLikeARealOne) {
    const fs::path exe = install("shipped.exe");
    const fs::path home = appDir / "runtime";
    placeRuntime(home);
    fs::remove(home / "bin" / "jli.dll");

    ProcessResult result = run(exe, {}, appDir);
    // Windows ends a program whose imported library is missing with STATUS_DLL_NOT_FOUND,
    // of which the host sees the lowest byte.
    EXPECT_EQ(result.exitStatus, 0xC0000135 & 0xFF);
    EXPECT_TRUE(starts().empty());

    placeRuntime(home);
    fs::remove(home / "lib" / "jvm.cfg");
    result = run(exe, {}, appDir);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, "");
    const std::string config = windowsPath(home / "lib" / "jvm.cfg");
    EXPECT_EQ(lower(result.err), lower(consoleLine("Error: could not open `" + config + "'")));
    EXPECT_TRUE(starts().empty());
}

TEST_F(LauncherUnderWine, PassesTheRuntimesExitStatusOn) {
    const fs::path exe = install("shipped.exe");
    placeRuntime(appDir / "runtime");
    // Wine hands a Linux parent the low eight bits of the Windows exit code.
    for (const auto& [status, expected] :
         std::vector<std::pair<std::string, int>>{{"7", 7}, {"-1", 255}, {"255", 255}}) {
        const ProcessResult result = run(exe, {}, appDir, status);
        EXPECT_EQ(result.exitStatus, expected) << "runtime status " << status;
        EXPECT_EQ(result.out, "") << "runtime status " << status;
    }
}

TEST_F(LauncherUnderWine, ARelativeShippedRuntimeIsLookedForFromTheStartDirectory) {
    const fs::path exe = install("shipped.exe");
    placeRuntime(appDir / "runtime");
    const fs::path elsewhere = temp.path() / "elsewhere";
    fs::create_directories(elsewhere);

    ProcessResult result = run(exe, {}, elsewhere);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out, consoleLine("Probe: Cannot find bundled JRE or javaw.exe is missing."));
    EXPECT_EQ(result.err, "");

    placeRuntime(elsewhere / "runtime");
    result = run(exe, {}, elsewhere);
    EXPECT_EQ(result.exitStatus, 0);
    const auto records = starts();
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(lower(records[0].program), lower(windowsPath(elsewhere / "runtime" / "bin" / "java.exe")));
    EXPECT_EQ(lower(records[0].workingDir), lower(windowsPath(appDir))) << "StartInExeDir still applies";
}

TEST_F(LauncherUnderWine, RuntimeOptionsAndAppArgumentsAreTakenVerbatim) {
    const fs::path exe = install("options.exe");
    placeRuntime(ABSOLUTE_RUNTIME_DIR);

    const ProcessResult result = run(exe, {"user one"}, temp.path());

    EXPECT_EQ(result.exitStatus, 0) << result.out;
    const auto records = starts();
    ASSERT_EQ(records.size(), 1u);
    const std::string program = windowsPath(fs::path(ABSOLUTE_RUNTIME_DIR) / "bin" / "java.exe");
    EXPECT_EQ(records[0].commandLine, "\"" + program + "\" -Xmx64m \"-Dlabel=x y\" -jar \"" + windowsPath(exe) +
                                          "\" --fixed \"two words\" \"user one\"");
    EXPECT_EQ(lower(records[0].workingDir), lower(windowsPath(temp.path()))) << "no StartInExeDir: no change";
}

TEST_F(LauncherUnderWine, EachFailureIsOneLineOnStandardOutputAndStatusOne) {
    struct Case {
        std::string package;
        std::string line;
    };
    const fs::path brokenHome = appDir / "runtime";
    fs::create_directories(brokenHome / "bin");
    writeFileBytes(brokenHome / "bin" / "java.exe", "not a program");

    const std::vector<Case> cases = {
        {"bare.exe", "tarvello: Cannot find bundled JRE or javaw.exe is missing."},
        {"range.exe", "Probe: Cannot find Java 1.4.0 - 1.5.0"},
        {"overlong.exe", "Probe: Setting 202 is longer than 1023 characters."},
    };
    for (const Case& failure : cases) {
        const ProcessResult result = run(install(failure.package), {"x"}, appDir);
        EXPECT_EQ(result.exitStatus, 1) << failure.package;
        EXPECT_EQ(result.out, consoleLine(failure.line)) << failure.package;
        EXPECT_EQ(result.err, "") << failure.package;
    }

    const ProcessResult result = run(install("shipped.exe"), {}, appDir);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.out.rfind("Probe: could not start the application: ", 0), 0u) << result.out;
    EXPECT_GT(result.out.size(), consoleLine("Probe: could not start the application: ").size());
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(starts().empty());
}

TEST_F(LauncherUnderWine, NoRuntimeInTheRangeOpensTheDownloadPage) {
    // A browser that only notes the address it was given, for this test alone.
    const fs::path browser = temp.path() / "browser.sh";
    const fs::path opened = temp.path() / "opened";
    writeFileBytes(browser, "#!/bin/sh\necho \"$1\" > '" + opened.string() + "'\n");
    fs::permissions(browser, fs::perms::owner_all);
    const std::string browsers = "HKCU\\Software\\Wine\\WineBrowser";
    ASSERT_TRUE(wineReg({"add", browsers, "/v", "Browsers", "/t", "REG_SZ", "/d", browser.string(), "/f"},
                        RegistryView::bits64));

    const ProcessResult result = run(install("range.exe"), {}, appDir);
    for (int waited = 0; waited < 50 && !fs::exists(opened); ++waited) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    wineReg({"add", browsers, "/v", "Browsers", "/t", "REG_SZ", "/d", "true", "/f"}, RegistryView::bits64);

    EXPECT_EQ(result.exitStatus, 1);
    ASSERT_TRUE(fs::exists(opened)) << "the browser was not asked to open anything";
    EXPECT_EQ(readFileBytes(opened).rfind("https://", 0), 0u) << readFileBytes(opened);
}

TEST(PackagedArchive, RunsUnderTheJavaRuntimeStraightFromTheExecutable) {
    const ProcessResult result = runProcess({JAVA_EXECUTABLE, "-jar", testPackage("shipped.exe").string(), "a", "b c"});
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.out, "[a]\n[b c]\n");
}

TEST(PackagedArchive, EndsWithTheArchivesEndRecord) {
    const std::string exe = readFileBytes(testPackage("shipped.exe"));
    ASSERT_GT(exe.size(), 22u);
    EXPECT_EQ(exe.substr(0, 2), "MZ");
    EXPECT_EQ(exe.substr(exe.size() - 22, 4), std::string("PK\x05\x06", 4));
}

}  // namespace
