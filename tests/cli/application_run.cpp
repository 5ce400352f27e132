#include "application_run.h"

#include <filesystem>
#include <stdexcept>

namespace {

ProcessResult runWithPrefix(std::vector<std::string> command, const std::vector<std::string>& arguments)
{
    if (!std::filesystem::is_regular_file(PACKAGED_APPLICATION))
        throw std::runtime_error("the packaged application is not built: " PACKAGED_APPLICATION);
    command.insert(command.end(), {JAVA_EXECUTABLE, "-jar", PACKAGED_APPLICATION});
    command.insert(command.end(), arguments.begin(), arguments.end());
    return runProcess(command, "", {"LC_ALL=C.UTF-8"});
}

} // namespace

ProcessResult runPackagedApplication(const std::vector<std::string>& arguments)
{
    return runWithPrefix({}, arguments);
}

ProcessResult runPackagedApplicationWithin(int seconds, const std::vector<std::string>& arguments)
{
    // coreutils' timeout ends the run with status 124 (kTimedOut) when the time is up.
    return runWithPrefix({"timeout", "--kill-after=5", std::to_string(seconds)}, arguments);
}
