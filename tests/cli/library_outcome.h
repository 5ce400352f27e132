#pragma once
// Checks of a whole run over the sample library: status, console lines and every file.

#include <filesystem>
#include <string>
#include <vector>

#include "run_process.h"
#include "sample_expectations.h"

// Expects the exit status, the console lines of `expected` and, below `root`, exactly the tree
// of `expected`.
void expectOutcome(const ProcessResult& result, int exitStatus, const ExpectedRun& expected,
                   const std::filesystem::path& root);

// The expected run with every occurrence of `root` in its console lines shown as `shownAs`: the
// application prints album paths in the form that its argument gave.
ExpectedRun shownRelative(ExpectedRun expected, const std::filesystem::path& root, const std::string& shownAs);

// The tree with each list's lines sorted (playlists and checksum lists, by their extension in any
// case): a later run, or a run over a copy, lists the same tracks in another listing order.
TreeSnapshot withSortedLists(TreeSnapshot tree);
