// Reading settings from the executable's resources.

#include "launch_settings.h"
#include "launcher_fixture.h"

namespace {

using SettingsTest = LauncherTest;

bool flagStoredAs(const std::string& bytes) {
    fake::world().settings[kStartInExeDir] = bytes;
    return readFlagSetting(&fake::world(), kStartInExeDir);
}

TEST_F(SettingsTest, FlagIsTrueOnlyForTrueInAnyCase) {
    EXPECT_TRUE(flagStoredAs(std::string("true\0", 5)));
    EXPECT_TRUE(flagStoredAs(std::string("TRUE\0", 5)));
    EXPECT_TRUE(flagStoredAs(std::string("tRuE\0", 5)));
    EXPECT_TRUE(flagStoredAs("True"));  // no terminator: the resource's end ends the text
    EXPECT_FALSE(flagStoredAs(std::string("yes\0", 4)));
    EXPECT_FALSE(flagStoredAs(std::string("1\0", 2)));
    EXPECT_FALSE(flagStoredAs(std::string("true \0", 6)));
    EXPECT_FALSE(flagStoredAs(std::string("\0", 1)));
    EXPECT_FALSE(flagStoredAs(std::string("truetruetruetrue\0", 17)));
    world().settings.clear();
    EXPECT_FALSE(readFlagSetting(&world(), kStartInExeDir));
}

TEST_F(SettingsTest, TextStopsAtFirstZeroByteOrResourceEnd) {
    char field[16] = "untouched";
    world().settings[kMessageTitle] = std::string("Tool\0garbage", 12);
    EXPECT_EQ(readSetting(&world(), kMessageTitle, field), SettingRead::read);
    EXPECT_STREQ(field, "Tool");

    // A text stored without its terminator is read up to the resource's end, not beyond.
    world().settings[kMessageTitle] = "NoEnd";
    EXPECT_EQ(readSetting(&world(), kMessageTitle, field), SettingRead::read);
    EXPECT_STREQ(field, "NoEnd");
}

TEST_F(SettingsTest, AbsentAndOverlongSettingsLeaveTheFieldUntouched) {
    char field[8] = "before";
    EXPECT_EQ(readSetting(&world(), kAppArguments, field), SettingRead::absent);
    EXPECT_STREQ(field, "before");

    setSetting(kAppArguments, "12345678");  // eight characters need nine bytes
    EXPECT_EQ(readSetting(&world(), kAppArguments, field), SettingRead::tooLong);
    EXPECT_STREQ(field, "before");

    setSetting(kAppArguments, "1234567");
    EXPECT_EQ(readSetting(&world(), kAppArguments, field), SettingRead::read);
    EXPECT_STREQ(field, "1234567");
}

TEST_F(SettingsTest, EmptyTextIsPresent) {
    char field[8] = "before";
    setSetting(kAppArguments, "");
    EXPECT_EQ(readSetting(&world(), kAppArguments, field), SettingRead::read);
    EXPECT_STREQ(field, "");
}

}  // namespace
