#pragma once

#include <ostream>

#include "benchmark_run.h"

// Prints the figures as a table, each goal with its verdict.
void printReport(std::ostream& out, const BenchmarkOptions& options, const BenchmarkFigures& figures);
