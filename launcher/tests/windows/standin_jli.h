#pragma once
// A small launcher library of our own for stand-in runtimes, in the place of a
// real runtime's bin\jli.dll: a runtime's java.exe imports it, so that, like a
// real one since Java 7, it cannot start where Windows does not find it.

#ifdef __cplusplus
extern "C" {
#endif

// Finds the runtime's home as a real java.exe does, as the parent of the
// folder that holds the running program, into `home` (`capacity` bytes), and
// checks that the home holds lib\jvm.cfg. When it does not, writes the real
// runtime's message for it to standard error and answers 0; otherwise 1.
int findRuntimeHome(char* home, unsigned capacity);

#ifdef __cplusplus
}
#endif
