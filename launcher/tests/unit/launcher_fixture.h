#pragma once
// Runs the launcher's whole logic against the fake platform.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "launcher_main.h"

// Adds the sub-key `name` below `key`, after those added before, unless it is there.
inline fake::RegistryKeyData& addSubKey(fake::Registry& registry, const std::string& key, const std::string& name) {
    auto& subKeys = registry[key].subKeys;
    if (std::find(subKeys.begin(), subKeys.end(), name) == subKeys.end()) subKeys.push_back(name);
    return registry[key + "\\" + name];
}

class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override { fake::reset(); }

    static fake::World& world() { return fake::world(); }

    // A setting stored as the packaging step stores it: the text and one zero byte.
    static void setSetting(int id, const std::string& text) { world().settings[id] = text + std::string(1, '\0'); }

    // A runtime home whose bin\java.exe exists with the given size.
    static void addRuntime(const std::string& home, long long size = 4096) {
        world().directories.insert(home);
        world().files[home + "\\bin\\java.exe"] = size;
    }

    // Registers `version` under the JavaSoft-style `key` of HKEY_LOCAL_MACHINE in
    // the launcher's own view [0] or the other [1], after the versions there before.
    static void registerVersion(const std::string& key, const std::string& version, const std::string& home,
                                int view = 0) {
        addSubKey(world().registry[view], key, version).values["JavaHome"] = home;
    }

    // Runs the launcher with arguments given in UTF-8, as the system hands them over in UTF-16.
    int run(const std::vector<std::string>& arguments = {}) {
        std::vector<std::u16string> texts = {fake::utf16(world().exePath)};
        for (const std::string& argument : arguments) texts.push_back(fake::utf16(argument));
        return runWide(texts);
    }

    int runWide(std::vector<std::u16string> arguments) {
        std::vector<platform::WideChar*> vector;
        for (std::u16string& argument : arguments) vector.push_back(&argument[0]);
        vector.push_back(nullptr);
        return runLauncher(state, static_cast<int>(arguments.size()), vector.data());
    }

    static std::string onlyLine() {
        EXPECT_EQ(world().printed.size(), 1u);
        return world().printed.empty() ? std::string() : world().printed.front();
    }

    static std::string startedCommandLine() {
        EXPECT_EQ(world().started.size(), 1u);
        return world().started.empty() ? std::string() : world().started.front().commandLine;
    }

    LaunchState state;
};
