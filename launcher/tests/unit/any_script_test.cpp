// Names that the system's 8-bit code page cannot hold: the conversion at the
// edge, short names standing in for them, and the property that carries the
// user's arguments exactly. The fake's code page is Latin-1.

#include <string>

#include "arguments_property_name.h"
#include "command_line.h"
#include "fixed_text.h"
#include "launch_settings.h"
#include "launcher_fixture.h"
#include "system_text.h"

namespace {

const char kJava[] = "\"C:\\apps\\jre\\bin\\java.exe\" ";
const char kMusic[] = "D:\\music\\Музыка";
const char kMusicEncoded[] = "D%3A%5Cmusic%5C%D0%9C%D1%83%D0%B7%D1%8B%D0%BA%D0%B0";

class AnyScriptTest : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        addRuntime("C:\\apps\\jre");
        setSetting(kShippedRuntimeDir, "C:\\apps\\jre");
    }
};

std::string taken(const std::u16string& text, TakenText expected) {
    char destination[kPathCapacity] = "untouched";
    EXPECT_EQ(takeSystemText(text.c_str(), destination), expected);
    return destination;
}

std::string encoded(const std::u16string& text) {
    char destination[64] = "";
    EXPECT_TRUE(appendPercentEncoded(destination, sizeof destination, text.c_str()));
    return destination;
}

TEST(SystemText, ATextTheCodePageHoldsIsTakenAsItIs) {
    fake::reset();
    EXPECT_EQ(taken(u"C:\\Müsik Ölçü", TakenText::exact), "C:\\M\xFCsik \xD6l\xE7\xFC");
    EXPECT_EQ(taken(u"", TakenText::exact), "");
}

TEST(SystemText, ALossyTextGivesWayToTheShortNameOfWhatItNames) {
    fake::reset();
    fake::world().shortNames["C:\\Музыка"] = "C:\\0F3A~1";
    EXPECT_EQ(taken(u"C:\\Музыка", TakenText::shortName), "C:\\0F3A~1");
    EXPECT_EQ(taken(u"C:\\Нет", TakenText::lossy), "C:\\???") << "it names nothing";
    // Best fit would make 'a' of 'ă' and so name another file: it counts as lost.
    EXPECT_EQ(taken(u"ă", TakenText::lossy), "?");
}

TEST(SystemText, OnAVolumeWithoutShortNamesTheTextIsShownAsFarAsItCanBe) {
    fake::reset();
    fake::world().shortNamesNotKept.insert("C:\\Музыка");
    EXPECT_EQ(taken(u"C:\\Музыка", TakenText::noShortName), "C:\\??????");
}

TEST(SystemText, ATextTooLongForItsFieldIsRefusedNotCut) {
    fake::reset();
    EXPECT_EQ(taken(std::u16string(kPathCapacity, u'x'), TakenText::tooLong), "untouched");
    fake::world().shortNames[std::string(kPathCapacity - 1, 'x') + "Ж"] = std::string(kPathCapacity, 'X');
    EXPECT_EQ(taken(std::u16string(kPathCapacity - 1, u'x') + u"Ж", TakenText::tooLong), "untouched");
}

TEST(SystemText, PercentEncodingIsUtf8WithOnlyLettersDigitsAndFourMarksLeft) {
    EXPECT_EQ(encoded(u"Az09._~-"), "Az09._~-");
    EXPECT_EQ(encoded(u" ,%+\"\\"), "%20%2C%25%2B%22%5C");
    EXPECT_EQ(encoded(u"ăж東"), "%C4%83%D0%B6%E6%9D%B1");
    EXPECT_EQ(encoded(u"\U0001F3B5"), "%F0%9F%8E%B5") << "a surrogate pair is one character";
    EXPECT_EQ(encoded(std::u16string(u"a") + char16_t(0xD800) + u"b" + char16_t(0xDC00)), "a%EF%BF%BDb%EF%BF%BD");
    char small[6] = "";
    EXPECT_FALSE(appendPercentEncoded(small, sizeof small, u"ж"));
}

TEST_F(AnyScriptTest, ArgumentsTheCodePageHoldsGiveTodaysCommandLine) {
    run({"D:\\Müsik", "--dry-run"});
    EXPECT_EQ(startedCommandLine(), std::string(kJava) + "-jar \"C:\\apps\\tool.exe\" D:\\M\xFCsik --dry-run");
}

TEST_F(AnyScriptTest, AnArgumentOutsideTheCodePageGoesAsItsShortNameAndExactlyInTheProperty) {
    world().shortNames[kMusic] = "D:\\music\\0F3A~1";
    setSetting(kRuntimeOptions, "-Xmx64m");
    setSetting(kAppArguments, "--fixed");
    EXPECT_EQ(run({"--dry-run", kMusic, "東京 Live"}), 0);
    EXPECT_EQ(startedCommandLine(), std::string(kJava) + "-Xmx64m " + kArgumentsPropertyOption + "--dry-run," +
                                        kMusicEncoded +
                                        ",%E6%9D%B1%E4%BA%AC%20Live -jar \"C:\\apps\\tool.exe\" --fixed --dry-run "
                                        "D:\\music\\0F3A~1 \"?? Live\"");
}

TEST_F(AnyScriptTest, BestFitDoesNotCountAsArriving) {
    run({"ă", ""});
    EXPECT_EQ(startedCommandLine(),
              std::string(kJava) + kArgumentsPropertyOption + "%C4%83, -jar \"C:\\apps\\tool.exe\" \"?\" \"\"");
}

// The application takes the property's arguments for the last words of its command line: a
// real java.exe that expanded a '?' or '*' there would add words in front of them, and the
// folder named first would be tidied in place of the one typed.
TEST_F(AnyScriptTest, ArgumentsHoldingWildcardsReachTheRuntimeQuoted) {
    world().shortNamesNotKept.insert(kMusic);
    EXPECT_EQ(run({"*.mp3", kMusic}), 0);
    EXPECT_EQ(startedCommandLine(), std::string(kJava) + kArgumentsPropertyOption + "%2A.mp3," + kMusicEncoded +
                                        " -jar \"C:\\apps\\tool.exe\" \"*.mp3\" \"D:\\music\\??????\"");
}

TEST_F(AnyScriptTest, APropertyThatDoesNotFitEndsTheLaunchLikeAnOverlongCommandLine) {
    // 340 characters fit the joined arguments as quoted '?', not the property at six bytes each.
    EXPECT_EQ(run({std::string(340 * 2, '\0')
                       .replace(0, std::string::npos,
                                [] {
                                    std::string text;
                                    for (int i = 0; i < 340; ++i) text += "ж";
                                    return text;
                                }())}),
              1);
    EXPECT_EQ(onlyLine(), "tarvello: The command line is longer than 2047 characters.");
    EXPECT_TRUE(world().started.empty());
}

TEST_F(AnyScriptTest, AnExecutableInAFolderOutsideTheCodePageRunsByItsShortName) {
    world().exePath = "C:\\Программы\\tool.exe";
    world().shortNames[world().exePath] = "C:\\0A1B~1\\tool.exe";
    setSetting(kStartInExeDir, "true");
    EXPECT_EQ(run({"x"}), 0);
    ASSERT_EQ(world().started.size(), 1u);
    EXPECT_EQ(world().started[0].commandLine, std::string(kJava) + "-jar \"C:\\0A1B~1\\tool.exe\" x");
    EXPECT_EQ(world().started[0].workingDir, "C:\\0A1B~1");
}

TEST_F(AnyScriptTest, AnExecutableWithAShortNameOfItsOwnKeepsItsNameForTheRuntimesCopy) {
    world().exePath = "C:\\Программы\\my-application.exe";
    world().shortNames["C:\\Программы"] = "C:\\0A1B~1";
    world().shortNames[world().exePath] = "C:\\0A1B~1\\MY-APP~1.EXE";
    setSetting(kNameProcessAfterExe, "true");
    EXPECT_EQ(run(), 0);
    ASSERT_EQ(world().started.size(), 1u);
    EXPECT_EQ(world().started[0].program, "C:\\apps\\jre\\tarvello-tmp\\my-application.exe");
    EXPECT_EQ(world().started[0].commandLine,
              "\"C:\\apps\\jre\\tarvello-tmp\\my-application.exe\" -jar \"C:\\0A1B~1\\my-application.exe\"");

    // A name that the code page cannot hold either stays short.
    fake::world().started.clear();
    world().exePath = "C:\\Программы\\программа.exe";
    world().shortNames[world().exePath] = "C:\\0A1B~1\\C1D2~1.EXE";
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(startedCommandLine(), "\"C:\\apps\\jre\\tarvello-tmp\\C1D2~1.EXE\" -jar \"C:\\0A1B~1\\C1D2~1.EXE\"");
}

TEST_F(AnyScriptTest, AnExecutableThatCannotBeNamedEndsTheLaunchNamingItsFolder) {
    world().exePath = "C:\\Программы\\tool.exe";
    world().shortNamesNotKept.insert(world().exePath);
    EXPECT_EQ(run({"x"}), 1);
    EXPECT_EQ(onlyLine(),
              "tarvello: Cannot hand Java a name outside the system's code page on a drive without short names: "
              "C:\\?????????");
    EXPECT_TRUE(world().started.empty());
    EXPECT_EQ(world().openModules, 0);
}

TEST_F(AnyScriptTest, AShippedRuntimeBelowAStartFolderOutsideTheCodePageIsFoundByItsShortName) {
    world().currentDir = "C:\\Пуск";
    world().shortNames["C:\\Пуск\\jre"] = "C:\\0C2D~1\\jre";
    addRuntime("C:\\0C2D~1\\jre");
    setSetting(kShippedRuntimeDir, "jre");
    EXPECT_EQ(run(), 0);
    ASSERT_EQ(world().started.size(), 1u);
    EXPECT_EQ(world().started[0].program, "C:\\0C2D~1\\jre\\bin\\java.exe");
}

class RegisteredHomeOutsideTheCodePage : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        setSetting(kLowestVersion, "1.8");
    }
    static void registerForUser(const std::string& version, const std::string& home) {
        addSubKey(world().userRegistry[0], "SOFTWARE\\JavaSoft\\JRE", version).values["JavaHome"] = home;
    }
    const std::string kUserHome = "C:\\Users\\Пользователь\\jdk";
};

TEST_F(RegisteredHomeOutsideTheCodePage, IsStartedByItsShortName) {
    world().shortNames[kUserHome] = "C:\\Users\\0E5F~1\\jdk";
    addRuntime("C:\\Users\\0E5F~1\\jdk");
    registerForUser("21", kUserHome);
    EXPECT_EQ(run(), 0);
    ASSERT_EQ(world().started.size(), 1u);
    EXPECT_EQ(world().started[0].program, "C:\\Users\\0E5F~1\\jdk\\bin\\java.exe");
}

TEST_F(RegisteredHomeOutsideTheCodePage, ThatDoesNotExistIsAMissingRuntime) {
    registerForUser("21", kUserHome);
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(onlyLine(), "tarvello: Java found, but javaw.exe seems to be missing.");
}

TEST_F(RegisteredHomeOutsideTheCodePage, WithoutShortNamesIsPassedOverAndNamedWhenNothingElseIsFound) {
    world().shortNamesNotKept.insert(kUserHome);
    registerForUser("21", kUserHome);
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(onlyLine(),
              "tarvello: Cannot hand Java a name outside the system's code page on a drive without short names: "
              "C:\\Users\\????????????\\jdk");
    EXPECT_TRUE(world().openedAddresses.empty()) << "Java is there: no download page";

    world().printed.clear();
    addRuntime("C:\\java\\jre-17");
    registerVersion("SOFTWARE\\JavaSoft\\JRE", "17", "C:\\java\\jre-17");
    EXPECT_EQ(run(), 0);
    ASSERT_EQ(world().started.size(), 1u);
    EXPECT_EQ(world().started[0].program, "C:\\java\\jre-17\\bin\\java.exe");
}

}  // namespace
