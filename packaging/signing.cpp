#include "signing.h"

#include <stdlib.h>

#include <cstdio>
#include <filesystem>

#include "file_access.h"
#include "program_run.h"
#include "signed_layout.h"
#include "zip_format.h"

namespace fs = std::filesystem;

namespace {

// Each signing changes the signed bytes and may change the signature's length by a few bytes;
// it settles within a few rounds.
constexpr int kMostSignings = 5;

// Debian's bundle of the root certificates the system trusts.
const char kSystemRootCertificates[] = "/etc/ssl/certs/ca-certificates.crt";

// Takes each -CAfile <file> out of the options, which osslsigncode sign does not take, and gives
// the certificates in the files: the signer's chain up to a root the system need not know, such
// as a company's private root or the intermediate that a commercial certificate comes without.
bool takeCaFiles(std::vector<std::string>& options, std::string& certificates, std::string& error) {
    for (auto option = options.begin(); option != options.end();) {
        if (*option != "-CAfile") {
            ++option;
            continue;
        }
        if (option + 1 == options.end()) {
            error = "-CAfile needs a file of CA certificates";
            return false;
        }
        const std::string& path = *(option + 1);
        std::string pem;
        if (!readWholeFile(path, pem)) {
            error = "cannot read the CA file " + path;
            return false;
        }
        if (pem.find("-----BEGIN CERTIFICATE-----") == std::string::npos) {
            error = "the CA file " + path + " holds no PEM certificate";
            return false;
        }
        certificates += pem + "\n";
        option = options.erase(option, option + 2);
    }
    return true;
}

bool acceptableOptions(const std::vector<std::string>& options, std::string& error) {
    for (const std::string& option : options) {
        if (option == "-in" || option == "-out") {
            error = "the packager gives " + option + " itself";
        } else if (option == "-nest") {
            error = "-nest is refused: the packager replaces an existing signature";
        } else if (option == "-pass") {
            error =
                "-pass would put the password on command lines and into the build's cache: "
                "give it in a file with -readpass";
        } else {
            continue;
        }
        return false;
    }
    return true;
}

// A fresh folder beside the output, removed with everything in it when this goes away; the
// signer does not overwrite files, so every run writes new names in it.
class WorkFolder {
public:
    explicit WorkFolder(const std::string& output) {
        const fs::path parent = fs::absolute(output).parent_path();
        std::string pattern = (parent / ".packager-sign-XXXXXX").string();
        if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
    }
    WorkFolder(const WorkFolder&) = delete;
    WorkFolder& operator=(const WorkFolder&) = delete;
    ~WorkFolder() {
        std::error_code ignored;
        if (!path_.empty()) fs::remove_all(path_, ignored);
    }
    bool made() const { return !path_.empty(); }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    fs::path path_;
};

std::string logTail(const std::string& logPath) {
    std::string log;
    readWholeFile(logPath, log);
    while (!log.empty() && (log.back() == '\n' || log.back() == '\r')) log.pop_back();
    const size_t keep = 2000;
    return log.size() > keep ? "..." + log.substr(log.size() - keep) : log;
}

// Verifies the signature of `path` against the certificates that the signature itself carries,
// the given CA certificates and the system's root certificates, which complete a chain whose
// root the signature leaves out. This catches a broken signature, not an untrusted signer: trust
// is the user's system's decision.
bool verifySignature(const WorkFolder& work, const std::string& path, const std::string& caCertificates,
                     std::string& error) {
    const std::string log = work.file("verify.log");
    const std::string signature = work.file("signature.pem");
    const std::string carried = work.file("carried.pem");
    const std::string chain = work.file("chain.pem");
    bool verified = runLogged({"osslsigncode", "extract-signature", "-pem", "-in", path, "-out", signature}, log) &&
                    runLogged({"openssl", "pkcs7", "-in", signature, "-print_certs", "-out", carried}, log);
    std::string certificates;
    std::string roots;
    verified = verified && readWholeFile(carried, certificates);
    readWholeFile(kSystemRootCertificates, roots);  // absent on some systems: the chain must then be whole
    verified = verified && writeWholeFile(chain, certificates + caCertificates + roots) &&
               runLogged({"osslsigncode", "verify", "-in", path, "-CAfile", chain}, log);
    if (!verified) error = "the signed file does not verify:\n" + logTail(log);
    return verified;
}

}  // namespace

bool signExecutable(const std::string& input, const std::string& output, std::vector<std::string> options,
                    std::string& error) {
    std::string caCertificates;
    if (!takeCaFiles(options, caCertificates, error) || !acceptableOptions(options, error)) return false;
    std::string bytes;
    if (!readWholeFile(input, bytes)) {
        error = "cannot read " + input;
        return false;
    }
    std::string base;
    if (!unsignedForm(bytes, base, error)) {
        error = input + ": " + error;
        return false;
    }
    WorkFolder work(output);
    if (!work.made()) {
        error = "cannot make a work folder beside " + output;
        return false;
    }
    const std::string log = work.file("sign.log");
    size_t commentLength = 0;
    for (int round = 1; round <= kMostSignings; ++round) {
        const std::string candidate = withCommentLength(base, commentLength);
        const std::string unsignedPath = work.file("round-" + std::to_string(round) + ".exe");
        const std::string signedPath = work.file("round-" + std::to_string(round) + "-signed.exe");
        if (!writeWholeFile(unsignedPath, candidate)) {
            error = "cannot write " + unsignedPath;
            return false;
        }
        std::vector<std::string> command = {"osslsigncode", "sign"};
        command.insert(command.end(), options.begin(), options.end());
        command.insert(command.end(), {"-in", unsignedPath, "-out", signedPath});
        std::string signedBytes;
        if (!runLogged(command, log) || !readWholeFile(signedPath, signedBytes)) {
            error = "osslsigncode sign failed:\n" + logTail(log);
            return false;
        }
        size_t trailing = 0;
        if (!checkSignedLayout(candidate, signedBytes, trailing, error)) return false;
        if (trailing > kLongestComment) {
            error = "the certificate table (" + std::to_string(trailing) +
                    " bytes with its padding) is longer than a zip comment can be";
            return false;
        }
        if (trailing != commentLength) {
            commentLength = trailing;
            continue;
        }
        if (findEndRecord(signedBytes) != base.size() - kEndRecordSize) {
            error = "the signed file's archive end record is not found from the end of the file";
            return false;
        }
        if (!archiveHasManifest(signedBytes, base.size() - kEndRecordSize, error)) return false;
        if (!verifySignature(work, signedPath, caCertificates, error)) return false;
        const std::string finished = work.file("finished.exe");
        if (!writeWholeFile(finished, signedBytes) || std::rename(finished.c_str(), output.c_str()) != 0) {
            error = "cannot write " + output;
            return false;
        }
        return true;
    }
    error = "the signature's length did not settle within " + std::to_string(kMostSignings) + " signings";
    return false;
}
