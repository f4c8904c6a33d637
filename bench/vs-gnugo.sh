#!/usr/bin/env bash
# Kiboru against GNU Go 3.8 on 7x7 in pairs of games (each opening once with each colour), through
# tools/match with Kiboru as referee.
# Usage: bench/vs-gnugo.sh [LEVEL] [PAIRS] [options] [further options of tools/match]
#   --eroeffnung N      every pair starts from N random moves (legal, no capture; 0: the empty
#                       board), drawn from a new seed per run (--eroeffnungs-saat S repeats one)
#   --mc                GNU Go's Monte Carlo mode (--monte-carlo) instead of the classic engine
#   --gnugo-level G     GNU Go's level (10)
#   e.g. bench/vs-gnugo.sh 4 20 --eroeffnung 2
#        bench/vs-gnugo.sh 4 10 --eroeffnung 2 --mc --gnugo-level 3
# GNU Go gets its own random seed per game (--saat plus the game number minus one, 1 unless
# given). KIBORU=path plays another build of the program (e.g. an older one) against it.
# Results: build/vs-gnugo/<name>-<date>/ (games, ergebnisse.csv, zusammenfassung.txt).
set -euo pipefail
cd "$(dirname "$0")/.."

level=4
paare=10
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then level=$1; shift; fi
if [ $# -gt 0 ] && [ "${1#-}" = "$1" ]; then paare=$1; shift; fi
case "$level" in (''|*[!0-9]*) echo "Level muss eine Zahl von 1 bis 999 sein: $level" >&2; exit 2;; esac
case "$paare" in (''|*[!0-9]*) echo "Anzahl der Paare muss eine Zahl sein: $paare" >&2; exit 2;; esac

mc=()
gnugo_level=10
eroeffnung=0
weiter=()
while [ $# -gt 0 ]; do
  case "$1" in
    --mc) mc=(--monte-carlo); shift;;
    --gnugo-level) gnugo_level=${2:?}; shift 2;;
    --eroeffnung) eroeffnung=${2:?}; weiter+=("$1" "$2"); shift 2;;
    *) weiter+=("$1"); shift;;
  esac
done
case "$gnugo_level" in (''|*[!0-9]*) echo "GNU-Go-Level muss eine Zahl sein: $gnugo_level" >&2; exit 2;; esac

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
gegner="$gnugo --mode gtp --boardsize 7 --chinese-rules --positional-superko --never-resign --komi 0 ${mc[*]} --level $gnugo_level --seed {saat}"
name="level${level}-gnugo${mc:+mc}${gnugo_level}-eroeffnung${eroeffnung}"
. bench/ergebnisordner.sh
ausgabe=$(ergebnisordner "build/vs-gnugo/${name}-$(date +%Y%m%d-%H%M%S)")

echo "$(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) Kerne, $(lscpu | sed -n 's/^Model name: *//p' | head -1), Last $(cut -d' ' -f1-3 /proc/loadavg)" >&2
exec nice python3 tools/match \
  --engine-a "$kiboru --gtp --level $level" \
  --engine-b "$gegner" \
  --schiedsrichter "$kiboru --gtp" \
  --spiele $((2 * paare)) --ausgabe "$ausgabe" --saat 1 "${weiter[@]}"
