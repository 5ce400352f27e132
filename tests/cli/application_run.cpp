#include "application_run.h"

#include <filesystem>
#include <stdexcept>

ProcessResult runPackagedApplication(const std::vector<std::string>& arguments)
{
    if (!std::filesystem::is_regular_file(PACKAGED_APPLICATION))
        throw std::runtime_error("the packaged application is not built: " PACKAGED_APPLICATION);
    std::vector<std::string> command{JAVA_EXECUTABLE, "-jar", PACKAGED_APPLICATION};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return runProcess(command, "", {"LC_ALL=C.UTF-8"});
}
