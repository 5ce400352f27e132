#pragma once

#include <filesystem>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// Runs argv[0] (searched in PATH when it holds no slash) with the other elements as its arguments,
// in workingDir when that is not empty, and gives the wall-clock seconds from start to exit.
// Standard input is /dev/null, standard output the file named (/dev/null when none is) and standard
// error a file, never pipes: Wine's background processes would inherit a pipe and keep the caller
// waiting. Throws std::runtime_error, with the program's standard error, when it cannot start or
// ends with a status other than 0.
double timedRun(const std::vector<std::string>& argv, const std::filesystem::path& workingDir = {},
                const std::filesystem::path& outputFile = {});

// A run on a pseudo-terminal 80 columns wide, its standard streams all the terminal.
struct TerminalTiming {
    double seconds = 0;           // wall-clock, from start to exit
    std::size_t statusLines = 0;  // how often the application wrote its status line
};

// Times argv as timedRun does, but on a pseudo-terminal whose output is read as it comes and counted
// for the status lines the application writes there ("Album ..." after a carriage return). Throws
// std::runtime_error, with what the terminal showed, when the program ends with a status other than 0.
TerminalTiming timedTerminalRun(const std::vector<std::string>& argv);

// The middle value (the mean of the two middle ones for an even count); samples must not be empty.
double median(std::vector<double> samples);

// The median of the seconds that `runs` calls of `measure` give.
double medianOf(int runs, const std::function<double()>& measure);
