// packager sign on the real packaged executable of the tested architecture, with certificates
// made for the test: osslsigncode accepts the signature, the JVM still finds the archive, and the
// launcher under Wine starts the application from the signed file; a certificate issued by a
// private root verifies against the root given with -CAfile.

#include <gtest/gtest.h>

#include "file_bytes.h"
#include "library_outcome.h"
#include "run_process.h"
#include "sample_run.h"
#include "temp_dir.h"
#include "test_certificate.h"
#include "tested_architecture.h"
#include "wine_run.h"
#include "zip_format.h"

namespace fs = std::filesystem;

namespace {

const std::string kVersionLine = "Dovatrik " PROJECT_VERSION "\n";

class Signing : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        certificateDir = new TempDir("signing-certificate");
        certificate = makeTestCertificate(certificateDir->path());
        issued = makeIssuedTestCertificate(certificateDir->path());
    }
    static void TearDownTestSuite() { delete certificateDir; }

    // The executable with the shipped runtime "runtime", as built.
    static fs::path unsignedExecutable() { return fs::path(SIGNING_PACKAGES) / testedArchitecture() / "dovatrik.exe"; }

    static ProcessResult signWith(const fs::path& input, const fs::path& output,
                                  const std::vector<std::string>& options) {
        std::vector<std::string> command = {PACKAGER, "sign", input.string(), output.string()};
        command.insert(command.end(), options.begin(), options.end());
        return runProcess(command);
    }

    // Signed with the self-signed certificate, and the extra options.
    ProcessResult sign(const fs::path& input, const fs::path& output, std::vector<std::string> extra = {}) {
        std::vector<std::string> options = {"-certs", certificate.certificate.string(), "-key",
                                            certificate.key.string()};
        options.insert(options.end(), extra.begin(), extra.end());
        return signWith(input, output, options);
    }

    static ProcessResult verify(const fs::path& exe, const fs::path& caFile = certificate.certificate) {
        return runProcess({"osslsigncode", "verify", "-in", exe.string(), "-CAfile", caFile.string()});
    }

    static ProcessResult javaJar(const fs::path& exe, const std::vector<std::string>& arguments) {
        std::vector<std::string> command = {JAVA_EXECUTABLE, "-jar", exe.string()};
        command.insert(command.end(), arguments.begin(), arguments.end());
        return runProcess(command, "", {"LC_ALL=C.UTF-8"});
    }

    // The signed executable installed as a user has it, with the bridge runtime shipped beside it.
    fs::path install(const fs::path& exe, const fs::path& appDir) {
        fs::create_directories(appDir / "lib");
        fs::copy_file(JID3_JAR, appDir / "lib" / "jid3.jar");
        fs::copy_file(exe, appDir / "dovatrik.exe");
        copyRuntimeHome(BRIDGE_RUNTIME_HOME, appDir / "runtime");
        return appDir / "dovatrik.exe";
    }

    static TempDir* certificateDir;
    static TestCertificate certificate;
    static IssuedTestCertificate issued;
    TempDir temp{"signing"};
};

TempDir* Signing::certificateDir = nullptr;
TestCertificate Signing::certificate;
IssuedTestCertificate Signing::issued;

// The signed file's end record's comment reaches exactly to its end, and the signature covers
// the archive: one byte changed inside it, verification fails.
TEST_F(Signing, TheSignedExecutableVerifiesAndItsArchiveIsFoundFromTheEnd) {
    const fs::path output = temp.path() / "signed.exe";
    const ProcessResult signing = sign(unsignedExecutable(), output);
    ASSERT_EQ(signing.exitStatus, 0) << signing.err;
    EXPECT_EQ(signing.err, "");

    const ProcessResult verified = verify(output);
    EXPECT_EQ(verified.exitStatus, 0) << verified.out << verified.err;
    EXPECT_NE(verified.out.find("Signature verification: ok"), std::string::npos) << verified.out;

    const std::string original = readFileBytes(unsignedExecutable());
    const std::string bytes = readFileBytes(output);
    EXPECT_EQ(findEndRecord(bytes), original.size() - kEndRecordSize);
    EXPECT_EQ(bytes.size() - original.size(), read16(bytes, original.size() - 2));

    const ProcessResult run = javaJar(output, {"--version"});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, kVersionLine);

    std::string damaged = bytes;
    damaged[original.size() - 200] ^= 0x20;
    writeFileBytes(temp.path() / "damaged.exe", damaged);
    EXPECT_NE(verify(temp.path() / "damaged.exe").exitStatus, 0);
}

// The launcher under Wine starts the shipped runtime on the signed file, which runs the
// application over the sample library.
TEST_F(Signing, TheSignedExecutableRunsTheApplicationUnderWine) {
    const fs::path output = temp.path() / "signed.exe";
    ASSERT_EQ(sign(unsignedExecutable(), output).exitStatus, 0);
    const fs::path appDir = temp.path() / "my apps" / "dovatrik";
    const fs::path exe = install(output, appDir);

    const ProcessResult version = runUnderWine(exe, {"--version"}, appDir, {"LC_ALL=C.UTF-8"});
    EXPECT_EQ(version.exitStatus, 0) << version.out << version.err;
    EXPECT_EQ(version.out, kVersionLine);

    const fs::path root = temp.path() / "sample library";
    generateSampleLibrary(root);
    const ExpectedRun expected = expectRun(root, sampleAlbums());
    const ProcessResult run = runUnderWine(exe, {windowsPath(root)}, appDir, {"LC_ALL=C.UTF-8"});
    expectOutcome(run, 0, expected, root);
    EXPECT_EQ(run.err, "");
}

// Signing a signed file replaces its signature: the result has one signature, verifies, runs,
// and gives back the same unsigned file.
TEST_F(Signing, SigningASignedFileReplacesItsSignature) {
    const fs::path once = temp.path() / "once.exe";
    const fs::path twice = temp.path() / "twice.exe";
    ASSERT_EQ(sign(unsignedExecutable(), once).exitStatus, 0);
    const ProcessResult again = sign(once, twice);
    ASSERT_EQ(again.exitStatus, 0) << again.err;

    const ProcessResult verified = verify(twice);
    EXPECT_EQ(verified.exitStatus, 0) << verified.out;
    EXPECT_NE(verified.out.find("Number of verified signatures: 1\n"), std::string::npos) << verified.out;
    EXPECT_EQ(readFileBytes(twice).size(), readFileBytes(once).size());
    EXPECT_EQ(javaJar(twice, {"--version"}).out, kVersionLine);

    // Signed in place, too.
    ASSERT_EQ(sign(twice, twice).exitStatus, 0);
    EXPECT_EQ(verify(twice).exitStatus, 0);
    EXPECT_EQ(javaJar(twice, {"--version"}).out, kVersionLine);
}

// An archive whose end falls anywhere relative to the signer's 8-byte boundary: bytes put
// between the image and the archive move it, and the JVM still finds the archive, whose offsets
// count from its own start.
TEST_F(Signing, EveryPaddingBeforeTheCertificateTableIsCoveredByTheComment) {
    const std::string original = readFileBytes(unsignedExecutable());
    const size_t endRecord = original.size() - kEndRecordSize;
    const size_t archiveStart = endRecord - read32(original, endRecord + 12) - read32(original, endRecord + 16);
    for (size_t shift = 0; shift < 8; ++shift) {
        SCOPED_TRACE("archive end at " + std::to_string((original.size() + shift) % 8) + " modulo 8");
        const fs::path moved = temp.path() / ("moved-" + std::to_string(shift) + ".exe");
        const fs::path output = temp.path() / ("signed-" + std::to_string(shift) + ".exe");
        writeFileBytes(moved,
                       original.substr(0, archiveStart) + std::string(shift, '\0') + original.substr(archiveStart));
        const ProcessResult signing = sign(moved, output);
        ASSERT_EQ(signing.exitStatus, 0) << signing.err;
        EXPECT_EQ(verify(output).exitStatus, 0);
        const ProcessResult run = javaJar(output, {"--version"});
        EXPECT_EQ(run.out, kVersionLine) << run.err;
    }
}

// A refused option or a failed signing leaves no output, and an earlier output as it was.
TEST_F(Signing, AFailedSigningNeverLeavesABrokenOutput) {
    const fs::path output = temp.path() / "signed.exe";
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"-nest"}, {"-pass", "secret"}, {"-in", "other.exe"}}) {
        const ProcessResult refused = sign(unsignedExecutable(), output, options);
        EXPECT_EQ(refused.exitStatus, 1) << options[0];
        EXPECT_NE(refused.err.find(options[0]), std::string::npos) << refused.err;
        EXPECT_FALSE(fs::exists(output));
    }
    writeFileBytes(output, "earlier output");
    const ProcessResult failed =
        runProcess({PACKAGER, "sign", unsignedExecutable().string(), output.string(), "-certs",
                    certificate.certificate.string(), "-key", (temp.path() / "missing-key.pem").string()});
    EXPECT_EQ(failed.exitStatus, 1);
    EXPECT_NE(failed.err.find("osslsigncode sign failed"), std::string::npos) << failed.err;
    EXPECT_EQ(readFileBytes(output), "earlier output");
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 1);
}

// The signature carries the issued certificate only, so the packager's own verification needs
// the private root: without it the signing is refused with the verifier's reason and leaves no
// output; with the root given with -CAfile, anywhere among the options, it is signed and runs.
TEST_F(Signing, ACertificateFromAPrivateRootVerifiesAgainstTheCAFileGiven) {
    const fs::path output = temp.path() / "signed.exe";
    const ProcessResult refused =
        signWith(unsignedExecutable(), output, {"-certs", issued.certificate.string(), "-key", issued.key.string()});
    EXPECT_EQ(refused.exitStatus, 1);
    EXPECT_NE(refused.err.find("does not verify"), std::string::npos) << refused.err;
    EXPECT_NE(refused.err.find("unable to get local issuer certificate"), std::string::npos) << refused.err;
    EXPECT_FALSE(fs::exists(output));

    const ProcessResult signing = signWith(unsignedExecutable(), output,
                                           {"-certs", issued.certificate.string(), "-CAfile", issued.root.string(),
                                            "-key", issued.key.string(), "-n", "Dovatrik"});
    ASSERT_EQ(signing.exitStatus, 0) << signing.err;
    EXPECT_EQ(signing.err, "");
    const ProcessResult verified = verify(output, issued.root);
    EXPECT_EQ(verified.exitStatus, 0) << verified.out << verified.err;
    EXPECT_NE(verified.out.find("Signature verification: ok"), std::string::npos) << verified.out;
    const ProcessResult run = javaJar(output, {"--version"});
    EXPECT_EQ(run.exitStatus, 0) << run.err;
    EXPECT_EQ(run.out, kVersionLine);
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 1);
}

// A CA file that cannot be read, or that holds no certificate, is refused in one line before
// anything is signed, and an earlier output stays as it was.
TEST_F(Signing, ACAFileThatCannotBeReadIsRefusedInOneLine) {
    const fs::path output = temp.path() / "signed.exe";
    writeFileBytes(output, "earlier output");
    const fs::path missing = temp.path() / "missing.pem";
    const fs::path folder = temp.path() / "certificates";
    fs::create_directories(folder);
    const std::pair<fs::path, std::string> refusals[] = {
        {missing, "cannot read the CA file " + missing.string()},
        {folder, "cannot read the CA file " + folder.string()},
        {certificate.key, "the CA file " + certificate.key.string() + " holds no PEM certificate"},
    };
    for (const auto& [caFile, reason] : refusals) {
        const ProcessResult refused = sign(unsignedExecutable(), output, {"-CAfile", caFile.string()});
        EXPECT_EQ(refused.exitStatus, 1) << caFile;
        EXPECT_EQ(refused.err, "packager: " + reason + "\n");
    }
    const ProcessResult noFile = sign(unsignedExecutable(), output, {"-CAfile"});
    EXPECT_EQ(noFile.exitStatus, 1);
    EXPECT_EQ(noFile.err, "packager: -CAfile needs a file of CA certificates\n");
    EXPECT_EQ(readFileBytes(output), "earlier output");
    EXPECT_EQ(std::distance(fs::directory_iterator(temp.path()), fs::directory_iterator()), 2);
}

}  // namespace
