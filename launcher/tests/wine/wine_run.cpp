#include "wine_run.h"

#include <fstream>

std::string windowsPath(const std::filesystem::path& path) {
    std::string text = "Z:" + std::filesystem::absolute(path).lexically_normal().string();
    for (char& c : text) {
        if (c == '/') c = '\\';
    }
    return text;
}

ProcessResult runUnderWine(const std::filesystem::path& exe, const std::vector<std::string>& arguments,
                           const std::filesystem::path& workingDir, const std::vector<std::string>& environment) {
    std::vector<std::string> command = {"wine", exe.string()};
    command.insert(command.end(), arguments.begin(), arguments.end());
    return runProcess(command, workingDir.string(), environment);
}

std::vector<StandinRecord> readStandinLog(const std::filesystem::path& log) {
    std::vector<StandinRecord> records;
    std::ifstream file(log, std::ios::binary);
    std::string line;
    while (std::getline(file, line)) {
        const size_t equals = line.find('=');
        const std::string key = line.substr(0, equals);
        const std::string value = equals == std::string::npos ? "" : line.substr(equals + 1);
        if (key == "program") records.emplace_back();
        if (records.empty()) continue;
        StandinRecord& record = records.back();
        if (key == "program") record.program = value;
        if (key == "home") record.home = value;
        if (key == "commandLine") record.commandLine = value;
        if (key == "workingDir") record.workingDir = value;
        if (key == "argument") record.arguments.push_back(value);
    }
    return records;
}

void placeStandinRuntime(const std::filesystem::path& home, const std::filesystem::path& standin) {
    namespace fs = std::filesystem;
    fs::create_directories(home / "bin");
    fs::create_directories(home / "lib");
    const auto replace = fs::copy_options::overwrite_existing;
    fs::copy_file(standin, home / "bin" / "java.exe", replace);
    fs::copy_file(standin.parent_path() / "jli.dll", home / "bin" / "jli.dll", replace);
    fs::copy_file(standin.parent_path() / "jvm.cfg", home / "lib" / "jvm.cfg", replace);
}
