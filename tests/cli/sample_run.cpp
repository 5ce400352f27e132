#include "sample_run.h"

#include <sstream>
#include <stdexcept>

#include "run_process.h"

void generateSampleLibrary(const std::filesystem::path& root, const std::vector<std::string>& options) {
    std::vector<std::string> command{MAKE_SAMPLE_LIBRARY, root.string()};
    command.insert(command.end(), options.begin(), options.end());
    const ProcessResult result = runProcess(command);
    if (result.exitStatus != 0) throw std::runtime_error("make-sample-library failed: " + result.err);
}

std::vector<std::string> consoleLines(const std::string& output) {
    std::vector<std::string> lines;
    std::istringstream stream(output);
    for (std::string line; std::getline(stream, line);) lines.push_back(lines.size() == 1 ? "" : line);
    return lines;
}
