#include "tested_architecture.h"

#include <unistd.h>

#include "run_process.h"

namespace {

std::string& selected() {
    static std::string architecture;
    return architecture;
}

}  // namespace

const std::string& testedArchitecture() { return selected(); }

bool testsThe32BitArchitecture() { return selected() == "i686"; }

bool selectTestedArchitecture(const std::string& argument) {
    const std::string prefix = "--arch=";
    if (argument.rfind(prefix, 0) != 0) return false;
    const std::string architecture = argument.substr(prefix.size());
    if (architecture != "i686" && architecture != "x86_64") return false;
    selected() = architecture;
    return true;
}

std::string whyTheTestedArchitectureCannotRun() {
    if (!testsThe32BitArchitecture()) return "";
    // Wine runs a 32-bit Windows program as a 32-bit Linux process.
    const ProcessResult probe = runProcess({I386_PROBE});
    if (probe.exitStatus == 0) {
        if (::access(WINE32_LOADER, X_OK) == 0) return "";
        return "32-bit Wine is not installed (no " WINE32_LOADER "), so it cannot run 32-bit programs";
    }
    std::string reason = probe.err.empty() ? "status " + std::to_string(probe.exitStatus) : probe.err;
    while (!reason.empty() && reason.back() == '\n') reason.pop_back();
    return "this kernel cannot run 32-bit programs, so neither can Wine (" + reason + ")";
}
