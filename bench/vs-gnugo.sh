#!/usr/bin/env bash
# Kiboru at a given level against GNU Go 3.8 on 7x7, colours alternating, through tools/match.
# Usage: bench/vs-gnugo.sh [LEVEL] [GAMES] [further options of tools/match]
#   e.g. bench/vs-gnugo.sh 4 20 --zeit 120
# GNU Go gets its own random seed per game (--saat plus the game number minus one, 1 unless
# given). KIBORU=path plays another build of the program (e.g. an older one) against it.
# Results: build/vs-gnugo/level<LEVEL>-<date>/ (games, ergebnisse.csv, zusammenfassung.txt).
set -euo pipefail
cd "$(dirname "$0")/.."

level=${1:-4}
spiele=${2:-20}
shift $(( $# > 2 ? 2 : $# ))
case "$level" in (''|*[!0-9]*) echo "Level muss eine Zahl von 1 bis 999 sein: $level" >&2; exit 2;; esac
case "$spiele" in (''|*[!0-9]*) echo "Anzahl der Partien muss eine Zahl sein: $spiele" >&2; exit 2;; esac

gnugo=/usr/games/gnugo
if [ ! -x "$gnugo" ]; then
  echo "Installiere gnugo ..." >&2
  sudo_cmd=()
  [ "$(id -u)" -ne 0 ] && sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq gnugo
fi

kiboru=${KIBORU:-}
if [ -z "$kiboru" ]; then
  if [ ! -x build/Kiboru ]; then
    cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
  fi
  nice cmake --build build --target Kiboru -j2 >&2
  kiboru="$PWD/build/Kiboru"
fi
[ -x "$kiboru" ] || { echo "Kein ausführbares Kiboru: $kiboru" >&2; exit 2; }

# Positional superko as the referee judges it, so that GNU Go is not lost to a rules mismatch.
gegner="$gnugo --mode gtp --boardsize 7 --chinese-rules --positional-superko --komi 0 --level 10 --seed {saat}"
ausgabe="build/vs-gnugo/level${level}-$(date +%Y%m%d-%H%M%S)"

echo "$(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) Kerne, $(lscpu | sed -n 's/^Model name: *//p' | head -1)" >&2
exec nice python3 tools/match \
  --engine-a "$kiboru --gtp --level $level" \
  --engine-b "$gegner" \
  --schiedsrichter "$kiboru --gtp" \
  --spiele "$spiele" --ausgabe "$ausgabe" --saat 1 "$@"
