// make-sample-library: writes a small music library to try the renamer on, or a large synthetic one
// to measure it.
#include <iostream>

#include "command_tool.h"
#include "generator_options.h"
#include "sample_library.h"
#include "synthetic_library.h"

int main(int argc, char** argv) {
    return runCommandTool(
        "make-sample-library", kUsage, argc, argv, parseGeneratorOptions, [](const GeneratorOptions& options) {
            if (options.syntheticSize)
                writeSyntheticLibrary(options.directory, *options.syntheticSize, options.withBrokenTag);
            else
                writeSampleLibrary(options.directory, options.withBrokenTag);
            std::cout << "Library written to " << options.directory << "\n";
        });
}
