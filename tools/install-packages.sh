#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 machine. Where the kernel
# runs 32-bit programs, that includes 32-bit Wine, which the tests of the 32-bit executables need.
set -euo pipefail
tools=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

packages=(
  cmake ninja-build clang g++ libgtest-dev           # host build, unit tests, fuzzer
  binutils                                            # also builds the 32-bit probe below
  g++-mingw-w64-i686 g++-mingw-w64-x86-64             # the launcher for Windows
  wine wine64 wine64-tools libwine-dev                # running it here; the Wine bridge runtime
  openjdk-17-jdk-headless junit5                      # the application and its tests
  cksfv rhash                                         # independent checksum list readers
  python3-mutagen eyed3 id3v2                         # independent tag writers for test tracks
  strace                                              # the benchmark counts the tag library's reads
  locales                                             # a Latin-1 locale for the lists' encoding test
  e2fsprogs                                           # chattr: an immutable old list in the tests
  osslsigncode openssl                                # signing the release; the signing tests' certificate
)

run_as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

install_missing() {
  local missing=()
  for package in "$@"; do
    dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed" || missing+=("$package")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    # A mirror in the middle of a sync fails an index now and then; whether what is needed can be
    # installed all the same, the install tells.
    run_as_root apt-get update -qq || echo "apt-get update reported a problem; going on with the package lists it has" >&2
    run_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
}

# Builds and runs a tiny 32-bit program: the kernel's configuration alone does not tell, as
# 32-bit support can be built in and still be switched off at boot or refused to a container.
runs_32bit_programs() {
  local work status=1
  work=$(mktemp -d)
  if as --32 "$tools/i386-probe.s" -o "$work/probe.o" && ld -m elf_i386 "$work/probe.o" -o "$work/probe" &&
     "$work/probe" 2>/dev/null; then
    status=0
  fi
  rm -rf "$work"
  return $status
}

install_missing "${packages[@]}"
if runs_32bit_programs; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    run_as_root dpkg --add-architecture i386
  fi
  # Its packages must match the 64-bit ones' versions, which a mirror in the middle of a sync may
  # not offer yet: then the tests of the 32-bit executables are skipped, and say why.
  install_missing wine32:i386 ||
    echo "32-bit Wine could not be installed: the tests of the 32-bit executables will be skipped." >&2
else
  echo "This kernel cannot run 32-bit programs: no 32-bit Wine; the tests of the 32-bit executables will be skipped."
fi
