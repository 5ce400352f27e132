// The delivered executable of the tested architecture under Wine with the bridge runtime
// registered in Wine's registry (64-bit view) as each kind of installer registers it: it finds
// the runtime, starts it under its own name and tidies the sample library.

#include <gtest/gtest.h>

#include <functional>

#include "application_install.h"
#include "library_outcome.h"
#include "runtime_registration.h"
#include "sample_run.h"
#include "temp_dir.h"
#include "wine_run.h"

namespace fs = std::filesystem;

namespace {

// One way of registering a runtime home, given in Windows form.
struct Registration {
    const char* name;
    std::function<void(RuntimeRegistrations&, const std::string& home)> add;
};

const RuntimeRegistrations::Place kMachine = {RegistryRoot::machine, RegistryView::bits64};
const RuntimeRegistrations::Place kUser = {RegistryRoot::user, RegistryView::bits64};

const Registration kRegistrations[] = {
    {"OldJavaSoftKey",
     [](RuntimeRegistrations& registry, const std::string& home) {
         registry.addJavaSoft(kMachine, "Java Runtime Environment", "1.8.0_999", home);
     }},
    {"CurrentJavaSoftKey", [](RuntimeRegistrations& registry,
                              const std::string& home) { registry.addJavaSoft(kMachine, "JRE", "17", home); }},
    // The Temurin and Microsoft MSIs as installed by default: no JavaSoft keys at all.
    {"TemurinMsiOnly",
     [](RuntimeRegistrations& registry, const std::string& home) {
         registry.addInstallerPath(kMachine, "Eclipse Adoptium\\JDK", "17.0.9.9", home + "\\");
     }},
    {"MicrosoftOnly",
     [](RuntimeRegistrations& registry, const std::string& home) {
         registry.addInstallerPath(kMachine, "Microsoft\\JDK", "21.0.5.11", home + "\\");
     }},
    {"TemurinMsiForOneUser",
     [](RuntimeRegistrations& registry, const std::string& home) {
         registry.addInstallerPath(kUser, "Eclipse Adoptium\\JRE", "21.0.5.11", home + "\\");
     }},
};

class RegisteredRuntime : public ::testing::TestWithParam<Registration> {};

TEST_P(RegisteredRuntime, TidiesTheSampleLibraryThroughTheCopyNamedAfterTheExecutable) {
    TempDir temp("e2e-registered");
    const fs::path exe = installApplication(deliveredPackage(), temp.path() / "app");
    const fs::path home = temp.path() / "java home";
    installBridgeRuntime(home);
    const fs::path root = temp.path() / "sample library";
    generateSampleLibrary(root);
    const ExpectedRun expected = expectRun(root, sampleAlbums());
    RuntimeRegistrations registry;
    GetParam().add(registry, windowsPath(home));

    const ProcessResult result = runInstalled(exe, {windowsPath(root)}, temp.path());

    expectOutcome(result, 0, expected, root);
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(runtimeCopyIsIntact(home));
}

INSTANTIATE_TEST_SUITE_P(AsEachInstallerRegistersIt, RegisteredRuntime, ::testing::ValuesIn(kRegistrations),
                         [](const ::testing::TestParamInfo<Registration>& info) { return info.param.name; });

}  // namespace
