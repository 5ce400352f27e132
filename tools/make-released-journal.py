#!/usr/bin/env python3
"""Makes the journal fixture of a released version once: a small library tagged by eyeD3, one real
run of the built jar on it, and the run's journal with manifests of the tree before and after.

Run it from the worktree with the release built in build/:
    tools/make-released-journal.py build app/tests/resources/journal-1.1.0
Each manifest line is "folder" and its relative path, or "file", its relative path, modification
time in ns and bytes in base64, apart by tabs. The journal names the music folder by the path it
had here, which the test replaces.
"""

import base64
import os
import shutil
import subprocess
import sys
import tempfile

# One MPEG-1 Layer III frame of silence: a header and zeros.
AUDIO = bytes([0xFF, 0xFB, 0x90, 0x64]) + bytes(413)
# Fixed times, a second apart, with microseconds, so that every file's own time can be told back.
FIRST_TIME_NS = 1_700_000_000_123_456_000
ALBUM = "Band - Album"
# name, track number, artist, title; the last two give the same name, so one of them collides.
TRACKS = [
    ("Track 1.mp3", "1", "Band", "One"),
    ("Track 2.mp3", "2", "Band", "Two"),
    ("Two again.mp3", "2", "Band", "Two"),
]
OTHER_FILES = [
    ("Front Cover.JPG", b"\xff\xd8\xff\xe0 not much of a cover\xff\xd9"),
    ("Old.M3U", b"Track 1.mp3\r\nTrack 2.mp3\r\n"),
    ("00-album.sfv", b"; made by hand\r\nTrack 1.mp3 00000000\r\n"),
]


def make_library(music):
    album = os.path.join(music, ALBUM)
    os.makedirs(album)
    for name, number, artist, title in TRACKS:
        path = os.path.join(album, name)
        with open(path, "wb") as track:
            track.write(AUDIO)
        # Version 2.3 tags with little padding, so that the fixture stays small.
        subprocess.run(["eyeD3", "--quiet", "--to-v2.3", "--max-padding", "0", "-n", number, "-a", artist, "-t", title, path],
                       check=True, stdout=subprocess.DEVNULL)
    for name, content in OTHER_FILES:
        with open(os.path.join(album, name), "wb") as other:
            other.write(content)
    for i, name in enumerate(sorted(os.listdir(album))):
        when = FIRST_TIME_NS + i * 1_000_000_000
        os.utime(os.path.join(album, name), ns=(when, when))


def manifest(music):
    lines = []
    for folder, folders, files in os.walk(music):
        folders.sort()
        for name in sorted(folders + files):
            path = os.path.join(folder, name)
            relative = os.path.relpath(path, music).replace(os.sep, "/")
            if os.path.isdir(path):
                lines.append("folder\t%s\n" % relative)
            else:
                with open(path, "rb") as file:
                    encoded = base64.b64encode(file.read()).decode("ascii")
                lines.append("file\t%s\t%d\t%s\n" % (relative, os.lstat(path).st_mtime_ns, encoded))
    return "".join(lines)


def main():
    build, into = sys.argv[1], sys.argv[2]
    jars = ("app/dovatrik.jar", "jid3/jid3.jar")
    class_path = os.pathsep.join(os.path.abspath(os.path.join(build, jar)) for jar in jars)
    work = tempfile.mkdtemp(prefix="released-journal")
    try:
        music = os.path.join(os.path.realpath(work), "music")
        state = os.path.join(work, "state")
        make_library(music)
        before = manifest(music)
        environment = dict(os.environ, XDG_STATE_HOME=state, HOME=work, LC_ALL="C.UTF-8")
        subprocess.run(["java", "-cp", class_path, "app.Main", music], check=True, env=environment)
        after = manifest(music)
        journals = os.path.join(state, "dovatrik", "journal")
        (journal,) = os.listdir(journals)
        os.makedirs(into, exist_ok=True)
        shutil.copyfile(os.path.join(journals, journal), os.path.join(into, journal))
        with open(os.path.join(into, "before.manifest"), "w", newline="\n") as out:
            out.write(before)
        with open(os.path.join(into, "after.manifest"), "w", newline="\n") as out:
            out.write(after)
    finally:
        shutil.rmtree(work)


if __name__ == "__main__":
    main()
