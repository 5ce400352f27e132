// The packaging tool's own logic on hand-made bytes: the signed layout that keeps the appended
// archive readable, the release archive as independent readers see it, and the version resource.

#include <gtest/gtest.h>

#include <cstdlib>

#include "file_access.h"
#include "file_bytes.h"
#include "release_zip.h"
#include "run_process.h"
#include "signed_layout.h"
#include "signing.h"
#include "temp_dir.h"
#include "version_resource.h"
#include "zip_format.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kPeHeader = 0x40;
constexpr size_t kOptionalHeader = kPeHeader + 24;

// A PE32 or PE32+ header with 16 data directories, padded out to `imageSize` bytes.
std::string peImage(bool plus, size_t imageSize) {
    std::string image(imageSize, '\0');
    image.replace(0, 2, "MZ");
    write32(image, 0x3C, kPeHeader);
    image.replace(kPeHeader, 4, std::string("PE\0\0", 4));
    write16(image, kOptionalHeader, plus ? 0x20B : 0x10B);
    write32(image, kOptionalHeader + (plus ? 108 : 92), 16);
    return image;
}

size_t certificateEntryAt(const std::string& image) {
    return kOptionalHeader + (read16(image, kOptionalHeader) == 0x20B ? 112 : 96) + 4 * 8;
}

// A jar made by the JDK's own tool, as the build makes the application's archive.
std::string realJar(const fs::path& dir) {
    writeFileBytes(dir / "Entry.txt", "entry");
    const ProcessResult made = runProcess(
        {JAR_EXECUTABLE, "--create", "--file", (dir / "made.jar").string(), "-C", dir.string(), "Entry.txt"});
    EXPECT_EQ(made.exitStatus, 0) << made.err;
    return readFileBytes(dir / "made.jar");
}

// What a signer does: zeros up to the next 8-byte boundary, the table, the entry pointing at it,
// and a new checksum.
std::string signLikeASigner(const std::string& unsignedBytes, size_t tableSize) {
    std::string signedBytes = unsignedBytes;
    signedBytes.append((8 - signedBytes.size() % 8) % 8, '\0');
    const size_t offset = signedBytes.size();
    signedBytes.append(tableSize, 'T');
    write32(signedBytes, certificateEntryAt(signedBytes), static_cast<uint32_t>(offset));
    write32(signedBytes, certificateEntryAt(signedBytes) + 4, static_cast<uint32_t>(tableSize));
    write32(signedBytes, kOptionalHeader + 64, 0x1234);
    return signedBytes;
}

class SignedLayout : public ::testing::TestWithParam<std::tuple<bool, size_t>> {
protected:
    void SetUp() override {
        const auto [plus, imageSize] = GetParam();
        executable = peImage(plus, imageSize) + realJar(temp.path());
    }
    TempDir temp{"packaging"};
    std::string executable;
};

TEST_P(SignedLayout, AnUnsignedExecutableIsItsOwnUnsignedForm) {
    std::string base, error;
    ASSERT_TRUE(unsignedForm(executable, base, error)) << error;
    EXPECT_TRUE(base == executable);
}

TEST_P(SignedLayout, TheCommentCoversPaddingAndTableSoTheArchiveIsFoundFromTheEnd) {
    std::string base, error;
    ASSERT_TRUE(unsignedForm(executable, base, error)) << error;
    const size_t padding = (8 - base.size() % 8) % 8;
    const std::string first = signLikeASigner(withCommentLength(base, 0), 1500);
    size_t trailing = 0;
    ASSERT_TRUE(checkSignedLayout(withCommentLength(base, 0), first, trailing, error)) << error;
    EXPECT_EQ(trailing, padding + 1500);
    EXPECT_EQ(findEndRecord(first), std::string::npos);

    const std::string candidate = withCommentLength(base, trailing);
    const std::string second = signLikeASigner(candidate, 1500);
    ASSERT_TRUE(checkSignedLayout(candidate, second, trailing, error)) << error;
    EXPECT_EQ(trailing, padding + 1500);
    EXPECT_EQ(findEndRecord(second), base.size() - kEndRecordSize);
    EXPECT_TRUE(archiveHasManifest(second, base.size() - kEndRecordSize, error)) << error;

    // Signed again, by us or anyone: the same unsigned form comes back.
    std::string again;
    ASSERT_TRUE(unsignedForm(second, again, error)) << error;
    EXPECT_TRUE(again == base);
    ASSERT_TRUE(unsignedForm(first, again, error)) << error;
    EXPECT_TRUE(again == base);
}

TEST_P(SignedLayout, ASignerThatChangesTheArchiveOrPadsWronglyIsCaught) {
    const std::string candidate = executable;
    size_t trailing = 0;
    std::string error;
    std::string changed = signLikeASigner(candidate, 100);
    changed[candidate.size() - 100] ^= 1;
    EXPECT_FALSE(checkSignedLayout(candidate, changed, trailing, error));

    std::string misplaced = candidate + std::string(9, '\0') + std::string(100, 'T');
    const size_t offset = candidate.size() + 9;
    write32(misplaced, certificateEntryAt(misplaced), static_cast<uint32_t>(offset));
    write32(misplaced, certificateEntryAt(misplaced) + 4, 100);
    EXPECT_FALSE(checkSignedLayout(candidate, misplaced, trailing, error));

    if (candidate.size() % 8 != 0) {
        std::string dirtyPadding = signLikeASigner(candidate, 100);
        dirtyPadding[candidate.size()] = 'x';
        EXPECT_FALSE(checkSignedLayout(candidate, dirtyPadding, trailing, error));
        EXPECT_NE(error.find("8-byte"), std::string::npos) << error;
    }
}

// Image sizes that put the archive's end at every remainder modulo 8, in both PE forms.
INSTANTIATE_TEST_SUITE_P(EveryAlignment, SignedLayout,
                         ::testing::Combine(::testing::Bool(), ::testing::Range<size_t>(1024, 1032)),
                         [](const ::testing::TestParamInfo<std::tuple<bool, size_t>>& info) {
                             return std::string(std::get<0>(info.param) ? "Pe32Plus" : "Pe32") + "Image" +
                                    std::to_string(std::get<1>(info.param));
                         });

TEST(UnsignedForm, AFileWithoutArchiveOrWithACommentIsRefused) {
    std::string base, error;
    EXPECT_FALSE(unsignedForm(peImage(false, 1024), base, error));
    std::string withComment = peImage(false, 1024) + std::string("PK\x05\x06", 4) + std::string(16, '\0') + "\x03" +
                              std::string(1, '\0') + "abc";
    EXPECT_FALSE(unsignedForm(withComment, base, error));
    EXPECT_FALSE(unsignedForm("not an executable", base, error));
    EXPECT_NE(error.find("not a PE"), std::string::npos) << error;
}

TEST(UnsignedForm, ACertificateTableThatIsNotAtTheEndIsRefused) {
    std::string bytes = peImage(false, 1024) + std::string(200, 'x');
    write32(bytes, certificateEntryAt(bytes), 1024);
    write32(bytes, certificateEntryAt(bytes) + 4, 100);
    std::string base, error;
    EXPECT_FALSE(unsignedForm(bytes, base, error));
    EXPECT_NE(error.find("not at the end"), std::string::npos) << error;
}

// A stand-in for osslsigncode's "sign" that appends a certificate table as it does (zeros to the
// 8-byte boundary, the table, the PE entry pointing at it), of the length that FAKE_TABLE_SIZES
// gives for each call in turn, and flips one archive byte when FAKE_DAMAGE is set. It has no other
// command, so a result that gets as far as its verification fails there.
const char kFakeSigner[] = R"(#!/usr/bin/env python3
import os, struct, sys
args = sys.argv[1:]
if args[0] != 'sign':
    sys.exit(1)
source = open(args[args.index('-in') + 1], 'rb').read()
counter = os.environ['FAKE_COUNTER']
calls = int(open(counter).read()) if os.path.exists(counter) else 0
open(counter, 'w').write(str(calls + 1))
sizes = [int(size) for size in os.environ['FAKE_TABLE_SIZES'].split(',')]
size = sizes[min(calls, len(sizes) - 1)]
out = bytearray(source) + bytes((8 - len(source) % 8) % 8)
offset = len(out)
out += b'T' * size
pe = struct.unpack_from('<I', out, 0x3C)[0]
plus = struct.unpack_from('<H', out, pe + 24)[0] == 0x20B
struct.pack_into('<II', out, pe + 24 + (112 if plus else 96) + 32, offset, size)
if os.environ.get('FAKE_DAMAGE'):
    out[len(source) - 30] ^= 1
open(args[args.index('-out') + 1], 'wb').write(out)
)";

// packager sign's rounds against the stand-in signer, put first on PATH.
class SigningRounds : public ::testing::Test {
protected:
    void SetUp() override {
        fs::create_directories(temp.path() / "bin");
        writeFileBytes(temp.path() / "bin" / "osslsigncode", kFakeSigner);
        fs::permissions(temp.path() / "bin" / "osslsigncode", fs::perms::owner_all);
        savedPath = std::getenv("PATH");
        setenv("PATH", ((temp.path() / "bin").string() + ":" + savedPath).c_str(), 1);
        setenv("FAKE_COUNTER", (temp.path() / "calls").string().c_str(), 1);
        writeFileBytes(input, peImage(false, 1027) + realJar(temp.path()));
    }
    void TearDown() override {
        setenv("PATH", savedPath.c_str(), 1);
        unsetenv("FAKE_TABLE_SIZES");
        unsetenv("FAKE_DAMAGE");
        unsetenv("FAKE_COUNTER");
    }
    int calls() { return std::stoi(readFileBytes(temp.path() / "calls")); }
    // No output and no work folder left beside it.
    void expectNothingLeftBehind() {
        EXPECT_FALSE(fs::exists(output));
        for (const fs::directory_entry& entry : fs::directory_iterator(temp.path())) {
            EXPECT_NE(entry.path().filename().string().rfind(".packager-sign", 0), 0u) << entry.path();
        }
    }

    TempDir temp{"packaging"};
    const fs::path input = temp.path() / "input.exe";
    const fs::path output = temp.path() / "output.exe";
    std::string savedPath;
};

TEST_F(SigningRounds, ASignatureWhoseLengthNeverSettlesIsRefusedAfterFiveSignings) {
    setenv("FAKE_TABLE_SIZES", "1500,1508,1516,1524,1532,1540", 1);
    std::string error;
    EXPECT_FALSE(signExecutable(input.string(), output.string(), {"-certs", "c.pem"}, error));
    EXPECT_NE(error.find("did not settle within 5"), std::string::npos) << error;
    EXPECT_EQ(calls(), 5);
    expectNothingLeftBehind();
}

// A length that changes once settles in the round after.
TEST_F(SigningRounds, ALengthThatChangesOnceSettlesInTheThirdSigning) {
    setenv("FAKE_TABLE_SIZES", "1500,1504", 1);
    std::string error;
    EXPECT_FALSE(signExecutable(input.string(), output.string(), {"-certs", "c.pem"}, error));
    EXPECT_NE(error.find("does not verify"), std::string::npos) << error;
    EXPECT_EQ(calls(), 3);
    expectNothingLeftBehind();
}

TEST_F(SigningRounds, ASignerThatChangesTheArchiveLeavesNoOutput) {
    setenv("FAKE_TABLE_SIZES", "1500", 1);
    setenv("FAKE_DAMAGE", "1", 1);
    std::string error;
    EXPECT_FALSE(signExecutable(input.string(), output.string(), {"-certs", "c.pem"}, error));
    EXPECT_NE(error.find("unexpected way"), std::string::npos) << error;
    expectNothingLeftBehind();
}

// Python's zipfile and CMake's libarchive read the archive as written: names, order, contents
// and the fixed time.
TEST(ReleaseZip, IndependentReadersSeeTheFoldersAndFilesInOrderWithOneFixedTime) {
    TempDir temp("packaging");
    fs::create_directories(temp.path() / "in" / "top" / "lib");
    writeFileBytes(temp.path() / "in" / "top" / "b.exe", std::string("MZ\0\x01", 4));
    writeFileBytes(temp.path() / "in" / "top" / "lib" / "a.jar", "jar bytes");
    const std::string zip = (temp.path() / "out.zip").string();
    std::string error;
    ASSERT_TRUE(writeReleaseZip(zip, (temp.path() / "in").string(), {"top/b.exe", "top/lib/a.jar"}, error)) << error;

    const ProcessResult listed = runProcess(
        {"python3", "-c",
         "import sys, zipfile\n"
         "z = zipfile.ZipFile(sys.argv[1])\n"
         "assert z.testzip() is None\n"
         "for i in z.infolist(): print(i.filename, i.date_time, i.compress_type, len(i.extra), z.read(i).hex())\n",
         zip});
    ASSERT_EQ(listed.exitStatus, 0) << listed.err;
    EXPECT_EQ(listed.out,
              "top/ (2000, 1, 1, 0, 0, 0) 0 0 \n"
              "top/b.exe (2000, 1, 1, 0, 0, 0) 0 0 4d5a0001\n"
              "top/lib/ (2000, 1, 1, 0, 0, 0) 0 0 \n"
              "top/lib/a.jar (2000, 1, 1, 0, 0, 0) 0 0 6a6172206279746573\n");

    fs::create_directories(temp.path() / "unpacked");
    ASSERT_EQ(runProcess({"cmake", "-E", "tar", "xf", zip}, (temp.path() / "unpacked").string()).exitStatus, 0);
    EXPECT_EQ(readFileBytes(temp.path() / "unpacked" / "top" / "lib" / "a.jar"), "jar bytes");

    // The same files give the same bytes, whatever their own times.
    fs::last_write_time(temp.path() / "in" / "top" / "b.exe",
                        fs::file_time_type::clock::now() - std::chrono::hours(30));
    const std::string again = (temp.path() / "again.zip").string();
    ASSERT_TRUE(writeReleaseZip(again, (temp.path() / "in").string(), {"top/b.exe", "top/lib/a.jar"}, error));
    EXPECT_EQ(readFileBytes(again), readFileBytes(zip));
}

TEST(ReleaseZip, NamesThatLeaveTheFolderOrRepeatAreRefused) {
    TempDir temp("packaging");
    writeFileBytes(temp.path() / "a", "a");
    std::string error;
    for (const std::string& name : {"../a", "/a", "x/../a", "a\\b", "x//a", ""}) {
        EXPECT_FALSE(writeReleaseZip((temp.path() / "out.zip").string(), temp.path().string(), {name}, error)) << name;
    }
    EXPECT_FALSE(writeReleaseZip((temp.path() / "out.zip").string(), temp.path().string(), {"a", "a"}, error));
    EXPECT_FALSE(writeReleaseZip((temp.path() / "out.zip").string(), temp.path().string(), {"missing"}, error));
    EXPECT_NE(error.find("cannot read"), std::string::npos) << error;
}

// A folder where a file is expected is refused: libstdc++ reports its EISDIR only when read, as
// an exception that used to end the packager with abort().
TEST(FileAccess, AFolderIsRefusedAndFilesAreReadWholeWhateverTheirSize) {
    TempDir temp("packaging");
    fs::create_directories(temp.path() / "folder");
    std::string bytes = "left";
    EXPECT_FALSE(readWholeFile((temp.path() / "folder").string(), bytes));
    std::string error;
    EXPECT_FALSE(writeReleaseZip((temp.path() / "out.zip").string(), temp.path().string(), {"folder"}, error));
    EXPECT_NE(error.find("cannot read"), std::string::npos) << error;

    for (const size_t size : {size_t{0}, size_t{65536}, size_t{200001}}) {
        std::string content(size, '\0');
        for (size_t i = 0; i < size; ++i) content[i] = static_cast<char>(i * 7 + i / 251);
        writeFileBytes(temp.path() / "file", content);
        ASSERT_TRUE(readWholeFile((temp.path() / "file").string(), bytes)) << size;
        EXPECT_EQ(bytes, content) << size;
    }
}

VersionInfo deliveredInfo() {
    return {"1.1.0", "Dovatrik", "Tidier", "dovatrik.exe", "dovatrik", "Copyright (c) 2026 \"Q\" \\ co"};
}

TEST(VersionResource, NumbersGoToTheFixedPartAndQuotesAndBackslashesAreEscaped) {
    std::string script, error;
    ASSERT_TRUE(versionResourceScript(deliveredInfo(), script, error)) << error;
    EXPECT_NE(script.find("FILEVERSION 1,1,0,0\n"), std::string::npos) << script;
    EXPECT_NE(script.find("VALUE \"LegalCopyright\", \"Copyright (c) 2026 \"\"Q\"\" \\\\ co\"\n"), std::string::npos)
        << script;
}

TEST(VersionResource, MalformedVersionsAndTextsAreRefused) {
    for (const std::string& version : {"1", "1.2.3.4.5", "1..2", "1.65536", "v1.0", "1.0-rc1", ""}) {
        VersionInfo info = deliveredInfo();
        info.version = version;
        std::string script, error;
        EXPECT_FALSE(versionResourceScript(info, script, error)) << version;
    }
    for (const std::string& text : {std::string(""), std::string("Caf\xC3\xA9"), std::string("line\nbreak")}) {
        VersionInfo info = deliveredInfo();
        info.productName = text;
        std::string script, error;
        EXPECT_FALSE(versionResourceScript(info, script, error)) << text;
        EXPECT_NE(error.find("ProductName"), std::string::npos) << error;
    }
}

}  // namespace
