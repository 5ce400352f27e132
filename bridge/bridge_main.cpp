// Stands in for a Windows runtime's bin\java.exe under Wine. A Winelib program can start host
// programs, which a Windows program cannot: it hands its command line to the host's JVM, with
// Windows paths turned into host paths, in the same working directory, and ends with the JVM's
// exit status. Like a real java.exe since Java 7, it imports jli.dll from its own folder and
// needs lib\jvm.cfg in its home, the parent of that folder; so a copy of it under another name
// starts from any folder below the home, provided that the home's bin is on PATH.

#include <windows.h>

#include <cstdio>

#include "bridge_config.h"
#include "host_process.h"
#include "host_words.h"
#include "standin_jli.h"
#include "wine_text.h"

namespace {

// What a shell answers for a program it cannot run.
const int kCannotRun = 127;

}  // namespace

// The Unicode entry: Wine splits the command line by the C run-time's rules.
extern "C" int wmain(int argc, WCHAR** argv) {
    char home[MAX_PATH];
    if (!findRuntimeHome(home, MAX_PATH)) return 1;
    std::vector<std::string> arguments = hostWords(argc - 1, argv + 1);
    arguments.insert(arguments.begin(), kHostJavaExecutable);
    std::string error;
    const int status = runHostProgram(kHostJavaExecutable, arguments, hostCurrentDirectory(), error);
    if (status < 0) {
        std::fprintf(stderr, "java.exe: cannot run %s: %s\n", kHostJavaExecutable, error.c_str());
        return kCannotRun;
    }
    return status;
}
