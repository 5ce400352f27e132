#pragma once

#include <filesystem>

// A code-signing certificate and its key, made by openssl for one test run into `dir`.
struct TestCertificate {
    std::filesystem::path certificate;  // PEM, self-signed
    std::filesystem::path key;          // PEM, no password
};

TestCertificate makeTestCertificate(const std::filesystem::path& dir);

// A code-signing certificate issued by a root made for the test, as a company's private CA issues
// them: the root is in no system's bundle, and the signature carries the leaf only.
struct IssuedTestCertificate {
    std::filesystem::path root;         // PEM, self-signed CA
    std::filesystem::path certificate;  // PEM, issued by the root
    std::filesystem::path key;          // PEM, the certificate's, no password
};

IssuedTestCertificate makeIssuedTestCertificate(const std::filesystem::path& dir);
