#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "run_process.h"
#include "sample_run.h"

// Runs the packaged application as a Linux user can: java -jar dovatrik.exe <arguments>. The
// locale is UTF-8, so that the runtime reads and writes non-ASCII file names unchanged.
ProcessResult runPackagedApplication(const std::vector<std::string>& arguments);

// Like runPackagedApplication, with options for the runtime before -jar, in the locale that the
// variables give ("LC_ALL=...", "LOCPATH=...") instead of the UTF-8 one.
ProcessResult runPackagedApplicationInLocale(const std::vector<std::string>& localeVariables,
                                             const std::vector<std::string>& runtimeOptions,
                                             const std::vector<std::string>& arguments);
// The command line of such a run (on another runtime where `java` is given), and the variable that
// sets its locale.
std::vector<std::string> packagedApplicationCommand(const std::vector<std::string>& arguments,
                                                    const std::string& java = "");
extern const char* const kApplicationLocale;

// The application's closing line.
constexpr char kClosing[] = "All is done for you, lame user!";

// The lines of a run's output, each without its line end.
std::vector<std::string> lines(const std::string& text);

// The exit status of a run that runPackagedApplicationWithin ended for taking too long.
constexpr int kTimedOut = 124;

// Like runPackagedApplication, but the run is ended after `seconds`, giving the status kTimedOut,
// or killed 5 seconds later if it goes on even so (status 137).
ProcessResult runPackagedApplicationWithin(int seconds, const std::vector<std::string>& arguments);

// The same as a user without special rights: root, whom permissions do not bind, runs it as nobody.
ProcessResult runPackagedApplicationUnprivileged(const std::vector<std::string>& arguments);

// Lets every user into the temporary directory `dir` (made open to its owner only).
void letOthersIn(const std::filesystem::path& dir);

// Lets every user into `dir`, as letOthersIn does, and takes the right to change `folder` from everyone.
void makeReadOnlyForOthers(const std::filesystem::path& dir, const std::filesystem::path& folder);
