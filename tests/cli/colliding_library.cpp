#include "colliding_library.h"

#include <cctype>
#include <iterator>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "file_bytes.h"
#include "track_files.h"

namespace fs = std::filesystem;

void writeCollidingLibrary(const fs::path& root, unsigned seed) {
    std::mt19937 random(seed);
    auto pick = [&](const auto& choices) { return choices[random() % std::size(choices)]; };
    auto chance = [&](unsigned percent) { return random() % 100 < percent; };
    const std::string numbers[] = {"0", "1", "7", "42", "99", "100", "103", "1000", "12345"};
    const std::string artists[] = {"A", "Band", "The Band"};
    const std::string titles[] = {"T", "Song", "Intro"};
    const std::string albumNames[] = {"Album", "Best Of", "Live 2005", "Mix"};

    const unsigned albumCount = 1 + random() % 3;
    for (unsigned a = 0; a < albumCount; ++a) {
        const std::string folder = albumNames[a] + (a % 2 == 0 ? "" : " " + std::to_string(seed));
        const fs::path album = root / folder;
        fs::create_directories(album);
        std::string text = folder;
        for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        std::set<std::string> used;
        auto freeName = [&](const std::string& name) { return used.insert(name).second; };

        const unsigned trackCount = 2 + random() % 8;
        for (unsigned t = 0; t < trackCount; ++t) {
            const std::string number = pick(numbers);
            const std::string artist = pick(artists);
            const std::string title = pick(titles);
            const std::string index = std::to_string(t);
            const std::string oldNames[] = {"A1 x" + index + ".mp3",   "b12 y" + index + ".MP3",
                                            "103 z" + index + ".mp3",  "2005 live" + index + ".mp3",
                                            "Track " + index + ".mp3", "TRACK " + index + ".MP3",
                                            "track " + index + ".mp3", "07-a-t.mp3",
                                            "01-band-song.mp3",        "100-the_band-intro.mp3"};
            const std::string name = pick(oldNames);
            if (!freeName(name)) continue;
            if (chance(15))
                writeFileBytes(album / name, "not a track, but it holds the name");
            else
                writeTrack(album / name, number, artist, title);
        }
        const std::vector<std::string> images{"Front Cover.jpg",
                                              "front_cover.jpg",
                                              "FRONT COVER.JPG",
                                              "00-" + text + "-back.jpg",
                                              "00-" + text + "-front_cover.jpg",
                                              "Cover.PNG",
                                              "cover.png",
                                              "scan 1.gif"};
        const std::vector<std::string> infoFiles{"Info.NFO", "readme.txt", "NOTES.TXT", "00-" + text + ".nfo",
                                                 "liner.nfo"};
        const std::vector<std::string> oldLists{"old.M3U", "00-" + text + ".m3u", "x.sfv", "List.SFV",
                                                "00-" + text + ".sfv"};
        for (const auto* names : {&images, &infoFiles, &oldLists})
            for (const std::string& name : *names)
                if (chance(40) && freeName(name)) writeFileBytes(album / name, name);
        if (chance(30) && freeName("empty.m3u")) fs::create_directory(album / "empty.m3u");
        // Folders with an entry are not deleted; one that bears the playlist's name keeps it from being written.
        for (const std::string& name : {std::string("kept.sfv"), "00-" + text + ".m3u"}) {
            if (chance(20) && freeName(name)) {
                fs::create_directory(album / name);
                writeFileBytes(album / name / "inside", "kept");
            }
        }
    }
}
