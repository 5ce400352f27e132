// Stands in for a Windows runtime's bin\java.exe under Wine. A Winelib program can start host
// programs, which a Windows program cannot: it hands its command line to the host's JVM, with
// the application's wildcards expanded and Windows paths turned into host paths, in the same
// working directory, and ends with the JVM's exit status. Like a real java.exe since Java 7, it imports jli.dll from its own folder and
// needs lib\jvm.cfg in its home, the parent of that folder; so a copy of it under another name
// starts from any folder below the home, provided that the home's bin is on PATH.

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "bridge_config.h"
#include "command_words.h"
#include "host_process.h"
#include "host_words.h"
#include "standin_jli.h"
#include "wildcard_words.h"
#include "wine_text.h"

namespace {

// What a shell answers for a program it cannot run.
const int kCannotRun = 127;

}  // namespace

// Like a real java.exe, it splits the command line that GetCommandLineA gives, in the system's
// code page, by the C run-time's rules itself, so that whatever the code page lacks arrives as
// a real runtime receives it, and it knows which application arguments held wildcards outside
// double quotes, to expand them as a real runtime does.
int main() {
    char home[MAX_PATH];
    if (!findRuntimeHome(home, MAX_PATH)) return 1;
    std::vector<CommandWord> words = commandWords(GetCommandLineA());
    words.erase(words.begin());  // the program's name
    std::vector<WideText> wideArguments = expandedWords(words);
    std::vector<WCHAR*> wideWords;
    for (WideText& argument : wideArguments) wideWords.push_back(wcharsOf(argument));
    std::vector<std::string> arguments = hostWords(static_cast<int>(wideWords.size()), wideWords.data());
    arguments.insert(arguments.begin(), kHostJavaExecutable);
    std::string error;
    const int status = runHostProgram(kHostJavaExecutable, arguments, hostCurrentDirectory(), error);
    if (status < 0) {
        std::fprintf(stderr, "java.exe: cannot run %s: %s\n", kHostJavaExecutable, error.c_str());
        return kCannotRun;
    }
    return status;
}
