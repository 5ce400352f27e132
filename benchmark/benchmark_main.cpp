// dovatrik-benchmark: times the application against plain reading and two checksum tools over
// synthetic libraries, and the launcher's own cost under Wine; prints a table with the goals.
#include <exception>
#include <iostream>

#include "benchmark_options.h"
#include "benchmark_run.h"
#include "report.h"
#include "temp_dir.h"

int main(int argc, char** argv)
{
    BenchmarkOptions options;
    try {
        options = parseBenchmarkOptions(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::invalid_argument& error) {
        std::cerr << "dovatrik-benchmark: " << error.what() << "\n" << kBenchmarkUsage;
        return 2;
    }
    try {
        const TempDir workFolder("dovatrik-benchmark");
        const BenchmarkFigures figures = runBenchmark(options, workFolder.path());
        printReport(std::cout, options, figures);
    } catch (const std::exception& error) {
        std::cerr << "dovatrik-benchmark: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
