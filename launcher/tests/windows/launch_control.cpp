// Ends a launcher, or interrupts it, from inside Windows the way a task
// manager or a console does, for tests of how the runtime's life is tied to
// the launcher's. It starts <program>, waits until the file <started> exists
// (the stand-in runtime writes it once it runs) and then:
//
//   launch_control end <started> <program>
//     ends the program with TerminateProcess and prints "runtime=ended" when
//     the runtime it started has ended within ten seconds after it (a busy
//     wineserver may take more than one), or else
//     "runtime=running" (and then ends the runtime itself);
//   launch_control break <started> <program>
//     (the program started as a console process group of its own) sends
//     Ctrl+Break to that group, waits for the program and ends with its exit
//     status; ends with 125 when the system refuses to send the event, which
//     needs a console, after the program has ended by itself.
//
// Ends with 2 and the reason on standard error when it cannot get that far.

#include <windows.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstring>

namespace {

const int kEventRefused = 125;

int fail(const char* reason) {
    std::fprintf(stderr, "launch_control: %s (error %lu)\n", reason, GetLastError());
    return 2;
}

bool waitForFile(const char* path) {
    for (int waited = 0; waited < 600; ++waited) {
        if (GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES) return true;
        Sleep(50);
    }
    return false;
}

// The first running process whose parent is `parent`, opened for waiting on and ending.
HANDLE openChildOf(DWORD parent) {
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE) return nullptr;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    HANDLE child = nullptr;
    for (BOOL more = Process32First(snapshot, &entry); more && child == nullptr;
         more = Process32Next(snapshot, &entry)) {
        if (entry.th32ParentProcessID == parent)
            child = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, entry.th32ProcessID);
    }
    CloseHandle(snapshot);
    return child;
}

int endAndWatchRuntime(const PROCESS_INFORMATION& launcher) {
    const HANDLE runtime = openChildOf(launcher.dwProcessId);
    if (runtime == nullptr) {
        TerminateProcess(launcher.hProcess, 1);
        return fail("the launcher has started no runtime");
    }
    if (!TerminateProcess(launcher.hProcess, 1)) return fail("the launcher cannot be ended");
    WaitForSingleObject(launcher.hProcess, INFINITE);
    const bool ended = WaitForSingleObject(runtime, 10000) == WAIT_OBJECT_0;
    std::printf("runtime=%s\n", ended ? "ended" : "running");
    if (!ended) TerminateProcess(runtime, 1);
    CloseHandle(runtime);
    return 0;
}

int breakAndWait(const PROCESS_INFORMATION& launcher) {
    const bool sent = GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, launcher.dwProcessId) != 0;
    if (!sent) std::fprintf(stderr, "launch_control: Ctrl+Break refused (error %lu)\n", GetLastError());
    WaitForSingleObject(launcher.hProcess, INFINITE);
    DWORD status = 0;
    GetExitCodeProcess(launcher.hProcess, &status);
    return sent ? static_cast<int>(status) : kEventRefused;
}

}  // namespace

int main(int argc, char** argv) {
    const bool end = argc == 4 && std::strcmp(argv[1], "end") == 0;
    const bool interrupt = argc == 4 && std::strcmp(argv[1], "break") == 0;
    if (!end && !interrupt) {
        std::fprintf(stderr, "usage: launch_control end|break <started> <program>\n");
        return 2;
    }
    char commandLine[MAX_PATH + 2];
    std::snprintf(commandLine, sizeof commandLine, "\"%s\"", argv[3]);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION launcher = {};
    if (!CreateProcessA(argv[3], commandLine, nullptr, nullptr, TRUE, interrupt ? CREATE_NEW_PROCESS_GROUP : 0, nullptr,
                        nullptr, &startup, &launcher)) {
        return fail("the program cannot be started");
    }
    CloseHandle(launcher.hThread);
    if (!waitForFile(argv[2])) {
        TerminateProcess(launcher.hProcess, 1);
        return fail("the runtime has not started within 30 seconds");
    }
    const int result = end ? endAndWatchRuntime(launcher) : breakAndWait(launcher);
    CloseHandle(launcher.hProcess);
    return result;
}
