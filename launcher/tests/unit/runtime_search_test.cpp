// Choosing a registered Java runtime: version range, keys and registry views.

#include <map>
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
const char kTemurinJdkKey[] = "SOFTWARE\\Eclipse Adoptium\\JDK";
const char kTemurinJreKey[] = "SOFTWARE\\Eclipse Adoptium\\JRE";
const char kMicrosoftKey[] = "SOFTWARE\\Microsoft\\JDK";
const char kZuluKey[] = "SOFTWARE\\Azul Systems\\Zulu";
const char kZulu32Key[] = "SOFTWARE\\Azul Systems\\Zulu 32-bit";
const char kLibericaKey[] = "SOFTWARE\\BellSoft\\Liberica";
constexpr int kOwnView = 0;
constexpr int kOtherView = 1;

using Registry = fake::Registry;

class RuntimeSearchTest : public LauncherTest {
protected:
    void SetUp() override {
        LauncherTest::SetUp();
        initLaunchState(state);
        setVersion(state.lowestVersion, "1.4.0");
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
        {{"1.10.0", "0.1"}, "", "", "1.10.0"},               // an empty lowest version bounds nothing
        {{"1.6.0", "1.5.0"}, "1.4.0", "", "1.6.0"},          // the greatest wins wherever it is listed
        {{"17", "1.8.0_301"}, "1.4.0", "", "17"},
        {{"1.8.0_301", "17"}, "1.4.0", "1.8", "none"},
        {{"8.0.432.6"}, "1.8", "1.8.0_999", "8.0.432.6"},    // 1.8.0_999 and 8.0.432.6 both begin with 8
        {{"1.8.0_392", "8.0.392"}, "1.8", "", "1.8.0_392"},  // the same numbers: the first listed stays
        {{"8.0.392", "8.0.392.8"}, "1.8", "", "8.0.392.8"},
        {{"1.4.2", "3.9"}, "4", "", "1.4.2"},  // 1.4.2 begins with 4
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
    world().registry[kOwnView][std::string(kJreKey) + "\\1.8.0"].values["JavaHome"] = "C:\\own-view-value";
    EXPECT_EQ(search(), "C:\\other-1.8");
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

TEST_F(RuntimeSearchTest, AHomeThatCouldNotTakeBinJavaExeIsPassedOver) {
    const std::string fitting = "C:\\" + std::string(kPathCapacity - 1 - 13 - 3, 'h');  // room for \bin\java.exe
    registerVersion(kJreKey, "1.5.0", fitting);
    EXPECT_EQ(search(), fitting);

    // A better version whose home could not be used is no candidate and hides no lower one.
    registerVersion(kJreKey, "1.6.0", fitting + "h");
    EXPECT_EQ(search(), fitting);
    registerVersion(kJreKey, "1.7.0", std::string(2000, 'h'));
    EXPECT_EQ(search(), fitting);

    // The development kit's runtime needs room for "\jre" as well.
    const std::string kitHome(fitting.size() - 4, 'k');
    registerVersion(kJdkKey, "1.7.1", kitHome);
    EXPECT_EQ(search(), kitHome + "\\jre");
    registerVersion(kJdkKey, "1.7.2", kitHome + "k");
    EXPECT_EQ(search(), kitHome + "\\jre");
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

// The layout of the MSI installers of today: <version>\<jvm>\<installer> with the value "Path".
void registerInstallerPath(Registry& registry, const std::string& key, const std::string& version,
                           const std::string& home, const std::string& jvm = "hotspot",
                           const std::string& installer = "MSI") {
    addSubKey(registry, key, version);
    addSubKey(registry, key + "\\" + version, jvm);
    addSubKey(registry, key + "\\" + version + "\\" + jvm, installer).values["Path"] = home;
}

// A sub-key named after its product, with "InstallationPath" and version numbers.
fake::RegistryKeyData& registerProduct(Registry& registry, const std::string& key, const std::string& name,
                                       const std::string& home) {
    fake::RegistryKeyData& product = addSubKey(registry, key, name);
    product.values["InstallationPath"] = home;
    return product;
}

TEST_F(RuntimeSearchTest, TheInstallersOwnKeysAreReadWithTheirNestedLayout) {
    Registry& machine = world().registry[kOwnView];
    setVersion(state.lowestVersion, "1.8");
    registerInstallerPath(machine, kTemurinJdkKey, "17.0.9.9", "C:\\Program Files\\Eclipse Adoptium\\jdk-17\\");
    EXPECT_EQ(search(), "C:\\Program Files\\Eclipse Adoptium\\jdk-17") << "the trailing backslash is dropped";

    registerInstallerPath(world().registry[kOtherView], kMicrosoftKey, "21.0.5.11", "C:\\ms-21", "hotspot", "EXE");
    EXPECT_EQ(search(), "C:\\ms-21");

    for (const char* key :
         {"SOFTWARE\\AdoptOpenJDK\\JRE", "SOFTWARE\\AdoptOpenJDK\\JDK", "SOFTWARE\\Eclipse Foundation\\JDK",
          "SOFTWARE\\Eclipse Foundation\\JRE", "SOFTWARE\\Semeru\\JRE", "SOFTWARE\\Semeru\\JDK", kTemurinJreKey}) {
        fake::reset();
        registerInstallerPath(world().registry[kOwnView], key, "11.0.21.9", "C:\\jvm-11\\", "openj9");
        EXPECT_EQ(search(), "C:\\jvm-11") << key;
    }
}

TEST_F(RuntimeSearchTest, ProductKeysGiveTheirVersionInNumbersOrElseInTheirName) {
    Registry& machine = world().registry[kOwnView];
    setVersion(state.lowestVersion, "1.8");
    fake::RegistryKeyData& zulu17 = registerProduct(machine, kZuluKey, "zulu-17", "C:\\zulu-17\\");
    zulu17.numbers = {{"MajorVersion", 17}, {"MinorVersion", 0}, {"BuildNumber", 9}};
    registerProduct(machine, kZuluKey, "zulu-8-jre", "C:\\zulu-8");
    EXPECT_EQ(search(), "C:\\zulu-17");
    EXPECT_STREQ(state.bestVersion, "17.0.9");

    setVersion(state.highestVersion, "11");
    EXPECT_EQ(search(), "C:\\zulu-8") << "without numbers the name's digits are its version";
    EXPECT_STREQ(state.bestVersion, "zulu-8-jre");

    fake::reset();
    setVersion(state.highestVersion, "");
    fake::RegistryKeyData& liberica = registerProduct(machine, kLibericaKey, "jdk-17", "C:\\liberica-17");
    liberica.numbers = {{"MajorVersion", 17}, {"MinorVersion", 0}, {"PatchVersion", 13}};
    registerProduct(world().registry[kOtherView], kZulu32Key, "zulu-17", "C:\\zulu-17-32").numbers = {
        {"MajorVersion", 17}, {"MinorVersion", 0}, {"BuildNumber", 12}};
    EXPECT_EQ(search(), "C:\\liberica-17");
    EXPECT_STREQ(state.bestVersion, "17.0.13");
}

TEST_F(RuntimeSearchTest, EverySourceIsReadPerMachineThenPerUserInBothViews) {
    setVersion(state.lowestVersion, "1.8");
    registerInstallerPath(world().userRegistry[kOtherView], kTemurinJdkKey, "17.0.9.9", "C:\\user-other");
    EXPECT_EQ(search(), "C:\\user-other");
    registerInstallerPath(world().userRegistry[kOwnView], kTemurinJdkKey, "17.0.9.9", "C:\\user-own");
    EXPECT_EQ(search(), "C:\\user-own");
    registerInstallerPath(world().registry[kOtherView], kTemurinJdkKey, "17.0.9.9", "C:\\machine-other");
    EXPECT_EQ(search(), "C:\\machine-other");
    registerInstallerPath(world().registry[kOwnView], kTemurinJdkKey, "17.0.9.9", "C:\\machine-own");
    EXPECT_EQ(search(), "C:\\machine-own");
    // An earlier source wins a tie wherever it is registered.
    addSubKey(world().userRegistry[kOtherView], kCurrentJdkKey, "17.0.9.9").values["JavaHome"] = "C:\\javasoft-user";
    EXPECT_EQ(search(), "C:\\javasoft-user");
}

TEST_F(RuntimeSearchTest, TheGreatestVersionWinsAcrossSources) {
    setVersion(state.lowestVersion, "1.8");
    registerVersion(kCurrentJreKey, "1.8.0_431", "C:\\jre-8");
    registerInstallerPath(world().registry[kOwnView], kTemurinJdkKey, "21.0.5.11", "C:\\temurin-21");
    EXPECT_EQ(search(), "C:\\temurin-21");

    fake::reset();
    registerVersion(kCurrentJdkKey, "17.0.13", "C:\\jdk-17");
    registerProduct(world().registry[kOwnView], kZuluKey, "zulu-11", "C:\\zulu-11").numbers = {{"MajorVersion", 11},
                                                                                               {"MinorVersion", 0}};
    EXPECT_EQ(search(), "C:\\jdk-17");
}

TEST_F(RuntimeSearchTest, AnInstallersHomeWithoutJavaExeIsReportedAsJavaExeMissing) {
    setSetting(kLowestVersion, "1.8");
    registerInstallerPath(world().userRegistry[kOwnView], kMicrosoftKey, "17.0.9.9", "C:\\ms-17\\");
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(onlyLine(), "tarvello: Java found, but javaw.exe seems to be missing.");

    addRuntime("C:\\ms-17");
    world().printed.clear();
    EXPECT_EQ(run(), 0);
    EXPECT_EQ(startedCommandLine(), "\"C:\\ms-17\\bin\\java.exe\" -jar \"C:\\apps\\tool.exe\"");
}

TEST_F(RuntimeSearchTest, AnEntryWhoseHomeCannotBeReadIsPassedOver) {
    Registry& machine = world().registry[kOwnView];
    setVersion(state.lowestVersion, "1.8");
    registerInstallerPath(machine, kTemurinJdkKey, "17.0.9.9", "C:\\temurin-17");
    registerInstallerPath(machine, kTemurinJdkKey, "21.0.5.11", "C:\\temurin-21");
    machine[std::string(kTemurinJdkKey) + "\\21.0.5.11\\hotspot\\MSI"].values.clear();
    registerProduct(machine, kZuluKey, "zulu-21", "").values.clear();
    EXPECT_EQ(search(), "C:\\temurin-17");

    // A readable installer entry below the same version is found after an unreadable one.
    registerInstallerPath(machine, kTemurinJdkKey, "21.0.5.11", "C:\\temurin-21-exe", "hotspot", "EXE");
    EXPECT_EQ(search(), "C:\\temurin-21-exe");
}

}  // namespace
