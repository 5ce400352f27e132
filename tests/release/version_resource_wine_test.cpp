// The delivered executable's version resource as Windows reads it, through GetFileVersionInfo
// and VerQueryValue under Wine.

#include <gtest/gtest.h>

#include <algorithm>

#include "tested_architecture.h"
#include "wine_run.h"

namespace {

// The console output with the C run-time's text-mode line ends made plain.
std::string withoutCarriageReturns(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

TEST(VersionResource, WindowsReadsTheProductItsVersionAndItsNames) {
    const std::filesystem::path exe = forTestedArchitecture(DELIVERED_PACKAGE_I686, DELIVERED_PACKAGE_X86_64);
    const ProcessResult result = runUnderWine(VERSION_QUERY_EXE, {windowsPath(exe)}, exe.parent_path());
    EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
    EXPECT_EQ(withoutCarriageReturns(result.out), "fixed FileVersion=" PROJECT_VERSION
                                                  ".0\n"
                                                  "fixed ProductVersion=" PROJECT_VERSION
                                                  ".0\n"
                                                  "fixed FileType=1\n"
                                                  "Translation=0409 1200\n"
                                                  "ProductName=Dovatrik\n"
                                                  "FileDescription=Dovatrik music folder tidier\n"
                                                  "FileVersion=" PROJECT_VERSION
                                                  "\n"
                                                  "ProductVersion=" PROJECT_VERSION
                                                  "\n"
                                                  "OriginalFilename=dovatrik.exe\n"
                                                  "InternalName=dovatrik\n"
                                                  "LegalCopyright=Copyright (c) 2026 The Dovatrik authors\n");
}

// The launcher with no version options has no version resource.
TEST(VersionResource, AnExecutablePackagedWithoutAVersionHasNone) {
    const std::filesystem::path exe = std::filesystem::path(SIGNING_PACKAGES) / testedArchitecture() / "dovatrik.exe";
    const ProcessResult result = runUnderWine(VERSION_QUERY_EXE, {windowsPath(exe)}, exe.parent_path());
    EXPECT_EQ(result.exitStatus, 1) << result.out;
    EXPECT_EQ(result.out.rfind("no version resource", 0), 0u) << result.out;
}

}  // namespace
