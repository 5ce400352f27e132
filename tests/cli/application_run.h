#pragma once

#include <string>
#include <vector>

#include "run_process.h"
#include "sample_run.h"

// Runs the packaged application as a Linux user can: java -jar dovatrik.exe <arguments>. The
// locale is UTF-8, so that the runtime reads and writes non-ASCII file names unchanged.
ProcessResult runPackagedApplication(const std::vector<std::string>& arguments);

// The exit status of a run that runPackagedApplicationWithin ended for taking too long.
constexpr int kTimedOut = 124;

// Like runPackagedApplication, but the run is ended after `seconds`, giving the status kTimedOut,
// or killed 5 seconds later if it goes on even so (status 137).
ProcessResult runPackagedApplicationWithin(int seconds, const std::vector<std::string>& arguments);
