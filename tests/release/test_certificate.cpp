#include "test_certificate.h"

#include <stdexcept>

#include "file_bytes.h"
#include "run_process.h"

namespace {

void runOpenssl(const std::vector<std::string>& arguments) {
    std::vector<std::string> command = {"openssl"};
    command.insert(command.end(), arguments.begin(), arguments.end());
    const ProcessResult result = runProcess(command);
    if (result.exitStatus != 0) throw std::runtime_error("openssl could not make a certificate: " + result.err);
}

}  // namespace

TestCertificate makeTestCertificate(const std::filesystem::path& dir) {
    const TestCertificate made = {dir / "signer.pem", dir / "signer-key.pem"};
    runOpenssl({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=Dovatrik test signer",
                "-addext", "extendedKeyUsage=codeSigning", "-keyout", made.key.string(), "-out",
                made.certificate.string()});
    return made;
}

IssuedTestCertificate makeIssuedTestCertificate(const std::filesystem::path& dir) {
    const IssuedTestCertificate made = {dir / "root.pem", dir / "issued.pem", dir / "issued-key.pem"};
    const std::filesystem::path rootKey = dir / "root-key.pem";
    const std::filesystem::path request = dir / "issued.csr";
    const std::filesystem::path extensions = dir / "issued.ext";
    // openssl's req -x509 makes a CA certificate (its configuration's v3_ca).
    runOpenssl({"req", "-x509", "-newkey", "rsa:2048", "-nodes", "-days", "2", "-subj", "/CN=Dovatrik test root",
                "-keyout", rootKey.string(), "-out", made.root.string()});
    runOpenssl({"req", "-new", "-newkey", "rsa:2048", "-nodes", "-subj", "/CN=Dovatrik test issued signer", "-keyout",
                made.key.string(), "-out", request.string()});
    writeFileBytes(extensions,
                   "basicConstraints=critical,CA:FALSE\n"
                   "keyUsage=critical,digitalSignature\n"
                   "extendedKeyUsage=codeSigning\n");
    runOpenssl({"x509", "-req", "-in", request.string(), "-CA", made.root.string(), "-CAkey", rootKey.string(),
                "-set_serial", "2", "-days", "2", "-extfile", extensions.string(), "-out", made.certificate.string()});
    return made;
}
