#include "registry_key.h"

#include <stdexcept>

#include "wine_run.h"

namespace {

const char kJavaSoft[] = "HKLM\\SOFTWARE\\JavaSoft";

}  // namespace

RegisteredJavaHome::RegisteredJavaHome(const std::string& keyBelowJavaSoft, const std::filesystem::path& home)
    : key_(std::string(kJavaSoft) + "\\" + keyBelowJavaSoft),
      javaSoftExisted_(wineReg({"query", kJavaSoft}, RegistryView::bits64)) {
    if (!wineReg({"add", key_, "/v", "JavaHome", "/t", "REG_SZ", "/d", windowsPath(home), "/f"}, RegistryView::bits64))
        throw std::runtime_error("wine reg could not add " + key_);
}

RegisteredJavaHome::~RegisteredJavaHome() {
    wineReg({"delete", javaSoftExisted_ ? key_ : kJavaSoft, "/f"}, RegistryView::bits64);
}
