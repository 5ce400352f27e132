#include "runtime_registration.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "run_process.h"

namespace {

std::string fullKey(RegistryRoot root, const std::string& key) {
    return std::string(root == RegistryRoot::machine ? "HKLM" : "HKCU") + "\\SOFTWARE\\" + key;
}

}  // namespace

bool wineReg(std::vector<std::string> arguments, RegistryView view) {
    arguments.insert(arguments.begin(), {"wine", "reg"});
    arguments.push_back(view == RegistryView::bits64 ? "/reg:64" : "/reg:32");
    return runProcess(arguments).exitStatus == 0;
}

RuntimeRegistrations::~RuntimeRegistrations() {
    for (auto made = made_.rbegin(); made != made_.rend(); ++made) wineReg({"delete", made->first, "/f"}, made->second);
}

// Before a key is written, finds the highest key on its way down from
// SOFTWARE that does not exist yet, which is the one to delete at the end.
void RuntimeRegistrations::remember(Place place, const std::string& key) {
    for (size_t end = key.find('\\');; end = key.find('\\', end + 1)) {
        const std::string part = fullKey(place.root, key.substr(0, end));
        if (!wineReg({"query", part}, place.view)) {
            const std::pair<std::string, RegistryView> made(part, place.view);
            if (std::find(made_.begin(), made_.end(), made) == made_.end()) made_.push_back(made);
            return;
        }
        if (end == std::string::npos) return;
    }
}

void RuntimeRegistrations::addValue(Place place, const std::string& key, const std::string& name,
                                    const std::string& type, const std::string& data) {
    remember(place, key);
    if (!wineReg({"add", fullKey(place.root, key), "/v", name, "/t", type, "/d", data, "/f"}, place.view)) {
        ADD_FAILURE() << "wine reg could not add " << name << " to " << fullKey(place.root, key);
    }
}

void RuntimeRegistrations::addJavaSoft(Place place, const std::string& key, const std::string& version,
                                       const std::string& home) {
    addValue(place, "JavaSoft\\" + key + "\\" + version, "JavaHome", "REG_SZ", home);
}

void RuntimeRegistrations::addInstallerPath(Place place, const std::string& key, const std::string& version,
                                            const std::string& home, const std::string& jvm,
                                            const std::string& installer) {
    addValue(place, key + "\\" + version + "\\" + jvm + "\\" + installer, "Path", "REG_SZ", home);
}

void RuntimeRegistrations::addProduct(Place place, const std::string& key, const std::string& product,
                                      const std::string& home, const Numbers& numbers) {
    const std::string productKey = key + "\\" + product;
    addValue(place, productKey, "InstallationPath", "REG_SZ", home);
    for (const auto& [name, value] : numbers) addValue(place, productKey, name, "REG_DWORD", std::to_string(value));
}
