// Stands in for a runtime's bin\java.exe in tests of the launcher. Like a real
// one since Java 7 it imports jli.dll, which lies beside it in bin, takes its
// home as the parent of its own folder and ends with status 1 when the home
// has no lib\jvm.cfg. Otherwise it appends what it was given to the file
// named by STANDIN_LOG, one "key=value" line each (its own path, its home,
// its command line, its working directory, then every argument that its C
// run-time split from the command line), waits STANDIN_SLEEP_MS milliseconds
// if asked, and ends with the status in STANDIN_EXIT. Like a Java runtime,
// which lists its threads on Ctrl+Break and goes on, and ends with status 130
// on Ctrl+C, it notes the event in the log ("interrupt=ctrl-break" or
// "interrupt=ctrl-c") and does the same.

#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "standin_jli.h"

static BOOL WINAPI noteInterrupt(DWORD event) {
    if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
    if (const char* logPath = std::getenv("STANDIN_LOG")) {
        if (FILE* log = std::fopen(logPath, "ab")) {
            std::fputs(event == CTRL_C_EVENT ? "interrupt=ctrl-c\n" : "interrupt=ctrl-break\n", log);
            std::fclose(log);
        }
    }
    if (event == CTRL_C_EVENT) ExitProcess(130);
    return TRUE;
}

int main(int argc, char** argv) {
    char home[MAX_PATH] = {};
    if (!findRuntimeHome(home, MAX_PATH)) return 1;
    SetConsoleCtrlHandler(noteInterrupt, TRUE);
    char program[MAX_PATH] = {};
    char workingDir[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, program, MAX_PATH);
    GetCurrentDirectoryA(MAX_PATH, workingDir);

    if (const char* logPath = std::getenv("STANDIN_LOG")) {
        if (FILE* log = std::fopen(logPath, "ab")) {
            std::fprintf(log, "program=%s\nhome=%s\ncommandLine=%s\nworkingDir=%s\n", program, home, GetCommandLineA(),
                         workingDir);
            for (int i = 1; i < argc; ++i) std::fprintf(log, "argument=%s\n", argv[i]);
            std::fclose(log);
        }
    }
    if (const char* sleep = std::getenv("STANDIN_SLEEP_MS")) Sleep(static_cast<DWORD>(std::atol(sleep)));
    const char* status = std::getenv("STANDIN_EXIT");
    return status ? std::atoi(status) : 0;
}
