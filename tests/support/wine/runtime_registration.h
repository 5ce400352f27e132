#pragma once
// Java runtimes registered in the registry of Wine's prefix the way their
// installers write them, for tests of the launcher and of the whole
// application under Wine. Everything added is removed again when the object
// goes away, so that the registry is left as it was found.

#include <string>
#include <utility>
#include <vector>

// Where a registration is written: HKEY_LOCAL_MACHINE for installs for the
// whole machine, HKEY_CURRENT_USER for installs for one user.
enum class RegistryRoot { machine, user };
// The registry view that a `wine reg` command works in.
enum class RegistryView { bits64, bits32 };

// Runs `wine reg` with the arguments in one view; true when it succeeds.
bool wineReg(std::vector<std::string> arguments, RegistryView view);

class RuntimeRegistrations {
public:
    // One place in the registry: a root and a view.
    struct Place {
        RegistryRoot root = RegistryRoot::machine;
        RegistryView view = RegistryView::bits64;
    };
    // A number value, stored as a DWORD.
    using Numbers = std::vector<std::pair<std::string, unsigned>>;

    RuntimeRegistrations() = default;
    RuntimeRegistrations(const RuntimeRegistrations&) = delete;
    RuntimeRegistrations& operator=(const RuntimeRegistrations&) = delete;
    ~RuntimeRegistrations();

    // SOFTWARE\JavaSoft\<key>\<version> with "JavaHome", as the JavaSoft
    // installers write it (key: "Java Runtime Environment", "JRE", ...).
    void addJavaSoft(Place place, const std::string& key, const std::string& version, const std::string& home);

    // SOFTWARE\<key>\<version>\<jvm>\<installer> with "Path", as the MSI
    // installers of Temurin, Microsoft, Semeru and others write it (key:
    // "Eclipse Adoptium\JDK", "Microsoft\JDK", ...), the home usually ending
    // in a backslash.
    void addInstallerPath(Place place, const std::string& key, const std::string& version, const std::string& home,
                          const std::string& jvm = "hotspot", const std::string& installer = "MSI");

    // SOFTWARE\<key>\<product> with "InstallationPath" and version numbers,
    // as Zulu and Liberica write it (key: "Azul Systems\Zulu", ...; product:
    // "zulu-17", "jdk-17", ...).
    void addProduct(Place place, const std::string& key, const std::string& product, const std::string& home,
                    const Numbers& numbers);

    // One value of any type ("REG_SZ", "REG_EXPAND_SZ", "REG_DWORD", ...)
    // under SOFTWARE\<key>, for entries that installers write unusually.
    void addValue(Place place, const std::string& key, const std::string& name, const std::string& type,
                  const std::string& data);

private:
    void remember(Place place, const std::string& key);

    // The keys this object made, each the highest one that did not exist before, in order made.
    std::vector<std::pair<std::string, RegistryView>> made_;
};
