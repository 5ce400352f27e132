#include "application_run.h"

#include <sstream>
#include <stdexcept>

ProcessResult runPackagedApplication(const std::vector<std::string>& arguments)
{
    if (!std::filesystem::is_regular_file(PACKAGED_APPLICATION))
        throw std::runtime_error("the packaged application is not built: " PACKAGED_APPLICATION);
    std::vector<std::string> command{JAVA_EXECUTABLE, "-jar", PACKAGED_APPLICATION};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return runProcess(command, "", {"LC_ALL=C.UTF-8"});
}

void generateSampleLibrary(const std::filesystem::path& root, const std::vector<std::string>& options)
{
    std::vector<std::string> command{MAKE_SAMPLE_LIBRARY, root.string()};
    command.insert(command.end(), options.begin(), options.end());
    const ProcessResult result = runProcess(command);
    if (result.exitStatus != 0)
        throw std::runtime_error("make-sample-library failed: " + result.err);
}

std::vector<std::string> consoleLines(const std::string& output)
{
    std::vector<std::string> lines;
    std::istringstream stream(output);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(lines.size() == 1 ? "" : line);
    return lines;
}
