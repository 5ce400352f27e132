// The delivered executable's runtime options, given to every real runtime on this machine: each must
// start the application with them, also with an option that one of them refuses on its own.
#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "application_run.h"

namespace {

std::vector<std::string> deliveredOptions() {
    std::istringstream text(DELIVERED_RUNTIME_OPTIONS);
    std::vector<std::string> options;
    for (std::string option; text >> option;) options.push_back(option);
    return options;
}

// Biased locking was deprecated in Java 15 and taken out in 18: 17 starts with a warning, 25 refuses.
constexpr char kOptionNewerRuntimesRefuse[] = "-XX:+UseBiasedLocking";

struct Runtime {
    std::string name;
    std::string java;
};

std::vector<Runtime> runtimes() {
    std::vector<Runtime> found{{"the build's", JAVA_EXECUTABLE}};
    if (!std::string(NEWER_JAVA_EXECUTABLE).empty()) found.push_back({"Java 22 or later", NEWER_JAVA_EXECUTABLE});
    return found;
}

// java <options> -jar dovatrik.exe --version
ProcessResult versionRun(const Runtime& runtime, const std::vector<std::string>& options) {
    std::vector<std::string> command = packagedApplicationCommand({"--version"}, runtime.java);
    command.insert(command.begin() + 1, options.begin(), options.end());
    return runProcess(command, "", {kApplicationLocale});
}

TEST(DeliveredRuntimeOptions, PutEveryOptionBehindTheOneThatLetsARuntimePassOverUnknownOnes) {
    const std::vector<std::string> options = deliveredOptions();
    ASSERT_FALSE(options.empty());
    EXPECT_EQ(options.front(), "-XX:+IgnoreUnrecognizedVMOptions");
}

TEST(DeliveredRuntimeOptions, EveryRuntimeHereStartsTheApplicationWithThem) {
    for (const Runtime& runtime : runtimes()) {
        const ProcessResult run = versionRun(runtime, deliveredOptions());
        EXPECT_EQ(run.exitStatus, 0) << runtime.name << " (" << runtime.java << "): " << run.err;
        EXPECT_EQ(run.out, "Dovatrik " PROJECT_VERSION "\n") << runtime.name;
    }
}

TEST(DeliveredRuntimeOptions, AnOptionOneRuntimeRefusesDoesNotStopItStartingBehindThem) {
    if (std::string(NEWER_JAVA_EXECUTABLE).empty())
        GTEST_SKIP() << "no Java 22 or later installed (give NEWER_JAVA_EXECUTABLE to CMake)";
    const Runtime newer{"Java 22 or later", NEWER_JAVA_EXECUTABLE};
    // Alone, the option keeps the newer runtime from starting: what the delivered options guard against.
    const ProcessResult refused = versionRun(newer, {kOptionNewerRuntimesRefuse});
    ASSERT_NE(refused.exitStatus, 0) << "the newer runtime no longer refuses " << kOptionNewerRuntimesRefuse;
    EXPECT_NE(refused.err.find("Unrecognized VM option"), std::string::npos) << refused.err;

    std::vector<std::string> options = deliveredOptions();
    options.push_back(kOptionNewerRuntimesRefuse);
    options.push_back("-XX:+AnOptionNoRuntimeKnows");
    for (const Runtime& runtime : runtimes()) {
        const ProcessResult run = versionRun(runtime, options);
        EXPECT_EQ(run.exitStatus, 0) << runtime.name << " (" << runtime.java << "): " << run.err;
        EXPECT_EQ(run.out, "Dovatrik " PROJECT_VERSION "\n") << runtime.name;
    }
}

}  // namespace
