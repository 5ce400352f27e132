#include "sample_expectations.h"

#include <stdexcept>

#include "crc32.h"
#include "directory_listing.h"

namespace {

namespace fs = std::filesystem;

std::map<std::string, std::string> keepingNewNames(const std::map<std::string, std::string>& renames) {
    std::map<std::string, std::string> kept;
    for (const auto& [oldName, newName] : renames) kept[newName] = newName;
    return kept;
}

void moveEntry(TreeSnapshot& tree, const std::string& from, const std::string& to) {
    const auto found = tree.find(from);
    if (found == tree.end()) throw std::logic_error("the sample has no " + from);
    std::string bytes = std::move(found->second);
    tree.erase(found);
    tree[to] = std::move(bytes);
}

const AlbumExpectation& albumFor(const std::vector<AlbumExpectation>& albums, const std::string& folder) {
    for (const AlbumExpectation& album : albums)
        if (album.folder == folder) return album;
    throw std::logic_error("no expectation for the album folder " + folder);
}

// Applies one album's renames to the tree and writes its new lists, in the album's listing order.
void expectAlbum(const fs::path& root, const AlbumExpectation& album, TreeSnapshot& tree) {
    const std::string prefix = album.folder + "/";
    for (const std::string& oldList : album.oldLists) tree.erase(prefix + oldList);
    std::string playlist;
    std::string checksums = "; Created by Quom's Dovatrik\n\n";
    for (const std::string& name : listDirectory(root / album.folder)) {
        if (const auto track = album.tracks.find(name); track != album.tracks.end()) {
            moveEntry(tree, prefix + name, prefix + track->second);
            playlist += track->second + "\n";
            checksums += track->second + " " + checksumText(tree[prefix + track->second]) + "\n";
        }
        for (const auto* renames : {&album.images, &album.infoFiles})
            if (const auto renamed = renames->find(name); renamed != renames->end())
                moveEntry(tree, prefix + name, prefix + renamed->second);
    }
    tree[prefix + "00-" + album.text + ".m3u"] = playlist;
    tree[prefix + "00-" + album.text + ".sfv"] = checksums;
}

// Images first, then info files, each in listing order: the order of the two renaming steps.
void expectAlbumLines(const fs::path& root, const AlbumExpectation& album, std::vector<std::string>& lines) {
    const std::vector<std::string> listing = listDirectory(root / album.folder);
    for (const auto* renames : {&album.images, &album.infoFiles})
        for (const std::string& name : listing)
            if (const auto renamed = renames->find(name); renamed != renames->end())
                lines.push_back((root / album.folder / renamed->second).string());
}

}  // namespace

const std::vector<AlbumExpectation>& sampleAlbums() {
    static const std::vector<AlbumExpectation> albums{
        {"Some Band - Greatest Hits",
         "some band - greatest hits",
         {{"Track 3.mp3", "03-some_band-song__part_1.mp3"},
          {"A1 x.mp3", "a1-some_band-opening_act.mp3"},
          {"B12 y.MP3", "b12-some_band-why__because!.mp3"},
          {"103 x.mp3", "103-some_band-live_intro.mp3"}},
         {{"Front Cover.JPG", "00-some band - greatest hits-front_cover.jpg"}},
         {{"readme.txt", "00-some band - greatest hits.nfo"}},
         {"old.M3U", "list.sfv"}},
        {"Ölçü Ärger",
         "ölçü ärger",
         {{"01 Über.mp3", "01-åsa_nyström-över_ängen.mp3"},
          {"02 zwei.mp3", "02-åsa_nyström-zwei_brücken.mp3"},
          {"03 東京.mp3", "03-åsa_nyström-東京_nights.mp3"}},
         {{"back.png", "00-ölçü ärger-back.png"}},
         {{"info.NFO", "00-ölçü ärger.nfo"}},
         {}},
        // A backslash in a tag becomes "_" like the other characters unfit for file names.
        {"Mixed Bag",
         "mixed bag",
         {{"07 odd.mp3", "07-back_slash_trio-50___live___edit__take_2_3_x.mp3"},
          {"Track 5.mp3", "05-null-lonely_title.mp3"}},
         {},
         {},
         {}},
        {"Demos", "demos", {}, {}, {}, {}},
    };
    return albums;
}

std::vector<AlbumExpectation> expectationsForRerun(const std::vector<AlbumExpectation>& earlierRun) {
    std::vector<AlbumExpectation> rerun;
    for (const AlbumExpectation& album : earlierRun)
        rerun.push_back({album.folder,
                         album.text,
                         keepingNewNames(album.tracks),
                         keepingNewNames(album.images),
                         keepingNewNames(album.infoFiles),
                         {}});
    return rerun;
}

ExpectedRun expectRun(const fs::path& root, const std::vector<AlbumExpectation>& albums) {
    ExpectedRun expected{snapshotTree(root), {"Quom's files renamer", "", "Directory: " + root.string()}};
    std::string albumList;
    std::vector<std::string> albumLines;
    for (const std::string& name : listDirectory(root)) {
        if (!fs::is_directory(root / name)) continue;
        albumList += (albumList.empty() ? "" : ", ") + (root / name).string();
        const AlbumExpectation& album = albumFor(albums, name);
        expectAlbum(root, album, expected.tree);
        expectAlbumLines(root, album, albumLines);
    }
    expected.consoleLines.push_back("[" + albumList + "]");
    expected.consoleLines.insert(expected.consoleLines.end(), albumLines.begin(), albumLines.end());
    expected.consoleLines.push_back("All is done for you, lame user!");
    return expected;
}
