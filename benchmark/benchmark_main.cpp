// dovatrik-benchmark: times the application against plain reading and two checksum tools over
// synthetic libraries, and the launcher's own cost under Wine; prints a table with the goals.
#include <iostream>

#include "benchmark_options.h"
#include "benchmark_run.h"
#include "command_tool.h"
#include "report.h"
#include "temp_dir.h"

int main(int argc, char** argv) {
    return runCommandTool("dovatrik-benchmark", kBenchmarkUsage, argc, argv, parseBenchmarkOptions,
                          [](const BenchmarkOptions& options) {
                              const TempDir workFolder("dovatrik-benchmark");
                              const BenchmarkFigures figures = runBenchmark(options, workFolder.path());
                              printReport(std::cout, options, figures);
                          });
}
