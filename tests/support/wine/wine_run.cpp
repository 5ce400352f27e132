#include "wine_run.h"

std::string windowsPath(const std::filesystem::path& path) {
    std::string text = "Z:" + std::filesystem::absolute(path).lexically_normal().string();
    for (char& c : text) {
        if (c == '/') c = '\\';
    }
    return text;
}

void copyRuntimeHome(const std::filesystem::path& from, const std::filesystem::path& home) {
    std::filesystem::create_directories(home);
    for (const char* part : {"bin", "lib", "release"}) {
        std::filesystem::copy(from / part, home / part, std::filesystem::copy_options::recursive);
    }
}

ProcessResult runUnderWine(const std::filesystem::path& exe, const std::vector<std::string>& arguments,
                           const std::filesystem::path& workingDir, const std::vector<std::string>& environment) {
    std::vector<std::string> command = {"wine", exe.string()};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return runProcess(command, workingDir.string(), environment);
}
