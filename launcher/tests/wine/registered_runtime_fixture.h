#pragma once
// The real launcher of the tested architecture under Wine with Java runtimes
// registered in Wine's registry: each runtime is a folder holding the stand-in
// runtime, whose java.exe records in a log which program was started.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "runtime_registration.h"
#include "standin_runtime.h"
#include "temp_dir.h"
#include "tested_architecture.h"
#include "wine_run.h"

class RegisteredRuntimeUnderWine : public ::testing::Test {
protected:
    using Place = RuntimeRegistrations::Place;
    static constexpr RegistryView k64 = RegistryView::bits64;
    static constexpr RegistryView k32 = RegistryView::bits32;
    // The launcher's own registry view, and the other one.
    const RegistryView kOwn = forTestedArchitecture(k32, k64);
    const RegistryView kOther = forTestedArchitecture(k64, k32);

    std::filesystem::path install(const std::string& package) { return installPackage(package, appDir); }

    // A runtime folder with the stand-in runtime in it.
    std::filesystem::path placeRuntime(const std::string& name) {
        const std::filesystem::path home = temp.path() / "java" / name;
        placeStandinRuntime(home, STANDIN_JAVA_EXE);
        return home;
    }

    // Registers the folder `home` as the "JavaHome" of `version` under
    // HKLM\SOFTWARE\JavaSoft\<key> in one view.
    void registerRuntime(RegistryView view, const std::string& key, const std::string& version,
                         const std::filesystem::path& home) {
        registry.addJavaSoft({RegistryRoot::machine, view}, key, version, windowsPath(home));
    }

    ProcessResult run(const std::filesystem::path& exe, std::vector<std::string> environment = {}) {
        environment.push_back("STANDIN_LOG=" + windowsPath(log));
        return runUnderWine(exe, {}, appDir, environment);
    }

    std::vector<StandinRecord> starts() const { return readStandinLog(log); }

    // The one program that the launcher started, as a Windows path.
    std::string onlyStartedProgram() const {
        const auto records = starts();
        EXPECT_EQ(records.size(), 1u);
        return records.empty() ? std::string() : records.front().program;
    }

    static std::string javaExe(const std::filesystem::path& home) { return windowsPath(home / "bin" / "java.exe"); }

    TempDir temp{"runtime-wine"};
    std::filesystem::path appDir = temp.path() / "my app";
    std::filesystem::path log = temp.path() / "standin.log";
    RuntimeRegistrations registry;
};
