#pragma once
// A Java runtime registered in the registry of Wine's prefix for as long as the object lives.

#include <filesystem>
#include <string>

class RegisteredJavaHome {
public:
    // Sets the value "JavaHome" of HKLM\SOFTWARE\JavaSoft\<keyBelowJavaSoft> to `home` in
    // Windows form, in the registry view of 64-bit programs; throws when `wine reg` fails.
    RegisteredJavaHome(const std::string& keyBelowJavaSoft, const std::filesystem::path& home);
    RegisteredJavaHome(const RegisteredJavaHome&) = delete;
    RegisteredJavaHome& operator=(const RegisteredJavaHome&) = delete;
    // Deletes the key again, and HKLM\SOFTWARE\JavaSoft with it when it did not exist before.
    ~RegisteredJavaHome();

private:
    std::string key_;
    bool javaSoftExisted_;
};
