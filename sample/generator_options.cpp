#include "generator_options.h"

#include <charconv>
#include <stdexcept>

const char* const kUsage =
    "usage: make-sample-library <dir> [--albums N] [--tracks N] [--track-bytes N] [--with-broken-tag]\n"
    "  Without sizing options, writes the small sample library into <dir> (new or empty).\n"
    "  --albums N, --tracks N, --track-bytes N: a synthetic library of N albums of N tracks of N bytes\n"
    "    (defaults 10 albums, 10 tracks, 1048576 bytes for those not given).\n"
    "  --with-broken-tag: adds one track whose tag is malformed.\n";

namespace {

constexpr LibrarySize kDefaultSize{10, 10, 1048576};

struct SizeOption {
    const char* name;
    std::size_t LibrarySize::*field;
    std::size_t limit;
};

const SizeOption kSizeOptions[] = {{"--albums", &LibrarySize::albums, 100000},
                                   {"--tracks", &LibrarySize::tracksPerAlbum, 10000},
                                   {"--track-bytes", &LibrarySize::trackBytes, std::size_t{1} << 30}};

const SizeOption* findSizeOption(const std::string& argument) {
    for (const SizeOption& option : kSizeOptions)
        if (argument == option.name) return &option;
    return nullptr;
}

}  // namespace

std::size_t parseCountOption(const std::string& option, const std::string& text, std::size_t limit) {
    std::size_t value = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (text.empty() || error != std::errc() || stop != end || value == 0 || value > limit)
        throw std::invalid_argument(option + " needs a whole number from 1 to " + std::to_string(limit) + ", not '" +
                                    text + "'");
    return value;
}

GeneratorOptions parseGeneratorOptions(const std::vector<std::string>& arguments) {
    GeneratorOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--with-broken-tag") {
            options.withBrokenTag = true;
        } else if (const SizeOption* sizeOption = findSizeOption(argument)) {
            if (i + 1 == arguments.size()) throw std::invalid_argument(argument + " needs a number");
            if (!options.syntheticSize) options.syntheticSize = kDefaultSize;
            (*options.syntheticSize).*(sizeOption->field) =
                parseCountOption(argument, arguments[++i], sizeOption->limit);
        } else if (argument.rfind("--", 0) == 0) {
            throw std::invalid_argument("unknown option " + argument);
        } else if (!options.directory.empty()) {
            throw std::invalid_argument("only one directory, please: " + options.directory + ", " + argument);
        } else {
            options.directory = argument;
        }
    }
    if (options.directory.empty()) throw std::invalid_argument("no directory given");
    return options;
}
