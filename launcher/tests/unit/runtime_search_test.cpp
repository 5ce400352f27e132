// Choosing a registered Java runtime: version range, keys and registry views.

#include <string>
#include <vector>

#include "fixed_text.h"
#include "launch_settings.h"
#include "launcher_fixture.h"
#include "runtime_search.h"

namespace {

const char kJreKey[] = "SOFTWARE\\JavaSoft\\Java Runtime Environment";
const char kJdkKey[] = "SOFTWARE\\JavaSoft\\Java Development Kit";
const char kCurrentJreKey[] = "SOFTWARE\\JavaSoft\\JRE";
const char kCurrentJdkKey[] = "SOFTWARE\\JavaSoft\\JDK";
constexpr int kOwnView = 0;
constexpr int kOtherView = 1;

class RuntimeSearchTest : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        initLaunchState(state);
        setVersion(state.lowestVersion, "1.4.0");
    }

    // Registers `version` under `key`, after the versions registered there before.
    static void registerVersion(const std::string& key, const std::string& version, const std::string& home,
                                int view = kOwnView) {
        world().registry[view][key].subKeys.push_back(version);
        world().registry[view][key + "\\" + version].values["JavaHome"] = home;
    }

    // The home found, or "none".
    std::string search() {
        const bool found = findRegisteredRuntime(state);
        EXPECT_EQ(world().openRegistryKeys, 0) << "every key opened is closed";
        return found ? std::string(state.runtimePath) : std::string("none");
    }

    static void setVersion(char (&field)[kVersionCapacity], const std::string& text) {
        ASSERT_TRUE(copyText(field, text.c_str()));
    }
};

TEST_F(RuntimeSearchTest, VersionsAreOrderedByTheirNumbersWithinInclusiveBounds) {
    struct Case {
        std::vector<std::string> versions;  // in enumeration order
        std::string lowest;
        std::string highest;
        std::string chosen;  // or "none"
    };
    const std::vector<Case> cases = {
        {{"1.3.1", "1.4.2"}, "1.4.0", "", "1.4.2"},
        {{"1.4", "1.4.2"}, "1.4.0", "", "1.4.2"},  // 1.4 sorts below 1.4.0
        {{"1.4"}, "1.4.0", "", "none"},
        {{"1.4.0"}, "1.4.0", "1.4.0", "1.4.0"},  // both bounds inclusive
        {{"1.5.0", "1.5.0_06"}, "1.4.0", "1.5", "none"},
        {{"1.5.0", "1.5.0_06"}, "1.4.0", "1.5.0", "1.5.0"},
        {{"1.10.0", "1.9.0"}, "1.4.0", "", "1.10.0"},  // digit runs compare by value
        {{"1.10.0"}, "1.4.0", "", "1.10.0"},
        {{"1.8.0_45", "1.8.0_301"}, "1.8", "", "1.8.0_301"},
        {{"9.0.4", "21.0.2", "17", "11"}, "1.8", "", "21.0.2"},
        {{"1.5.0_06", "1.5.0_6"}, "1.4.0", "", "1.5.0_06"},  // equal values: the first listed stays
        {{"1.10.0", "0.1"}, "", "", "1.10.0"},  // an empty lowest version bounds nothing
        {{"1.6.0", "1.5.0"}, "1.4.0", "", "1.6.0"},  // the greatest wins wherever it is listed
        {{"17", "1.8.0_301"}, "1.4.0", "", "17"},
        {{"1.8.0_301", "17"}, "1.4.0", "1.8", "none"},
    };
    for (const Case& c : cases) {
        fake::reset();
        initLaunchState(state);
        setVersion(state.lowestVersion, c.lowest);
        setVersion(state.highestVersion, c.highest);
        for (const std::string& version : c.versions) registerVersion(kJreKey, version, "C:\\java\\" + version);
        const std::string chosen = search();
        EXPECT_EQ(chosen, c.chosen == "none" ? c.chosen : "C:\\java\\" + c.chosen)
            << "versions " << ::testing::PrintToString(c.versions) << " in " << c.lowest << " - " << c.highest;
    }
}

TEST_F(RuntimeSearchTest, NothingRegisteredFindsNothingAndLeavesTheRuntimePathAlone) {
    copyText(state.runtimePath, "C:\\nowhere");
    EXPECT_EQ(search(), "none");
    EXPECT_STREQ(state.runtimePath, "C:\\nowhere");

    // Keys without versions, or whose chosen version has no home, find nothing either.
    world().registry[kOwnView][kJreKey];
    world().registry[kOtherView][kJdkKey];
    EXPECT_EQ(search(), "none");
    world().registry[kOwnView][kJreKey].subKeys.push_back("1.6.0");
    EXPECT_EQ(search(), "none");
    world().registry[kOwnView][std::string(kJreKey) + "\\1.6.0"].values["RuntimeLib"] = "C:\\jvm.dll";
    EXPECT_EQ(search(), "none");
    EXPECT_STREQ(state.runtimePath, "C:\\nowhere");
}

TEST_F(RuntimeSearchTest, ADevelopmentKitsRuntimeIsItsJreFolderOnlyUnderTheOlderKey) {
    registerVersion(kJreKey, "1.5.0", "C:\\jre5");
    registerVersion(kJdkKey, "1.5.0_06", "C:\\jdk5");
    EXPECT_EQ(search(), "C:\\jdk5\\jre");
    EXPECT_EQ(state.bestSource, 2);

    registerVersion(kCurrentJreKey, "17", "C:\\jre17");
    registerVersion(kCurrentJdkKey, "21.0.2", "C:\\jdk21");
    EXPECT_EQ(search(), "C:\\jdk21");
    EXPECT_EQ(state.bestSource, 4);
}

TEST_F(RuntimeSearchTest, OnEqualVersionsTheRuntimeEnvironmentAndThenTheOwnViewWin) {
    registerVersion(kJdkKey, "1.6.0", "C:\\kit", kOwnView);
    registerVersion(kJreKey, "1.6.0", "C:\\other-jre", kOtherView);
    registerVersion(kJreKey, "1.6.0", "C:\\own-jre", kOwnView);
    EXPECT_EQ(search(), "C:\\own-jre");

    fake::reset();
    registerVersion(kJdkKey, "1.6.0", "C:\\own-kit", kOwnView);
    registerVersion(kJreKey, "1.6.0", "C:\\other-jre", kOtherView);
    EXPECT_EQ(search(), "C:\\other-jre") << "a runtime environment wins in either view";

    fake::reset();
    registerVersion(kCurrentJdkKey, "17", "C:\\own-kit17", kOwnView);
    registerVersion(kCurrentJreKey, "17", "C:\\other-jre17", kOtherView);
    EXPECT_EQ(search(), "C:\\other-jre17");
}

TEST_F(RuntimeSearchTest, TheOtherViewsRuntimeIsFoundAndReadInThatView) {
    registerVersion(kJreKey, "1.6.0", "C:\\own-1.6", kOwnView);
    registerVersion(kJreKey, "1.8.0", "C:\\other-1.8", kOtherView);
    EXPECT_EQ(search(), "C:\\other-1.8");
    EXPECT_EQ(state.bestView, platform::RegistryView::other);
}

TEST_F(RuntimeSearchTest, OverlongVersionNamesArePassedOverAndTheScanGoesOn) {
    const std::string longest(kVersionCapacity - 1, '2');
    const std::string overlong(kVersionCapacity, '3');
    registerVersion(kJreKey, "1.5.0", "C:\\jre5");
    registerVersion(kJreKey, overlong, "C:\\overlong");
    registerVersion(kJreKey, "1.6.0", "C:\\jre6");
    EXPECT_EQ(search(), "C:\\jre6");

    registerVersion(kJreKey, longest, "C:\\longest");
    EXPECT_EQ(search(), "C:\\longest");
}

TEST_F(RuntimeSearchTest, AHomeThatCouldNotTakeBinJavaExeIsNotFound) {
    const std::string fitting = "C:\\" + std::string(kPathCapacity - 1 - 13 - 3, 'h');  // room for \bin\java.exe
    registerVersion(kJreKey, "1.5.0", fitting);
    EXPECT_EQ(search(), fitting);

    // A better version with an unusable home is not passed over for a lower one.
    registerVersion(kJreKey, "1.6.0", fitting + "h");
    EXPECT_EQ(search(), "none");
    registerVersion(kJreKey, "1.7.0", std::string(2000, 'h'));
    EXPECT_EQ(search(), "none");

    // The development kit's runtime needs room for "\jre" as well.
    const std::string kitHome(fitting.size() - 4, 'k');
    registerVersion(kJdkKey, "1.7.1", kitHome);
    EXPECT_EQ(search(), kitHome + "\\jre");
    registerVersion(kJdkKey, "1.7.2", kitHome + "k");
    EXPECT_EQ(search(), "none");
}

TEST_F(RuntimeSearchTest, TheLaunchChecksTheChosenHomeAfterwardsAndStartsIt) {
    setSetting(kLowestVersion, "1.4.0");
    registerVersion(kJreKey, "1.6.0", "C:\\jre6");
    registerVersion(kJreKey, "1.5.0", "C:\\jre5");
    addRuntime("C:\\jre5");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(onlyLine(), "tarvello: Java found, but javaw.exe seems to be missing.");

    addRuntime("C:\\jre6", 5000);
    world().printed.clear();
    EXPECT_EQ(run(), 0);
    EXPECT_TRUE(world().printed.empty());
    EXPECT_EQ(startedCommandLine(), "\"C:\\jre6\\bin\\java.exe\" -jar \"C:\\apps\\tool.exe\"");
    EXPECT_EQ(state.runtimeExeSize, 5000);
}

}  // namespace
