#include "fake_platform.h"

#include <cstring>

#include "platform.h"

namespace fake {

World& world() {
    static World current;
    return current;
}

void reset() { world() = World{}; }

}  // namespace fake

namespace platform {

using fake::world;

static bool copyOut(const std::string& text, char* destination, size_t capacity) {
    if (text.size() >= capacity) return false;
    std::memcpy(destination, text.c_str(), text.size() + 1);
    return true;
}

static std::string parentOf(const std::string& path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool executablePath(char* destination, size_t capacity) {
    return world().exePathAvailable && copyOut(world().exePath, destination, capacity);
}

ModuleHandle openModule(const char* path) {
    if (!world().moduleOpens || world().exePath != path) return nullptr;
    ++world().openModules;
    return &world();
}

void closeModule(ModuleHandle) { --world().openModules; }

bool findSettingResource(ModuleHandle, int id, const char** bytes, size_t* size) {
    const auto setting = world().settings.find(id);
    if (setting == world().settings.end()) return false;
    *bytes = setting->second.data();
    *size = setting->second.size();
    return true;
}

bool fileStatus(const char* path, long long* size) {
    const auto file = world().files.find(path);
    if (file != world().files.end()) {
        *size = file->second;
        return true;
    }
    if (world().directories.count(path) == 0) return false;
    *size = 0;
    return true;
}

bool absolutePath(const char* path, char* destination, size_t capacity) {
    const std::string text = path;
    const bool absolute = text.rfind("\\\\", 0) == 0 || (text.size() >= 3 && text[1] == ':' && text[2] == '\\');
    return copyOut(absolute ? text : world().currentDir + "\\" + text, destination, capacity);
}

bool makeDirectory(const char* path) {
    if (world().directories.count(path) != 0 || world().readOnlyDirectories.count(parentOf(path)) != 0) return false;
    world().directories.insert(path);
    return true;
}

// A search lists the names matching "<directory>\*<suffix>" that were present when it began.
struct Search {
    std::vector<std::string> names;
    size_t next = 0;
};

static bool nextName(Search* search, char* name, size_t capacity) {
    while (search->next < search->names.size()) {
        if (copyOut(search->names[search->next++], name, capacity)) return true;
    }
    return false;
}

FileSearch findFirstFile(const char* pattern, char* name, size_t capacity) {
    const std::string text = pattern;
    const std::string directory = parentOf(text);
    const std::string suffix = text.substr(directory.size() + 2);
    auto* search = new Search;
    for (const auto& file : world().files) {
        const std::string& path = file.first;
        if (parentOf(path) == directory && path.size() >= suffix.size() &&
            path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0) {
            search->names.push_back(path.substr(directory.size() + 1));
        }
    }
    if (nextName(search, name, capacity)) return search;
    delete search;
    return nullptr;
}

bool findNextFile(FileSearch search, char* name, size_t capacity) {
    return nextName(static_cast<Search*>(search), name, capacity);
}

void closeFileSearch(FileSearch search) { delete static_cast<Search*>(search); }

bool deleteFile(const char* path) { return world().filesInUse.count(path) == 0 && world().files.erase(path) == 1; }

bool copyFile(const char* source, const char* target) {
    const auto file = world().files.find(source);
    if (file == world().files.end() || world().filesInUse.count(target) != 0 ||
        world().directories.count(parentOf(target)) == 0) {
        return false;
    }
    world().files[target] = file->second;
    return true;
}

bool changeDirectory(const char* path) {
    world().changedDirectories.push_back(path);
    world().currentDir = path;
    return true;
}

bool openRegistryKey(RegistryRoot root, const char* path, RegistryView view, RegistryKey* key) {
    auto* rootKeys = root == RegistryRoot::localMachine ? world().registry : world().userRegistry;
    auto& keys = rootKeys[view == RegistryView::own ? 0 : 1];
    const auto found = keys.find(path);
    if (found == keys.end()) return false;
    ++world().openRegistryKeys;
    *key = &found->second;
    return true;
}

SubKeyName registrySubKey(RegistryKey key, unsigned index, char* name, size_t capacity) {
    const auto& subKeys = static_cast<fake::RegistryKeyData*>(key)->subKeys;
    if (index >= subKeys.size()) return SubKeyName::end;
    return copyOut(subKeys[index], name, capacity) ? SubKeyName::found : SubKeyName::tooLong;
}

bool registryTextValue(RegistryKey key, const char* valueName, char* destination, size_t capacity) {
    const auto& values = static_cast<fake::RegistryKeyData*>(key)->values;
    const auto value = values.find(valueName);
    return value != values.end() && copyOut(value->second, destination, capacity);
}

bool registryNumberValue(RegistryKey key, const char* valueName, unsigned long* value) {
    const auto& numbers = static_cast<fake::RegistryKeyData*>(key)->numbers;
    const auto number = numbers.find(valueName);
    if (number == numbers.end()) return false;
    *value = number->second;
    return true;
}

void closeRegistryKey(RegistryKey) { --world().openRegistryKeys; }

bool putFirstOnPath(const char* directory) {
    std::string path = directory;
    if (!world().pathVariable.empty()) path += ";" + world().pathVariable;
    if (path.size() >= world().pathCapacity) return false;
    world().pathVariable = path;
    return true;
}

bool startProgramSuspended(const char* program, char* commandLine, Program* started, char* errorText,
                           size_t errorCapacity) {
    if (world().startFails) {
        copyOut(world().startError, errorText, errorCapacity);
        return false;
    }
    world().started.push_back({program, commandLine, world().currentDir, world().pathVariable});
    world().programSteps.push_back("start suspended");
    *started = Program{};
    return true;
}

Job createKillOnCloseJob() {
    if (world().jobUnavailable) return nullptr;
    ++world().openJobs;
    return &world();
}

bool assignToJob(Job, const Program&) {
    if (world().jobRefusesProgram) return false;
    world().programSteps.push_back("assign to job");
    return true;
}

void closeJob(Job) { --world().openJobs; }

void resumeProgram(const Program&) { world().programSteps.push_back("resume"); }

unsigned long waitForProgram(const Program&) {
    world().programSteps.push_back("wait");
    return world().exitCode;
}

void ignoreConsoleInterrupts() { world().interruptsIgnored = true; }

void printMessage(const char* title, const char* text) { world().printed.push_back(std::string(title) + ": " + text); }

void openAddress(const char* address) { world().openedAddresses.push_back(address); }

}  // namespace platform
