#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

// Runs argv[0] (searched in PATH when it holds no slash) with the other elements as its arguments,
// in workingDir when that is not empty, and gives the wall-clock seconds from start to exit.
// Standard input and output are /dev/null and standard error a file, never pipes: Wine's background
// processes would inherit a pipe and keep the caller waiting. Throws std::runtime_error, with the
// program's standard error, when it cannot start or ends with a status other than 0.
double timedRun(const std::vector<std::string>& argv, const std::filesystem::path& workingDir = {});

// The middle value (the mean of the two middle ones for an even count); samples must not be empty.
double median(std::vector<double> samples);

// The median of the seconds that `runs` calls of `measure` give.
double medianOf(int runs, const std::function<double()>& measure);
