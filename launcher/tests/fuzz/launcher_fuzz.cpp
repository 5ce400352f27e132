// Feeds arbitrary settings bytes and argument vectors through the whole
// launch logic on the fake platform. The input is: one byte saying which
// settings exist, then for each existing setting a two-byte length and that
// many raw bytes (terminated or not), then the arguments, separated by zero
// bytes and read as UTF-8 (malformed or not) into the UTF-16 that the system
// hands over. The arguments also make the environment: JAVA_HOME is the
// first, PATH all of them, and each one's folder holds a runtime whose
// release file is the argument, so that the last sources meet arbitrary
// homes, versions and release files.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "fake_platform.h"
#include "launch_settings.h"
#include "launcher_main.h"

namespace {

const int kSettingIds[] = {kShippedRuntimeDir,   kLowestVersion, kHighestVersion, kStartInExeDir,
                           kNameProcessAfterExe, kMessageTitle,  kRuntimeOptions, kAppArguments};

template <size_t N> void requireTerminated(const char (&field)[N]) {
    if (std::memchr(field, '\0', N) == nullptr) std::abort();
}

void requireSoundState(const LaunchState& state) {
    requireTerminated(state.messageTitle);
    requireTerminated(state.lowestVersion);
    requireTerminated(state.highestVersion);
    requireTerminated(state.bestVersion);
    requireTerminated(state.bestHome);
    requireTerminated(state.unpassableHome);
    requireTerminated(state.workingDir);
    requireTerminated(state.runtimePath);
    requireTerminated(state.argumentString);
    requireTerminated(state.userArguments);
    requireTerminated(state.exePath);
    requireTerminated(state.appArguments);
    requireTerminated(state.messageText);
    requireTerminated(state.commandLine);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    fake::reset();
    fake::World& world = fake::world();
    world.files["C:\\apps\\jre\\bin\\java.exe"] = 100;
    world.files["C:\\start\\jre\\bin\\java.exe"] = 100;
    world.exitCode = 3;

    size_t at = 0;
    const uint8_t present = size > 0 ? data[at++] : 0;
    for (int bit = 0; bit < 8; ++bit) {
        if ((present & (1u << bit)) == 0 || at + 2 > size) continue;
        size_t length = data[at] | (data[at + 1] << 8);
        at += 2;
        if (length > size - at) length = size - at;
        world.settings[kSettingIds[bit]] = std::string(reinterpret_cast<const char*>(data + at), length);
        at += length;
    }

    std::vector<std::string> arguments = {world.exePath};
    const char* rest = reinterpret_cast<const char*>(data + at);
    for (size_t start = 0, i = 0; at + i <= size; ++i) {
        if (at + i == size || rest[i] == '\0') {
            arguments.emplace_back(rest + start, i - start);
            start = i + 1;
        }
    }
    // Every argument is also a registered runtime, by name under a JavaSoft key, as a nested
    // installer entry, and as a product with numbers, so that the registry search meets
    // arbitrary names.
    auto& registry = world.registry[0];
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        registry["SOFTWARE\\JavaSoft\\JRE"].subKeys.push_back(name);
        registry["SOFTWARE\\JavaSoft\\JRE\\" + name].values["JavaHome"] = "C:\\apps\\jre";
        registry["SOFTWARE\\Microsoft\\JDK"].subKeys.push_back(name);
        registry["SOFTWARE\\Microsoft\\JDK\\" + name].subKeys.push_back(name);
        registry["SOFTWARE\\Microsoft\\JDK\\" + name + "\\" + name].subKeys.push_back("MSI");
        registry["SOFTWARE\\Microsoft\\JDK\\" + name + "\\" + name + "\\MSI"].values["Path"] = name;
        registry["SOFTWARE\\Azul Systems\\Zulu"].subKeys.push_back(name);
        fake::RegistryKeyData& product = registry["SOFTWARE\\Azul Systems\\Zulu\\" + name];
        product.values["InstallationPath"] = "C:\\apps\\jre\\";
        product.numbers["MajorVersion"] = static_cast<unsigned long>(name.size()) * 0x10000001UL;
    }

    std::string path;
    for (size_t i = 1; i < arguments.size(); ++i) {
        const std::string& name = arguments[i];
        path += name + ";";
        // Every other one has a short name, every third lies where no short names are kept.
        if (i % 2 == 0) world.shortNames[name] = "C:\\SHORT~" + std::to_string(i);
        if (i % 3 == 0) world.shortNamesNotKept.insert(name);
        world.files[name + "\\bin\\java.exe"] = 100;
        world.fileTexts[name + "\\release"] = name;
        world.files["C:\\SHORT~" + std::to_string(i) + "\\bin\\java.exe"] = 100;
        world.fileTexts["C:\\SHORT~" + std::to_string(i) + "\\release"] = "JAVA_VERSION=\"" + name + "\"";
    }
    if (arguments.size() > 1) world.environment["JAVA_HOME"] = arguments[1];
    world.pathVariable = path;

    std::vector<std::u16string> wideArguments;
    for (const std::string& argument : arguments) wideArguments.push_back(fake::utf16(argument));
    std::vector<platform::WideChar*> vector;
    for (std::u16string& argument : wideArguments) vector.push_back(&argument[0]);
    vector.push_back(nullptr);

    static LaunchState state;
    const int status = runLauncher(state, static_cast<int>(arguments.size()), vector.data());
    requireSoundState(state);

    // Either the runtime ran and its status came back with nothing printed,
    // or the launch failed with exactly one line and status 1.
    const bool started = !world.started.empty();
    if (started && (status != 3 || !world.printed.empty())) std::abort();
    if (!started && (status != 1 || world.printed.size() != 1)) std::abort();
    if (world.openModules != 0) std::abort();
    return 0;
}
