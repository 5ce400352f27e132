// The options before the music folder, in either order, through the packaged executable under
// Wine: the music folder is named outside the Western code page (1252), so the launcher passes it
// by its short name and every argument again in the arguments property, from which the
// application must read the options as well as the folder.

#include <gtest/gtest.h>

#include <sstream>

#include "application_install.h"
#include "arguments_property_name.h"
#include "file_bytes.h"
#include "id3v2_writer.h"
#include "mpeg_audio.h"
#include "sample_run.h"
#include "temp_dir.h"
#include "tree_snapshot.h"
#include "wine_run.h"

namespace fs = std::filesystem;

namespace {

// A plan line's fields, split at the tabs.
std::vector<std::string> fields(const std::string& line) {
    std::vector<std::string> result;
    std::istringstream stream(line);
    for (std::string field; std::getline(stream, field, '\t');) result.push_back(field);
    return result;
}

bool isPlanLine(const std::string& line) {
    for (const char* verb : {"rename\t", "taken\t", "delete\t", "write\t"})
        if (line.rfind(verb, 0) == 0) return true;
    return false;
}

class OptionOrder : public ::testing::Test {
protected:
    void SetUp() override {
        exe = installApplication(shippedPackage(), temp.path() / "app");
        installBridgeRuntime(temp.path() / "app" / "runtime");
        fs::create_directories(album);
        // Names the run would change, so that the plan has renames as well as the lists it writes.
        for (int number : {1, 2})
            writeFileBytes(album / ("track" + std::to_string(number) + ".mp3"),
                           id3v2TagBytes({4, TextEncoding::Utf8, "Åsa Nyström", "Ärger " + std::to_string(number),
                                          std::to_string(number), 0}) +
                               silentMpegAudio(4 * kMpegFrameBytes));
    }

    // From the application's folder, where the shipped runtime lies. With the host runtime's
    // properties shown on standard error, when asked, to tell what the arguments property held.
    ProcessResult run(std::vector<std::string> arguments, bool showProperties = false) {
        arguments.push_back(windowsPath(music));
        std::vector<std::string> environment{"LC_ALL=C.UTF-8"};
        if (showProperties) environment.push_back("JDK_JAVA_OPTIONS=-XshowSettings:properties");
        return runUnderWine(exe, arguments, temp.path() / "app", environment);
    }

    TempDir temp{"e2e-option-order"};
    fs::path exe;
    const fs::path music = temp.path() / "Музыка";
    // Only an Artist\Album library needs --recursive: the music folder's one folder holds no track.
    const fs::path album = music / "Åsa Nyström" / "Ölçü Ärger";
};

TEST_F(OptionOrder, ARecursiveDryRunPlansTheAlbumBelowTheArtistInEitherOrder) {
    const TreeSnapshot before = snapshotTree(music);
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"--dry-run", "--recursive"}, {"--recursive", "--dry-run"}}) {
        SCOPED_TRACE(options[0]);
        const ProcessResult result = run(options, true);

        EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
        // The bridge hands the property on with the folder as a host path, each argument encoded.
        const std::string property =
            std::string("    ") + kArgumentsProperty + " = " + options[0] + "," + options[1] + ",";
        EXPECT_NE(result.err.find("\n" + property), std::string::npos) << result.err;
        std::vector<std::string> verbs;
        for (const std::string& line : consoleLines(result.out)) {
            if (!isPlanLine(line)) continue;
            const std::vector<std::string> plan = fields(line);
            verbs.push_back(plan[0]);
            EXPECT_EQ(fs::path(plan.at(1)).parent_path(), album) << line;
        }
        EXPECT_EQ(verbs, (std::vector<std::string>{"rename", "rename", "write", "write"})) << result.out;
        EXPECT_EQ(describeDifferences(before, snapshotTree(music)), "");
    }
}

TEST_F(OptionOrder, ADryRunUndoReachesTheUndoInEitherOrder) {
    for (const std::vector<std::string>& options :
         {std::vector<std::string>{"--dry-run", "--undo"}, {"--undo", "--dry-run"}}) {
        SCOPED_TRACE(options[0]);
        const ProcessResult result = run(options);

        EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
        const std::vector<std::string> lines = consoleLines(result.out);
        ASSERT_FALSE(lines.empty());
        EXPECT_EQ(lines.back(), "Nothing to undo in " + music.string());
    }
}

}  // namespace
