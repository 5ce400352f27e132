// packager resources <folder> [--allow-overlong] <Name=text>...
// packager append <launcher image> <archive> <output>

#include <cstdio>
#include <string>
#include <vector>

#include "archive_append.h"
#include "launcher_resources.h"

static int usage() {
    std::fputs(
        "usage: packager resources <folder> [--allow-overlong] <Name=text>...\n"
        "       packager append <launcher image> <archive> <output>\n",
        stderr);
    return 2;
}

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    std::string error;
    bool done = false;
    if (arguments.size() >= 2 && arguments[0] == "resources") {
        const bool allowOverlong = arguments.size() > 2 && arguments[2] == "--allow-overlong";
        const std::vector<std::string> settings(arguments.begin() + (allowOverlong ? 3 : 2), arguments.end());
        done = writeLauncherResources(arguments[1], settings, allowOverlong, error);
    } else if (arguments.size() == 4 && arguments[0] == "append") {
        done = appendArchive(arguments[1], arguments[2], arguments[3], error);
    } else {
        return usage();
    }
    if (!done) std::fprintf(stderr, "packager: %s\n", error.c_str());
    return done ? 0 : 1;
}
