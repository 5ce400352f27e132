#include "second_runs.h"

#include <chrono>

#include "timed_run.h"

namespace fs = std::filesystem;

void tidiedCopy(const std::vector<std::string>& application, const Library& library, const fs::path& copy) {
    freshCopy(library, copy);
    ageTracks(library, copy, std::chrono::hours(24));
    std::vector<std::string> firstRun = application;
    firstRun.push_back(copy.string());
    timedRun(firstRun);
    flushToDisk(copy);
}

SecondRunFigures measureSecondRuns(const std::vector<std::string>& application, const Library& library,
                                   const fs::path& copy, int rounds) {
    tidiedCopy(application, library, copy);
    const std::vector<std::string> kinds[] = {{}, {"--quick"}, {"--dry-run"}};
    constexpr int kNormal = 0, kQuick = 1, kDry = 2, kKinds = 3;
    std::vector<double> seconds[kKinds];
    std::vector<double> quickOverDry;
    std::vector<double> quickOverNormal;
    for (int round = 0; round < rounds; ++round) {
        double taken[kKinds] = {};
        for (int i = 0; i < kKinds; ++i) {
            const int kind = (round + i) % kKinds;
            std::vector<std::string> command = application;
            command.insert(command.end(), kinds[kind].begin(), kinds[kind].end());
            command.push_back(copy.string());
            taken[kind] = timedRun(command);
            seconds[kind].push_back(taken[kind]);
        }
        quickOverDry.push_back(taken[kQuick] / taken[kDry]);
        quickOverNormal.push_back(taken[kQuick] / taken[kNormal]);
    }
    SecondRunFigures figures;
    figures.normal = median(seconds[kNormal]);
    figures.quick = median(seconds[kQuick]);
    figures.dry = median(seconds[kDry]);
    figures.quickOverDry = median(quickOverDry);
    figures.quickOverNormal = median(quickOverNormal);
    return figures;
}
