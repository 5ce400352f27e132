#include "test_certificate.h"

#include <stdexcept>

#include "run_process.h"

TestCertificate makeTestCertificate(const std::filesystem::path& dir) {
    const TestCertificate made = {dir / "signer.pem", dir / "signer-key.pem"};
    const ProcessResult result = runProcess(
        {"openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=Dovatrik test signer",
         "-addext", "extendedKeyUsage=codeSigning", "-keyout", made.key.string(), "-out", made.certificate.string()});
    if (result.exitStatus != 0) throw std::runtime_error("openssl could not make a certificate: " + result.err);
    return made;
}
