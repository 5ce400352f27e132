#pragma once
// A dry run's plan read from its console output and carried out on a copy of the library, so that
// the copy can be held against what the real run did.

#include <filesystem>
#include <string>
#include <vector>

#include "tree_snapshot.h"

struct PlannedConsole {
    std::vector<std::string> lines;              // what a real run prints as well
    std::vector<std::vector<std::string>> plan;  // the plan's lines, split at the tabs
};

PlannedConsole splitConsole(const std::string& output);

// Carries out the plan on a copy of the library. Paths in the plan lie below `library` (a list's
// path is canonical); they are taken to the same place below `copy`. Checks on the way that every
// rename finds its name free and every refused one finds it held. A written list holds its line
// count, which is all the plan tells of it.
void applyPlan(const std::vector<std::vector<std::string>>& plan, const std::filesystem::path& library,
               const std::filesystem::path& copy);

// The tree after a real run, with each list that the plan writes given as its line count.
TreeSnapshot withListsCounted(TreeSnapshot tree, const std::vector<std::vector<std::string>>& plan,
                              const std::filesystem::path& library);
