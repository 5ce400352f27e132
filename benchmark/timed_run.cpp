#include "timed_run.h"

#include <algorithm>
#include <chrono>
#include <stdexcept>

#include "file_bytes.h"
#include "run_process.h"
#include "temp_dir.h"
#include "terminal_run.h"

double timedRun(const std::vector<std::string>& argv, const std::filesystem::path& workingDir,
                const std::filesystem::path& outputFile) {
    static const TempDir errorFolder("benchmark-stderr");
    const std::filesystem::path errorFile = errorFolder.path() / "stderr";

    const auto start = std::chrono::steady_clock::now();
    const int status =
        runProcessToFiles(argv, outputFile.empty() ? "/dev/null" : outputFile, errorFile, workingDir.string());
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (status != 0) {
        std::string command;
        for (const std::string& word : argv) command += (command.empty() ? "" : " ") + word;
        throw std::runtime_error(command + " ended with status " + std::to_string(status) + ":\n" +
                                 readFileBytes(errorFile));
    }
    return elapsed.count();
}

TerminalTiming timedTerminalRun(const std::vector<std::string>& argv) {
    const auto start = std::chrono::steady_clock::now();
    const TerminalRun run = runOnTerminal(argv);
    const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - start;
    if (run.exitStatus != 0)
        throw std::runtime_error(argv.front() + " on a terminal ended with status " + std::to_string(run.exitStatus) +
                                 ":\n" + run.screen);
    TerminalTiming timing;
    timing.seconds = elapsed.count();
    for (std::size_t at = run.screen.find("\rAlbum "); at != std::string::npos;
         at = run.screen.find("\rAlbum ", at + 1))
        ++timing.statusLines;
    return timing;
}

double median(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const std::size_t middle = samples.size() / 2;
    return samples.size() % 2 == 1 ? samples[middle] : (samples[middle - 1] + samples[middle]) / 2;
}

double medianOf(int runs, const std::function<double()>& measure) {
    std::vector<double> samples;
    for (int i = 0; i < runs; ++i) samples.push_back(measure());
    return median(samples);
}
