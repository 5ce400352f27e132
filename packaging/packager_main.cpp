// packager resources <folder> [--allow-overlong] [<version option> <text>...] <Name=text>...
// packager append <launcher image> <archive> <output>
// packager sign <input.exe> <output.exe> [-CAfile <PEM file>]... <osslsigncode sign options>...
// packager zip <output.zip> <folder> <file inside the folder>...

#include <cstdio>
#include <string>
#include <vector>

#include "archive_append.h"
#include "launcher_resources.h"
#include "release_zip.h"
#include "signing.h"

namespace {

int usage() {
    std::fputs(
        "usage: packager resources <folder> [--allow-overlong] [--version <1.2.3> --product-name <text>\n"
        "                          --file-description <text> --original-filename <name> --internal-name <name>\n"
        "                          --copyright <text>] <Name=text>...\n"
        "       packager append <launcher image> <archive> <output>\n"
        "       packager sign <input.exe> <output.exe> [-CAfile <PEM file>]... <osslsigncode sign options>...\n"
        "       packager zip <output.zip> <folder> <file inside the folder>...\n",
        stderr);
    return 2;
}

// The version resource's options, all or none of them, each followed by its text.
bool takeVersionOptions(std::vector<std::string>& arguments, VersionInfo& info, bool& given, std::string& error) {
    const std::pair<const char*, std::string*> options[] = {
        {"--version", &info.version},
        {"--product-name", &info.productName},
        {"--file-description", &info.fileDescription},
        {"--original-filename", &info.originalFilename},
        {"--internal-name", &info.internalName},
        {"--copyright", &info.legalCopyright},
    };
    size_t found = 0;
    for (const auto& [name, text] : options) {
        for (size_t i = 0; i < arguments.size(); ++i) {
            if (arguments[i] != name) continue;
            if (i + 1 == arguments.size()) {
                error = std::string(name) + " needs a text";
                return false;
            }
            *text = arguments[i + 1];
            arguments.erase(arguments.begin() + static_cast<std::ptrdiff_t>(i),
                            arguments.begin() + static_cast<std::ptrdiff_t>(i + 2));
            ++found;
            break;
        }
    }
    given = found > 0;
    if (given && found != std::size(options)) {
        error =
            "the version resource needs every one of --version, --product-name, --file-description, "
            "--original-filename, --internal-name and --copyright";
        return false;
    }
    return true;
}

bool writeResources(std::vector<std::string> arguments, std::string& error) {
    const std::string folder = arguments[0];
    arguments.erase(arguments.begin());
    const bool allowOverlong = !arguments.empty() && arguments[0] == "--allow-overlong";
    if (allowOverlong) arguments.erase(arguments.begin());
    VersionInfo info;
    bool versioned = false;
    if (!takeVersionOptions(arguments, info, versioned, error)) return false;
    return writeLauncherResources(folder, arguments, allowOverlong, versioned ? &info : nullptr, error);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const std::vector<std::string> rest(arguments.empty() ? arguments.end() : arguments.begin() + 1, arguments.end());
    std::string error;
    bool done = false;
    if (arguments.size() >= 2 && arguments[0] == "resources") {
        done = writeResources(rest, error);
    } else if (arguments.size() == 4 && arguments[0] == "append") {
        done = appendArchive(arguments[1], arguments[2], arguments[3], error);
    } else if (arguments.size() >= 3 && arguments[0] == "sign") {
        done =
            signExecutable(arguments[1], arguments[2], std::vector<std::string>(rest.begin() + 2, rest.end()), error);
    } else if (arguments.size() >= 4 && arguments[0] == "zip") {
        done =
            writeReleaseZip(arguments[1], arguments[2], std::vector<std::string>(rest.begin() + 2, rest.end()), error);
    } else {
        return usage();
    }
    if (!done) std::fprintf(stderr, "packager: %s\n", error.c_str());
    return done ? 0 : 1;
}
