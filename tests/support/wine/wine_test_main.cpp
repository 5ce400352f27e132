// The entry of test programs that run Windows executables under Wine for one
// architecture: with --arch=i686 where 32-bit programs cannot run, the whole
// program is skipped, with the reason, rather than failing or passing.

#include <gtest/gtest.h>

#include <iostream>

#include "tested_architecture.h"

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    if (argc != 2 || !selectTestedArchitecture(argv[1])) {
        std::cerr << "usage: " << argv[0] << " [gtest options] --arch=i686|x86_64\n";
        return 2;
    }
    const std::string reason = whyTheTestedArchitectureCannotRun();
    if (!reason.empty()) {
        std::cout << "Skipped, " << testedArchitecture() << ": " << reason << '\n';
        return WINE_TEST_SKIPPED_STATUS;
    }
    return RUN_ALL_TESTS();
}
