// The bridge's java.exe under Wine, started the way Wine starts any Windows program, on the
// host's JVM running a probe that prints its arguments, working directory and name encoding.

#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "arguments_property_name.h"
#include "file_bytes.h"
#include "temp_dir.h"
#include "wine_run.h"

namespace fs = std::filesystem;

namespace {

const fs::path kBridgeJava = fs::path(BRIDGE_RUNTIME_HOME) / "bin" / "java.exe";

// Wine reads the host's command line and file names as UTF-8 only under a UTF-8 locale.
const char kUtf8Locale[] = "LC_ALL=C.UTF-8";

struct ProbeRun {
    int exitStatus;
    std::vector<std::string> arguments;
    std::string workingDir;
    std::string nameEncoding;
    std::string argumentsProperty;
    std::string err;
};

ProbeRun parseProbe(const ProcessResult& result) {
    ProbeRun run{result.exitStatus, {}, "", "", "", result.err};
    std::istringstream lines(result.out);
    for (std::string line; std::getline(lines, line);) {
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']')
            run.arguments.push_back(line.substr(1, line.size() - 2));
        else if (line.rfind("dir=", 0) == 0)
            run.workingDir = line.substr(4);
        else if (line.rfind("names=", 0) == 0)
            run.nameEncoding = line.substr(6);
        else if (line.rfind("args-property=", 0) == 0)
            run.argumentsProperty = line.substr(14);
    }
    return run;
}

class BridgeUnderWine : public ::testing::Test {
protected:
    ProbeRun runProbe(const std::vector<std::string>& words, const fs::path& from, const fs::path& java = kBridgeJava,
                      const std::vector<std::string>& options = {},
                      const std::vector<std::string>& locale = {kUtf8Locale}) {
        std::vector<std::string> command = options;
        command.push_back("-jar");
        command.push_back(windowsPath(PROBE_JAR));
        command.insert(command.end(), words.begin(), words.end());
        return parseProbe(runUnderWine(java, command, from, locale));
    }

    TempDir temp{"bridge-wine"};
    fs::path workDir = temp.path() / "work dir";

    void SetUp() override { fs::create_directories(workDir); }
};

// Of these only "*.mp3" holds a wildcard outside quotes, and it matches nothing in the empty
// working directory.
TEST_F(BridgeUnderWine, PassesEveryOtherWordUnchangedAndInUtf8) {
    const std::vector<std::string> words = {"a b",    "say \"hi\"", "end\\",          "",     "*.mp3",
                                            "tab\tx", "rel\\dir",   "-Dp=C:\\inside", "Ölçü", "D:"};
    const ProbeRun run = runProbe(words, workDir);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.arguments, words);
}

// Like a real java.exe it reads its command line in Wine's 8-bit code page (1252 here): what
// that code page lacks arrives as '?', and what best fit maps arrives as its look-alike.
TEST_F(BridgeUnderWine, ReadsItsCommandLineThroughTheCodePageAsARealRuntimeDoes) {
    const ProbeRun run = runProbe({"Ölçü 東京", "ă"}, workDir);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.arguments, (std::vector<std::string>{"Ölçü ??", "a"}));
}

// A text percent-encoded as the launcher encodes its arguments property.
std::string percentEncoded(const std::string& text) {
    static const char kHexDigits[] = "0123456789ABCDEF";
    std::string encoded;
    for (const unsigned char c : text) {
        if (std::isalnum(c) || c == '.' || c == '_' || c == '~' || c == '-')
            encoded += static_cast<char>(c);
        else
            encoded += std::string("%") + kHexDigits[c >> 4] + kHexDigits[c & 0xF];
    }
    return encoded;
}

TEST_F(BridgeUnderWine, TurnsTheAbsoluteWindowsPathsInTheLaunchersArgumentsPropertyIntoHostPaths) {
    const fs::path music = temp.path() / "Музыка";
    fs::create_directories(music);
    const std::string property = "--dry-run," + percentEncoded(windowsPath(music)) + ",rel%5Cdir,%C4%83";

    const ProbeRun run = runProbe({"x"}, workDir, kBridgeJava, {kArgumentsPropertyOption + property});

    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.argumentsProperty, "--dry-run," + percentEncoded(music.string()) + ",rel%5Cdir,%C4%83");
}

// Runs a batch file of one line under Wine's command processor, which hands the bridge that
// command line exactly as written, as a console does with a line typed into it.
ProcessResult runCommandLine(const std::string& line, const fs::path& from) {
    writeFileBytes(from / "run.bat", "@" + line + "\r\n");
    return runUnderWine("cmd", {"/c", "run.bat"}, from, {kUtf8Locale});
}

std::string quotedWindowsPath(const fs::path& path) { return "\"" + windowsPath(path) + "\""; }

// Like a real java.exe, it takes an application argument with '*' or '?' outside double quotes
// for a pattern and passes on the entries of the folder that match it; quoted, or matching
// nothing, it arrives as typed.
TEST_F(BridgeUnderWine, ExpandsTheApplicationsArgumentsThatHoldWildcardsOutsideQuotes) {
    for (const char* name : {"b.mp3", "A.mp3", "c d.mp3", "notes.txt"}) writeFileBytes(workDir / name, "");
    fs::create_directories(workDir / "Музыка");
    const std::string line = quotedWindowsPath(kBridgeJava) + " -jar " + quotedWindowsPath(PROBE_JAR) +
                             " *.mp3 \"*.mp3\" x\"*\" *.flac " + quotedWindowsPath(workDir) + "\\?.MP3 ??????";

    const ProbeRun run = parseProbe(runCommandLine(line, workDir));

    EXPECT_EQ(run.exitStatus, 0) << run.err;
    const std::string folder = workDir.string() + "/";
    EXPECT_EQ(run.arguments, (std::vector<std::string>{"A.mp3", "b.mp3", "c d.mp3", "*.mp3", "x*", "*.flac",
                                                       folder + "A.mp3", folder + "b.mp3", "Музыка"}))
        << "in the order of their names, case aside; an absolute pattern gives host paths";
}

TEST_F(BridgeUnderWine, LeavesTheWordsUpToTheArchiveAsTheyAre) {
    fs::create_directories(workDir / "jars");
    fs::copy_file(PROBE_JAR, workDir / "jars" / "probe.jar");

    const ProcessResult result = runCommandLine(quotedWindowsPath(kBridgeJava) + " -jar jars\\probe.ja?", workDir);

    EXPECT_EQ(result.exitStatus, 1) << result.out;
    EXPECT_NE(result.err.find("probe.ja?"), std::string::npos) << result.err;
}

TEST_F(BridgeUnderWine, RunsTheJvmUnderAUtf8LocaleWhateverWinesLocale) {
    const ProbeRun run = runProbe({}, workDir, kBridgeJava, {}, {"LC_ALL=C", "LANG=C"});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.nameEncoding, "UTF-8");
}

TEST_F(BridgeUnderWine, TurnsAbsoluteWindowsPathsIntoHostPaths) {
    const fs::path withBlank = temp.path() / "a folder";
    fs::create_directories(withBlank);
    const std::string slashes = "z:/" + withBlank.relative_path().string() + "/not yet";
    const char* prefix = std::getenv("WINEPREFIX");
    ASSERT_NE(prefix, nullptr) << "the tests run in the shared Wine prefix";

    const ProbeRun run = runProbe({windowsPath(withBlank), slashes, "C:\\windows", "C:\\no such\\folder"}, workDir);

    EXPECT_EQ(run.exitStatus, 0) << run.err;
    ASSERT_EQ(run.arguments.size(), 4u);
    EXPECT_EQ(run.arguments[0], withBlank.string());
    EXPECT_EQ(run.arguments[1], (withBlank / "not yet").string()) << "a path need not exist yet";
    EXPECT_TRUE(fs::equivalent(run.arguments[2], fs::path(prefix) / "drive_c" / "windows")) << run.arguments[2];
    EXPECT_EQ(run.arguments[3], "C:\\no such\\folder") << "Wine places no path below a missing folder";
}

// The JVM runs in the same folder, where a backslash is no separator: a relative path that names
// an entry arrives as the relative host path of that entry, names spelt as on the host.
TEST_F(BridgeUnderWine, TurnsARelativeWindowsPathThatNamesAnEntryIntoARelativeHostPath) {
    fs::create_directories(temp.path() / "Music Box");
    fs::create_directories(workDir / "sub" / "Deep");
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"..\\Music Box", "../Music Box"},
        {"sub\\Deep", "sub/Deep"},
        {"SUB\\deep\\", "sub/Deep"},
        {".\\sub", "sub"},
        {"sub\\..\\..\\Music Box", "../Music Box"},
        {"sub\\..", "."},
        {"..\\..\\", "../.."},
        {"..\\missing", "..\\missing"},
        {"sub/Deep", "sub/Deep"},
        {"..", ".."},
        {"\\sub", "\\sub"},
        {"-x\\y", "-x\\y"},
    };
    std::vector<std::string> words;
    std::vector<std::string> expected;
    for (const auto& c : cases) {
        words.push_back(c.first);
        expected.push_back(c.second);
    }

    const ProbeRun run = runProbe(words, workDir, kBridgeJava,
                                  {kArgumentsPropertyOption + std::string("..%5CMusic%20Box,..%5Cmissing")});

    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.arguments, expected);
    EXPECT_EQ(run.argumentsProperty, "..%2FMusic%20Box,..%5Cmissing");
}

TEST_F(BridgeUnderWine, FindsARelativeArchiveFromTheWorkingDirectory) {
    fs::create_directories(workDir / "jars");
    fs::copy_file(PROBE_JAR, workDir / "jars" / "probe.jar");

    const ProcessResult result = runUnderWine(kBridgeJava, {"-jar", "jars\\probe.jar", "x"}, workDir, {kUtf8Locale});

    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(parseProbe(result).arguments, std::vector<std::string>{"x"});
}

TEST_F(BridgeUnderWine, RunsTheJvmInTheWindowsWorkingDirectory) {
    const ProbeRun run = runProbe({}, workDir);
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.workingDir, workDir.string());
}

TEST_F(BridgeUnderWine, EndsWithTheJvmsStatusAndPassesStandardErrorOn) {
    for (const int status : {0, 7, 1}) {
        const ProbeRun run = runProbe({}, workDir, kBridgeJava, {"-Dprobe.exit=" + std::to_string(status)});
        EXPECT_EQ(run.exitStatus, status);
        EXPECT_EQ(run.err, "probe on stderr\n");
    }
}

// A copy of the runtime's home, for tests that change it.
fs::path copyBridgeHome(const fs::path& home) {
    copyRuntimeHome(BRIDGE_RUNTIME_HOME, home);
    return home;
}

TEST_F(BridgeUnderWine, WorksAsACopyUnderAnotherNameBelowItsHomeWithItsBinOnPath) {
    const fs::path home = copyBridgeHome(temp.path() / "home");
    const fs::path copy = home / "tarvello-tmp" / "dovatrik.exe";
    fs::create_directories(copy.parent_path());
    fs::copy_file(kBridgeJava, copy);

    const ProbeRun run =
        runProbe({"one", "two words"}, workDir, copy, {}, {kUtf8Locale, "WINEPATH=" + windowsPath(home / "bin")});

    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.arguments, (std::vector<std::string>{"one", "two words"}));
    EXPECT_EQ(run.workingDir, workDir.string());
}

TEST_F(BridgeUnderWine, LikeARealRuntimeNeedsItsLibraryInBinAndItsJvmCfg) {
    const fs::path home = copyBridgeHome(temp.path() / "home");
    const fs::path copy = home / "tarvello-tmp" / "dovatrik.exe";
    fs::create_directories(copy.parent_path());
    fs::copy_file(kBridgeJava, copy);
    // Windows ends a program whose imported library is missing with STATUS_DLL_NOT_FOUND, of
    // which the host sees the lowest byte.
    EXPECT_EQ(runProbe({}, workDir, copy).exitStatus, 0xC0000135 & 0xFF) << "jli.dll is not looked for in ..\\bin";

    fs::remove(home / "lib" / "jvm.cfg");
    const ProbeRun run = runProbe({}, workDir, home / "bin" / "java.exe");
    EXPECT_EQ(run.exitStatus, 1);
    EXPECT_EQ(run.err, "Error: could not open `" + windowsPath(home / "lib" / "jvm.cfg") + "'\r\n");
    EXPECT_TRUE(run.arguments.empty()) << "the JVM was not started";
}

}  // namespace
