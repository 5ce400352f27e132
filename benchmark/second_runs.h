#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "library.h"

// Second runs over a library that a first run has tidied and whose lists it wrote: a normal run,
// which reads every track again, a quick run, which keeps the listed checksums unread, and a dry run,
// which reads only the tags. Median seconds, warm cache.
struct SecondRunFigures {
    double normal = 0;
    double quick = 0;
    double dry = 0;
    // The medians over rounds of one run of each kind of the quick run's seconds over the others'.
    double quickOverDry = 0;
    double quickOverNormal = 0;
};

// Replaces `copy` by a copy of the library whose tracks are a day old, tidies it with a normal run of
// `application` (java, its options, -jar and the executable), and flushes it to disk. The runs that
// follow must not copy it again: a copy's tracks change their entries after the lists, which a quick
// run rightly distrusts.
void tidiedCopy(const std::vector<std::string>& application, const Library& library, const std::filesystem::path& copy);

// Times `rounds` rounds of a normal, a quick and a dry second run, in turn each kind first, over a
// tidied copy of the library. Throws std::runtime_error when a run fails.
SecondRunFigures measureSecondRuns(const std::vector<std::string>& application, const Library& library,
                                   const std::filesystem::path& copy, int rounds);
