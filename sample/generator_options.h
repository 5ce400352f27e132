#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "synthetic_library.h"

struct GeneratorOptions {
    std::string directory;
    std::optional<LibrarySize> syntheticSize;  // set when any sizing option was given
    bool withBrokenTag = false;
};

extern const char* const kUsage;

// The value of a count option: a whole number from 1 to `limit`, which keeps a mistyped number
// from filling the disk; throws std::invalid_argument naming the option otherwise.
std::size_t parseCountOption(const std::string& option, const std::string& text, std::size_t limit);

// Parses the arguments after the program name; throws std::invalid_argument with a message fit
// for the user when they do not make sense.
GeneratorOptions parseGeneratorOptions(const std::vector<std::string>& arguments);
