#!/usr/bin/env bash
# Installs the Debian packages the build, the tests and the program need, when missing.
set -euo pipefail
pakete=(cmake g++ ninja-build pkg-config qt6-base-dev qt6-charts-dev libgl1-mesa-dev libgtest-dev libgmock-dev libbenchmark-dev
        xvfb xauth python3 qt6-translations-l10n desktop-file-utils appstream libxml2-utils shared-mime-info
        libglib2.0-bin file dpkg-dev)
# the fuzz harnesses (tools/fuzz.sh, run by test.sh): clang with libFuzzer and the sanitizer run times
pakete+=(clang libclang-rt-dev)
# GNU Go: an external GTP engine for the test of that road (skipped without it) and for matches
pakete+=(gnugo)
# a compiler cache: test.sh builds three times, a fresh clone mostly from the cache
pakete+=(ccache)
fehlt=()
for p in "${pakete[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || fehlt+=("$p")
done
if [ ${#fehlt[@]} -gt 0 ]; then
  echo "Installiere: ${fehlt[*]}"
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq "${fehlt[@]}"
fi
