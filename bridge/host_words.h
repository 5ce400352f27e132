#pragma once
// The words that the host's JVM receives for the words that the runtime was started with.

#include <windows.h>

#include <string>
#include <vector>

// Each word in UTF-8, with Windows paths turned into host paths: the archive after the first
// "-jar" (absolute or relative), every absolute path, every application argument that is a
// relative path with a backslash naming an existing entry (..\x becomes ../x, still relative),
// and such paths among the arguments that the launcher's property holds (argument_property.h). A path that Wine cannot
// place on the host (one below a missing folder) stays as it was, and the JVM names it in its
// own message.
std::vector<std::string> hostWords(int count, WCHAR** words);
