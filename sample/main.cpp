// make-sample-library: writes a small music library to try the renamer on, or a large synthetic one
// to measure it.
#include <exception>
#include <iostream>

#include "generator_options.h"
#include "sample_library.h"
#include "synthetic_library.h"

int main(int argc, char** argv)
{
    GeneratorOptions options;
    try {
        options = parseGeneratorOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& error) {
        std::cerr << "make-sample-library: " << error.what() << "\n" << kUsage;
        return 2;
    }
    try {
        if (options.syntheticSize)
            writeSyntheticLibrary(options.directory, *options.syntheticSize, options.withBrokenTag);
        else
            writeSampleLibrary(options.directory, options.withBrokenTag);
    } catch (const std::exception& error) {
        std::cerr << "make-sample-library: " << error.what() << "\n";
        return 1;
    }
    std::cout << "Library written to " << options.directory << "\n";
    return 0;
}
