// The delivered executable of the tested architecture under Wine with the bridge runtime
// registered in Wine's registry (64-bit view) under an old and a current key: it finds the
// runtime, starts it under its own name and tidies the sample library.

#include <gtest/gtest.h>

#include "application_install.h"
#include "library_outcome.h"
#include "registry_key.h"
#include "sample_run.h"
#include "temp_dir.h"
#include "wine_run.h"

namespace fs = std::filesystem;

namespace {

class RegisteredRuntime : public ::testing::TestWithParam<std::string> {};

TEST_P(RegisteredRuntime, TidiesTheSampleLibraryThroughTheCopyNamedAfterTheExecutable) {
    TempDir temp("e2e-registered");
    const fs::path exe = installApplication(deliveredPackage(), temp.path() / "app");
    const fs::path home = temp.path() / "java home";
    installBridgeRuntime(home);
    const fs::path root = temp.path() / "sample library";
    generateSampleLibrary(root);
    const ExpectedRun expected = expectRun(root, sampleAlbums());
    const RegisteredJavaHome registration(GetParam(), home);

    const ProcessResult result = runInstalled(exe, {windowsPath(root)}, temp.path());

    expectOutcome(result, 0, expected, root);
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(runtimeCopyIsIntact(home));
}

INSTANTIATE_TEST_SUITE_P(UnderTheOldAndTheCurrentKey, RegisteredRuntime,
                         ::testing::Values("Java Runtime Environment\\1.8.0_999", "JRE\\17"));

}  // namespace
