#include "fake_platform.h"

#include <cstring>

#include "platform.h"

namespace fake {

World& world() {
    static World current;
    return current;
}

void reset() { world() = World{}; }

std::u16string utf16(const std::string& utf8) {
    std::u16string text;
    for (size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        const int trailing = lead < 0x80 ? 0 : lead < 0xE0 ? 1 : lead < 0xF0 ? 2 : 3;
        unsigned long code = trailing == 0 ? lead : lead & (0x3F >> trailing);
        for (int k = 1; k <= trailing && i + k < utf8.size(); ++k) code = (code << 6) | (utf8[i + k] & 0x3F);
        i += static_cast<size_t>(trailing) + 1;
        if (code >= 0x10000) {
            text += static_cast<char16_t>(0xD800 + ((code - 0x10000) >> 10));
            text += static_cast<char16_t>(0xDC00 + ((code - 0x10000) & 0x3FF));
        } else {
            text += static_cast<char16_t>(code);
        }
    }
    return text;
}

// A UTF-16 text in UTF-8; a lone surrogate is kept as its three bytes.
static std::string utf8Of(const std::u16string& text) {
    std::string utf8;
    for (size_t i = 0; i < text.size(); ++i) {
        unsigned long code = text[i];
        if (code >= 0xD800 && code < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000)
            code = 0x10000 + ((code - 0xD800) << 10) + (text[++i] - 0xDC00);
        const int trailing = code < 0x80 ? 0 : code < 0x800 ? 1 : code < 0x10000 ? 2 : 3;
        const unsigned char leads[] = {0x00, 0xC0, 0xE0, 0xF0};
        utf8 += static_cast<char>(leads[trailing] | (code >> (6 * trailing)));
        for (int shift = 6 * (trailing - 1); shift >= 0; shift -= 6)
            utf8 += static_cast<char>(0x80 | ((code >> shift) & 0x3F));
    }
    return utf8;
}

// An 8-bit text of the Latin-1 code page in UTF-8.
static std::string utf8OfCodePage(const std::string& text) {
    std::u16string wide;
    for (const char c : text) wide += static_cast<char16_t>(static_cast<unsigned char>(c));
    return utf8Of(wide);
}

}  // namespace fake

namespace platform {

using fake::world;

static bool copyOut(const std::string& text, char* destination, size_t capacity) {
    if (text.size() >= capacity) return false;
    std::memcpy(destination, text.c_str(), text.size() + 1);
    return true;
}

static bool copyOut(const std::string& utf8, WideChar* destination, size_t capacity) {
    const std::u16string text = fake::utf16(utf8);
    if (text.size() >= capacity) return false;
    std::memcpy(destination, text.c_str(), (text.size() + 1) * sizeof(WideChar));
    return true;
}

Conversion toCodePage(const WideChar* text, char* destination, size_t capacity) {
    std::string converted;
    bool lost = false;
    for (const WideChar* c = text; *c != 0; ++c) {
        lost = lost || *c > 0xFF;
        converted += *c > 0xFF ? '?' : static_cast<char>(*c);
    }
    if (!copyOut(converted, destination, capacity)) return Conversion::tooLong;
    return lost ? Conversion::lossy : Conversion::exact;
}

bool shortPath(const WideChar* path, WideChar* destination, size_t capacity) {
    const std::string longPath = fake::utf8Of(path);
    if (world().shortNamesNotKept.count(longPath) != 0) return copyOut(longPath, destination, capacity);
    const auto found = world().shortNames.find(longPath);
    return found != world().shortNames.end() && copyOut(found->second, destination, capacity);
}

static std::string parentOf(const std::string& path) {
    const size_t slash = path.rfind('\\');
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

bool executablePath(WideChar* destination, size_t capacity) {
    return world().exePathAvailable && copyOut(world().exePath, destination, capacity);
}

// True when the 8-bit `path` names the file `longPath` (UTF-8): as it is, or
// with a folder or the whole path given by its short name.
static bool names(const char* path, const std::string& longPath) {
    const std::string text = fake::utf8OfCodePage(path);
    if (text == longPath) return true;
    for (const auto& shortName : world().shortNames) {
        const std::string& longName = shortName.first;
        if (longPath == longName && text == shortName.second) return true;
        if (longPath.rfind(longName + "\\", 0) == 0 && text == shortName.second + longPath.substr(longName.size()))
            return true;
    }
    return false;
}

ModuleHandle openModule(const char* path) {
    if (!world().moduleOpens || !names(path, world().exePath)) return nullptr;
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

bool absolutePath(const char* path, WideChar* destination, size_t capacity) {
    const std::string text = fake::utf8OfCodePage(path);
    const bool absolute = text.rfind("\\\\", 0) == 0 || (text.size() >= 3 && text[1] == ':' && text[2] == '\\');
    return copyOut(absolute ? text : world().currentDir + "\\" + text, destination, capacity);
}

bool readFileStart(const char* path, char* destination, size_t capacity) {
    const auto file = world().fileTexts.find(path);
    if (file == world().fileTexts.end()) return false;
    copyOut(file->second.substr(0, capacity - 1), destination, capacity);
    return true;
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
    world().currentDir = fake::utf8OfCodePage(path);
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

bool registryTextValue(RegistryKey key, const char* valueName, WideChar* destination, size_t capacity) {
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

bool environmentVariable(const char* name, const WideChar** value) {
    static std::u16string text;
    const auto& environment = world().environment;
    const auto found = environment.find(name);
    if (std::string(name) == "PATH") {
        text = fake::utf16(world().pathVariable);
    } else if (found != environment.end()) {
        text = fake::utf16(found->second);
    } else {
        return false;
    }
    *value = text.c_str();
    return !text.empty();
}

bool putFirstOnPath(const char* directory) {
    std::string path = fake::utf8OfCodePage(directory);
    if (!world().pathVariable.empty()) path += ";" + world().pathVariable;
    if (path.size() >= world().pathCapacity) return false;
    world().pathVariable = path;
    return true;
}

bool setLibraryFolder(const char* folder) {
    world().libraryFolder = folder;
    return true;
}

bool startProgramSuspended(const char* program, char* commandLine, Program* started, char* errorText,
                           size_t errorCapacity) {
    if (world().startFails) {
        copyOut(world().startError, errorText, errorCapacity);
        return false;
    }
    world().started.push_back({program, commandLine, world().currentDir, world().pathVariable, world().libraryFolder});
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

ConsoleState consoleState() {
    return {world().consoleProcesses, world().consoleWindow, world().inputIsConsole, world().outputIsConsole};
}

void emptyConsoleInput() {
    world().consoleSteps.push_back("empty input");
    world().typedAhead.clear();
}

void waitForLineEnd(int status) {
    world().consoleSteps.push_back("wait");
    world().statusOnClose = status;
    std::string& input = world().typedAhead.empty() ? world().consoleInput : world().typedAhead;
    const size_t end = input.find('\n');
    input.erase(0, end == std::string::npos ? input.size() : end + 1);
}

void printMessage(const char* title, const char* text) { world().printed.push_back(std::string(title) + ": " + text); }

void printLine(const char* text) { world().printed.push_back(text); }

void openAddress(const char* address) { world().openedAddresses.push_back(address); }

}  // namespace platform
