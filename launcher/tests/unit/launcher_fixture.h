#pragma once
// Runs the launcher's whole logic against the fake platform.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "fake_platform.h"
#include "launcher_main.h"

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

    int run(std::vector<std::string> arguments = {}) {
        arguments.insert(arguments.begin(), world().exePath);
        std::vector<char*> vector;
        for (std::string& argument : arguments) vector.push_back(&argument[0]);
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
