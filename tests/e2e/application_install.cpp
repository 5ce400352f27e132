#include "application_install.h"

#include "file_bytes.h"
#include "tested_architecture.h"
#include "wine_run.h"

namespace fs = std::filesystem;

fs::path shippedPackage() { return fs::path(E2E_PACKAGES) / testedArchitecture() / "dovatrik.exe"; }

fs::path deliveredPackage() { return forTestedArchitecture(DELIVERED_PACKAGE_I686, DELIVERED_PACKAGE_X86_64); }

fs::path installApplication(const fs::path& package, const fs::path& appDir) {
    fs::create_directories(appDir / "lib");
    fs::copy_file(JID3_JAR, appDir / "lib" / "jid3.jar");
    fs::copy_file(package, appDir / "dovatrik.exe");
    return appDir / "dovatrik.exe";
}

void installBridgeRuntime(const fs::path& home) { copyRuntimeHome(BRIDGE_RUNTIME_HOME, home); }

fs::path runtimeCopy(const fs::path& home) { return home / "tarvello-tmp" / "dovatrik.exe"; }

bool runtimeCopyIsIntact(const fs::path& home) {
    return fs::is_regular_file(runtimeCopy(home)) &&
           readFileBytes(runtimeCopy(home)) == readFileBytes(home / "bin" / "java.exe");
}

ProcessResult runInstalled(const fs::path& exe, const std::vector<std::string>& arguments, const fs::path& startDir) {
    return runUnderWine(exe, arguments, startDir, {"LC_ALL=C.UTF-8"});
}
