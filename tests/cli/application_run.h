#pragma once

#include <string>
#include <vector>

#include "run_process.h"
#include "sample_run.h"

// Runs the packaged application as a Linux user can: java -jar dovatrik.exe <arguments>. The
// locale is UTF-8, so that the runtime reads and writes non-ASCII file names unchanged.
ProcessResult runPackagedApplication(const std::vector<std::string>& arguments);
