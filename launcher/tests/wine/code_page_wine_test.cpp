// The launcher's own conversion of UTF-16 texts into an 8-bit code page, run
// through the real Windows API under Wine for code pages named by number:
// UTF-8 (65001), which Wine 8 never makes the system's code page (GetACP()
// stays 1252 with ACP set to 65001 in its registry), the Western code page
// (1252) and a double-byte one (932).

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "temp_dir.h"
#include "tested_architecture.h"
#include "wine_run.h"

namespace {

struct Case {
    const char* what;
    unsigned codePage;
    size_t capacity;
    std::u16string text;
    std::string expected;  // the conversion's line: its answer and, unless tooLong, its bytes
};

std::string answer(const char* name, const std::string& bytes) {
    std::string line = name;
    for (unsigned char byte : bytes) {
        char hex[4];
        std::snprintf(hex, sizeof hex, " %02X", byte);
        line += hex;
    }
    return line;
}

std::string exact(const std::string& bytes) { return answer("exact", bytes); }
std::string lossy(const std::string& bytes) { return answer("lossy", bytes); }
const std::string kTooLong = "tooLong";

// A case as the conversion program takes it: <code page>:<capacity>:<units in hexadecimal>.
std::string argument(const Case& c) {
    std::string text = std::to_string(c.codePage) + ":" + std::to_string(c.capacity) + ":";
    for (size_t i = 0; i < c.text.size(); ++i) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%s%X", i == 0 ? "" : ".", static_cast<unsigned>(c.text[i]));
        text += hex;
    }
    return text;
}

// Converts every case in one run of the tested architecture's program.
void expectConversions(const std::vector<Case>& cases) {
    const std::filesystem::path program =
        forTestedArchitecture(CODE_PAGE_CONVERSION_EXE_I686, CODE_PAGE_CONVERSION_EXE_X86_64);
    std::vector<std::string> arguments;
    for (const Case& c : cases) arguments.push_back(argument(c));
    const TempDir temp("code-page-wine");
    const ProcessResult result = runUnderWine(program, arguments, temp.path());
    ASSERT_EQ(result.exitStatus, 0) << result.out << result.err;

    std::istringstream lines(result.out);
    std::string line;
    for (const Case& c : cases) {
        ASSERT_TRUE(std::getline(lines, line)) << "no line for " << c.what << " in:\n" << result.out;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        EXPECT_EQ(line, c.expected) << c.what << " in code page " << c.codePage;
    }
}

const unsigned kUtf8 = 65001;
const unsigned kWestern = 1252;
const std::string kReplacement = "\xEF\xBF\xBD";  // U+FFFD in UTF-8

TEST(CodePageConversionUnderWine, Utf8HoldsEveryValidText) {
    expectConversions({
        {"plain ASCII", kUtf8, 64, u"C:\\Music\\Track 01.mp3", exact("C:\\Music\\Track 01.mp3")},
        {"the empty text", kUtf8, 1, u"", exact("")},
        {"Latin letters with marks", kUtf8, 64, u"Ölçü", exact(u8"Ölçü")},
        {"CJK", kUtf8, 64, u"東京", exact(u8"東京")},
        {"an emoji, a surrogate pair", kUtf8, 64, u"🎵", exact("\xF0\x9F\x8E\xB5")},
        {"all of them", kUtf8, 64, u"Ölçü 東京 🎵 Live", exact(u8"Ölçü 東京 🎵 Live")},
        // Only what the conversion replaced counts as lost, not the replacement character itself.
        {"U+FFFD as typed", kUtf8, 64, u"a\uFFFD", exact("a" + kReplacement)},
    });
}

// Windows writes U+FFFD for a surrogate without its partner.
TEST(CodePageConversionUnderWine, Utf8LosesALoneSurrogate) {
    expectConversions({
        {"a high surrogate at the end", kUtf8, 64, std::u16string(u"Live ") + char16_t(0xD83C),
         lossy("Live " + kReplacement)},
        {"a low surrogate at the start", kUtf8, 64, std::u16string(1, char16_t(0xDFB5)) + u"b",
         lossy(kReplacement + "b")},
        {"a pair in the wrong order", kUtf8, 64, std::u16string{char16_t(0xDFB5), char16_t(0xD83C)},
         lossy(kReplacement + kReplacement)},
        {"two high surrogates", kUtf8, 64, std::u16string{char16_t(0xD83C), char16_t(0xD83C), u'x'},
         lossy(kReplacement + kReplacement + "x")},
        // lstrcmpW, as Wine 8 sorts, takes these for the U+FFFD that replaces them.
        {"a lone U+D880", kUtf8, 64, std::u16string{u'a', char16_t(0xD880), u'b'}, lossy("a" + kReplacement + "b")},
        {"a lone U+DB7F", kUtf8, 64, std::u16string{u'a', char16_t(0xDB7F)}, lossy("a" + kReplacement)},
    });
}

TEST(CodePageConversionUnderWine, Utf8TextThatDoesNotFitIsTooLong) {
    expectConversions({
        {"CJK one byte short", kUtf8, 6, u"東京", kTooLong},
        {"CJK with just room", kUtf8, 7, u"東京", exact(u8"東京")},
        {"an emoji one byte short", kUtf8, 4, u"🎵", kTooLong},
        {"an emoji with just room", kUtf8, 5, u"🎵", exact("\xF0\x9F\x8E\xB5")},
        {"the longest text, converted back whole", kUtf8, 1024, std::u16string(1023, u'x'),
         exact(std::string(1023, 'x'))},
        {"1023 letters of two bytes each", kUtf8, 1024, std::u16string(1023, u'é'), kTooLong},
    });
}

// Best fit would make 'a' of 'ă' and 'g' of 'ğ', and count them as exact.
TEST(CodePageConversionUnderWine, WesternCodePageHasNoBestFit) {
    expectConversions({
        {"plain ASCII", kWestern, 64, u"Track 01.mp3", exact("Track 01.mp3")},
        {"letters that it holds", kWestern, 64, u"Ölçü", exact("\xD6l\xE7\xFC")},
        {"the euro sign, which Latin-1 lacks", kWestern, 64, u"5 €", exact("5 \x80")},
        {"a with breve", kWestern, 64, u"Muzică", lossy("Muzic?")},
        {"g with breve", kWestern, 64, u"Doğan", lossy("Do?an")},
        {"CJK", kWestern, 64, u"東京 Live", lossy("?? Live")},
        {"an emoji", kWestern, 64, u"🎵", lossy("??")},
        {"a lone surrogate", kWestern, 64, std::u16string{u'a', char16_t(0xD880)}, lossy("a?")},
        {"one byte short", kWestern, 4, u"Ölçü", kTooLong},
        {"with just room", kWestern, 5, u"Ölçü", exact("\xD6l\xE7\xFC")},
    });
}

// The code page given is the one used, not the system's.
TEST(CodePageConversionUnderWine, DoubleByteCodePageHoldsItsScript) {
    expectConversions({
        {"CJK in Shift JIS", 932, 64, u"東京", exact("\x93\x8C\x8B\x9E")},
        {"a with breve", 932, 64, u"ă", lossy("?")},
    });
}

}  // namespace
