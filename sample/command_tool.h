#pragma once
// The frame that the build's command-line tools share: the arguments parsed into options (a
// mistake gives the message, the usage and status 2), then the work (a failure gives its reason
// and status 1).

#include <exception>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

template <typename Parse, typename Work>
int runCommandTool(const char* name, const char* usage, int argc, char** argv, Parse parse, Work work) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    decltype(parse(arguments)) options;
    try {
        options = parse(arguments);
    } catch (const std::invalid_argument& error) {
        std::cerr << name << ": " << error.what() << "\n" << usage;
        return 2;
    }
    try {
        work(options);
    } catch (const std::exception& error) {
        std::cerr << name << ": " << error.what() << "\n";
        return 1;
    }
    return 0;
}
