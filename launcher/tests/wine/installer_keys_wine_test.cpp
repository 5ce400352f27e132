// The runtimes that today's installers register under keys of their own, in
// Wine's real registry, written as those installers write them, found by the
// launcher of the tested architecture.

#include <filesystem>
#include <string>

#include "registered_runtime_fixture.h"

namespace fs = std::filesystem;

namespace {

class InstallerKeysUnderWine : public RegisteredRuntimeUnderWine {
protected:
    // The program started, checked against `home`'s java.exe.
    void expectStarted(const fs::path& exe, const fs::path& home, std::vector<std::string> environment = {}) {
        fs::remove(log);
        const ProcessResult result = run(exe, environment);
        EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
        EXPECT_EQ(result.out, "");
        EXPECT_STRCASEEQ(onlyStartedProgram().c_str(), javaExe(home).c_str());
    }

    static constexpr Place kMachine64 = {RegistryRoot::machine, RegistryView::bits64};
    static constexpr Place kMachine32 = {RegistryRoot::machine, RegistryView::bits32};
    static constexpr Place kUser64 = {RegistryRoot::user, RegistryView::bits64};
    static constexpr Place kUser32 = {RegistryRoot::user, RegistryView::bits32};
};

TEST_F(InstallerKeysUnderWine, EveryInstallerKeyIsFoundUnderEitherRootInEitherView) {
    const fs::path exe = install("registered.exe");
    const char* const installerKeys[] = {
        "Eclipse Adoptium\\JRE",   "Eclipse Adoptium\\JDK",   "AdoptOpenJDK\\JRE", "AdoptOpenJDK\\JDK",
        "Eclipse Foundation\\JDK", "Eclipse Foundation\\JRE", "Semeru\\JRE",       "Semeru\\JDK",
        "Microsoft\\JDK"};
    const Place places[] = {kMachine64, kMachine32, kUser64, kUser32};
    int number = 0;
    for (const char* key : installerKeys) {
        SCOPED_TRACE(key);
        const Place place = places[number % 4];
        // Each runtime outranks the one before, so that each run shows the newest key found.
        const std::string version = std::to_string(11 + number) + ".0.2.8";
        const fs::path home = placeRuntime("installer " + std::to_string(number++));
        registry.addInstallerPath(place, key, version, windowsPath(home) + "\\", number % 2 ? "hotspot" : "openj9",
                                  number % 3 ? "MSI" : "EXE");
        expectStarted(exe, home);
    }

    const fs::path zulu = placeRuntime("zulu 22");
    registry.addProduct(kMachine64, "Azul Systems\\Zulu", "zulu-22", windowsPath(zulu) + "\\",
                        {{"MajorVersion", 22}, {"MinorVersion", 0}, {"BuildNumber", 2}});
    expectStarted(exe, zulu);
    const fs::path zulu32 = placeRuntime("zulu 23");
    registry.addProduct(kMachine32, "Azul Systems\\Zulu 32-bit", "zulu-23-jre", windowsPath(zulu32), {});
    expectStarted(exe, zulu32);
    const fs::path liberica = placeRuntime("liberica 23");
    registry.addProduct(kUser64, "BellSoft\\Liberica", "jdk-23", windowsPath(liberica) + "\\",
                        {{"MajorVersion", 23}, {"MinorVersion", 0}, {"PatchVersion", 1}});
    expectStarted(exe, liberica);
}

TEST_F(InstallerKeysUnderWine, Temurin21BeatsAJavaSoftRuntimeEnvironment8) {
    const fs::path exe = install("registered.exe");
    const fs::path jre8 = placeRuntime("jre 8");
    const fs::path temurin21 = placeRuntime("temurin 21");
    registerRuntime(k64, "JRE", "1.8.0_431", jre8);
    registry.addInstallerPath(kMachine64, "Eclipse Adoptium\\JDK", "21.0.5.11", windowsPath(temurin21) + "\\");
    expectStarted(exe, temurin21);
}

TEST_F(InstallerKeysUnderWine, AJavaSoftDevelopmentKit17BeatsZulu11) {
    const fs::path exe = install("registered.exe");
    const fs::path jdk17 = placeRuntime("jdk 17");
    const fs::path zulu11 = placeRuntime("zulu 11");
    registerRuntime(k64, "JDK", "17.0.13", jdk17);
    registry.addProduct(kMachine64, "Azul Systems\\Zulu", "zulu-11", windowsPath(zulu11) + "\\",
                        {{"MajorVersion", 11}, {"MinorVersion", 0}, {"BuildNumber", 25}});
    expectStarted(exe, jdk17);
}

TEST_F(InstallerKeysUnderWine, AHighestVersionOf180999AdmitsTemurin8) {
    const fs::path exe = install("up-to-8.exe");
    const fs::path temurin8 = placeRuntime("temurin 8");
    const fs::path temurin17 = placeRuntime("temurin 17");
    registry.addInstallerPath(kMachine64, "Eclipse Adoptium\\JRE", "8.0.432.6", windowsPath(temurin8) + "\\");
    registry.addInstallerPath(kMachine64, "Eclipse Adoptium\\JRE", "17.0.13.11", windowsPath(temurin17) + "\\");
    expectStarted(exe, temurin8);
}

TEST_F(InstallerKeysUnderWine, OnEqualVersionsTheMachineWinsOverTheUser) {
    const fs::path exe = install("registered.exe");
    const fs::path user = placeRuntime("for the user");
    const fs::path machine = placeRuntime("for the machine");
    registry.addInstallerPath(kUser64, "Eclipse Adoptium\\JDK", "17.0.9.9", windowsPath(user) + "\\");
    registry.addInstallerPath(kMachine32, "Eclipse Adoptium\\JDK", "17.0.9.9", windowsPath(machine) + "\\");
    expectStarted(exe, machine);
}

TEST_F(InstallerKeysUnderWine, AnEntryWhoseHomeCannotBeReadIsPassedOver) {
    const fs::path exe = install("registered.exe");
    const fs::path temurin17 = placeRuntime("temurin 17");
    registry.addInstallerPath(kMachine64, "Eclipse Adoptium\\JDK", "17.0.9.9", windowsPath(temurin17) + "\\");
    // Newer entries whose home is missing or not text.
    registry.addValue(kMachine64, "Eclipse Adoptium\\JDK\\21.0.5.11\\hotspot\\MSI", "EclipseAdoptiumKey", "REG_SZ", "");
    registry.addValue(kMachine64, "Eclipse Adoptium\\JDK\\22.0.2.9\\hotspot\\MSI", "Path", "REG_DWORD", "1");
    registry.addValue(kUser64, "Azul Systems\\Zulu\\zulu-23", "MajorVersion", "REG_DWORD", "23");
    expectStarted(exe, temurin17);

    // A home stored with environment variables is read with them expanded.
    const fs::path temurin21 = placeRuntime("temurin 21");
    registry.addValue(kMachine64, "Eclipse Adoptium\\JDK\\21.0.5.11\\openj9\\EXE", "Path", "REG_EXPAND_SZ",
                      "%RUNTIME_ROOT%\\temurin 21\\");
    expectStarted(exe, temurin21, {"RUNTIME_ROOT=" + windowsPath(temp.path() / "java")});
}

}  // namespace
