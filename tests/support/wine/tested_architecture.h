#pragma once
// The Windows architecture whose executables one run of a Wine test program
// exercises, chosen by its argument --arch=i686 or --arch=x86_64.

#include <string>

const std::string& testedArchitecture();
bool testsThe32BitArchitecture();

// Of two values, the one that belongs to the tested architecture.
template <typename T> T forTestedArchitecture(T i686, T x86_64) { return testsThe32BitArchitecture() ? i686 : x86_64; }

// Takes the architecture from a program argument; false when it names none.
bool selectTestedArchitecture(const std::string& argument);

// Why the tested architecture's programs cannot run on this machine, or empty
// when they can.
std::string whyTheTestedArchitectureCannotRun();
