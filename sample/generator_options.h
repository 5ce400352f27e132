#pragma once

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

// Parses the arguments after the program name; throws std::invalid_argument with a message fit
// for the user when they do not make sense.
GeneratorOptions parseGeneratorOptions(const std::vector<std::string>& arguments);
