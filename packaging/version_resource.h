#pragma once

#include <string>

// What the executable's version resource says about it: Windows shows these texts in the file's
// properties and in prompts that name the program.
struct VersionInfo {
    std::string version;  // two to four numbers up to 65535 separated by dots: "1.1.0"
    std::string productName;
    std::string fileDescription;
    std::string originalFilename;
    std::string internalName;
    std::string legalCopyright;
};

// The VERSIONINFO statement of a resource script (id 1, US English strings in UTF-16) for `info`.
// Answers false with a message when the version is malformed or a text is empty or holds anything
// but printable ASCII.
bool versionResourceScript(const VersionInfo& info, std::string& script, std::string& error);
