#include <gtest/gtest.h>

#include <fstream>

#include "second_runs.h"
#include "temp_dir.h"

namespace fs = std::filesystem;

// A stand-in application logs its options, whether the first track is older than half a day, and
// that track's inode and change time: the tidying run must see aged tracks, and every run must go
// over the one copy that it tidied, which no copy comes between.
TEST(SecondRuns, OneTidyingRunThenRoundsOfEachKindInTurnOverTheSameCopy) {
    const TempDir work("benchmark-second-runs");
    const Library library = makeLibrary(work.path() / "lib", {1, 2, 3000});
    const fs::path copy = work.path() / "copy";
    const fs::path log = work.path() / "log";
    const std::vector<std::string> application{
        "sh", "-c",
        "for folder; do :; done; track=\"$folder/" + library.tracks[0].string() +
            "\"; "
            "echo \"$# $1|$(find \"$track\" -mmin +720 | wc -l)|$(stat -c '%i %Z' \"$track\")\" >> " +
            log.string(),
        "stand-in"};

    const SecondRunFigures figures = measureSecondRuns(application, library, copy, 3);

    std::ifstream in(log);
    std::vector<std::string> logged;
    for (std::string line; std::getline(in, line);) logged.push_back(line);
    ASSERT_EQ(logged.size(), 1u + 3 * 3);
    const std::string same = logged[0].substr(logged[0].find('|'));
    EXPECT_EQ(same.substr(0, 3), "|1|");
    const std::string normal = "1 " + copy.string() + same;
    const std::string quick = "2 --quick" + same;
    const std::string dry = "2 --dry-run" + same;
    EXPECT_EQ(logged[0], normal);
    const std::vector<std::string> rounds[] = {{normal, quick, dry}, {quick, dry, normal}, {dry, normal, quick}};
    for (std::size_t round = 0; round < 3; ++round)
        for (std::size_t i = 0; i < 3; ++i) EXPECT_EQ(logged[1 + 3 * round + i], rounds[round][i]) << round << i;
    EXPECT_GT(figures.quick, 0);
    EXPECT_GT(figures.quickOverDry, 0);
    EXPECT_GT(figures.quickOverNormal, 0);
}
