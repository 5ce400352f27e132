#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 machine.
set -euo pipefail

packages=(
  cmake ninja-build clang g++ libgtest-dev           # host build, unit tests, fuzzer
  g++-mingw-w64-i686 g++-mingw-w64-x86-64             # the launcher for Windows
  wine wine64 wine64-tools libwine-dev                # running it here; the Wine bridge runtime
  openjdk-17-jdk-headless junit5                      # the application and its tests
  cksfv rhash                                         # independent checksum list readers
  python3-mutagen eyed3 id3v2                         # independent tag writers for test tracks
  strace                                              # the benchmark counts the tag library's reads
)

run_as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
  run_as_root apt-get update -qq
  run_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
