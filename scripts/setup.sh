#!/usr/bin/env bash
# Installs every Debian package the build and the tests need. Safe to run again: it only installs what is missing.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev    # native build; libFuzzer comes with clang's runtime
  libgtest-dev googletest libbenchmark-dev          # GoogleTest (also as source for the cross build), Benchmark
  mingw-w64 g++-mingw-w64-x86-64-posix              # the Windows build
  wine wine64 xvfb                                  # running it
  python3 libxml2-utils                             # reading the golden exports as real consumers do
  libwin-hivex-perl xz-utils                        # re-exporting the captured hives (scripts/export-hive-fixtures.sh)
  rsyslog                                           # the syslog server the forwarding tests send to
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo_cmd=""
  [ "$(id -u)" -eq 0 ] || sudo_cmd=sudo
  $sudo_cmd apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo_cmd apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
