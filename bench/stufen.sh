#!/usr/bin/env bash
# Kiboru's levels against each other in pairs of games from random openings (each opening once
# with each colour), through tools/match with Kiboru as referee: every level against the one
# below it, and level 8 against level 4.
# Usage: bench/stufen.sh [PAIRS] [OPENING-MOVES]   (defaults 5 and 2)
# Results: build/stufen/<date>/<high>-<low>/ and a line per match in build/stufen/<date>/uebersicht.txt.
set -euo pipefail
cd "$(dirname "$0")/.."

paare=${1:-5}
zuege=${2:-2}
case "$paare$zuege" in (*[!0-9]*|'') echo "Anzahl der Paare und der Eröffnungszüge müssen Zahlen sein" >&2; exit 2;; esac

kiboru=${KIBORU:-}
if [ -z "$kiboru" ]; then
  [ -x build/Kiboru ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
  nice cmake --build build --target Kiboru -j2 >&2
  kiboru="$PWD/build/Kiboru"
fi
ordner="build/stufen/$(date +%Y%m%d-%H%M%S)"
mkdir -p "$ordner"
echo "$(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) Kerne, $(lscpu | sed -n 's/^Model name: *//p' | head -1), $paare Paare aus $zuege Zufallszügen" | tee "$ordner/uebersicht.txt"
for paar in "2 1" "3 2" "4 3" "5 4" "6 5" "7 6" "8 7" "8 4"; do
  set -- $paar
  hoch=$1 tief=$2
  nice python3 tools/match \
    --engine-a "$kiboru --gtp --level $hoch" --engine-b "$kiboru --gtp --level $tief" \
    --schiedsrichter "$kiboru --gtp" --spiele $((2 * paare)) --eroeffnung "$zuege" \
    --ausgabe "$ordner/$hoch-$tief" > "$ordner/$hoch-$tief.log"
  ergebnis=$(grep -A1 '^Paare' "$ordner/$hoch-$tief/zusammenfassung.txt" | tail -1 | sed 's/^ *A Kiboru [^:]*: //')
  echo "Level $hoch gegen Level $tief: Paare gewonnen/verloren/gleich $ergebnis" | tee -a "$ordner/uebersicht.txt"
done
