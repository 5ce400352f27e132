#include "standin_runtime.h"

#include <fstream>

#include "tested_architecture.h"

std::filesystem::path testPackage(const std::string& name) {
    return std::filesystem::path(LAUNCHER_TEST_PACKAGES) / testedArchitecture() / name;
}

std::filesystem::path installPackage(const std::string& name, const std::filesystem::path& appDir) {
    std::filesystem::create_directories(appDir);
    std::filesystem::copy_file(testPackage(name), appDir / name);
    return appDir / name;
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
