#pragma once

#include <filesystem>

// A code-signing certificate and its key, made by openssl for one test run into `dir`.
struct TestCertificate {
    std::filesystem::path certificate;  // PEM, self-signed
    std::filesystem::path key;          // PEM, no password
};

TestCertificate makeTestCertificate(const std::filesystem::path& dir);
