#!/usr/bin/env bash
# Kiboru's levels against each other in pairs of games from random openings (each opening once
# with each colour), through tools/match with Kiboru as referee: every level against the one
# below it, and level 8 against level 4.
# Usage: bench/stufen.sh [PAIRS] [OPENING-MOVES]   (opening moves 2 unless given)
# Without PAIRS the cheap rungs get more pairs than the slow ones: 20 up to level 5 against 4,
# 10 for 6 against 5, 5 for 7 against 6 and 8 against 7, 10 for 8 against 4.
# Results: build/stufen/<date>/<high>-<low>/ and a line per match in build/stufen/<date>/uebersicht.txt.
set -euo pipefail
cd "$(dirname "$0")/.."

paare=${1:-}
zuege=${2:-2}
case "${paare:-0}$zuege" in (*[!0-9]*|'') echo "Anzahl der Paare und der Eröffnungszüge müssen Zahlen sein" >&2; exit 2;; esac

kiboru=${KIBORU:-}
if [ -z "$kiboru" ]; then
  [ -x build/Kiboru ] || cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
  nice cmake --build build --target Kiboru -j2 >&2
  kiboru="$PWD/build/Kiboru"
fi
. bench/ergebnisordner.sh
ordner=$(ergebnisordner "build/stufen/$(date +%Y%m%d-%H%M%S)")
echo "$(date -u '+%Y-%m-%d %H:%M UTC'), $(nproc) Kerne, $(lscpu | sed -n 's/^Model name: *//p' | head -1), Paare aus $zuege Zufallszügen" | tee "$ordner/uebersicht.txt"
for stufe in "2 1 20" "3 2 20" "4 3 20" "5 4 20" "6 5 10" "7 6 5" "8 7 5" "8 4 10"; do
  set -- $stufe
  hoch=$1 tief=$2 n=${paare:-$3}
  nice python3 tools/match \
    --engine-a "$kiboru --gtp --level $hoch" --engine-b "$kiboru --gtp --level $tief" \
    --schiedsrichter "$kiboru --gtp" --spiele $((2 * n)) --eroeffnung "$zuege" \
    --ausgabe "$ordner/$hoch-$tief" > "$ordner/$hoch-$tief.log"
  ergebnis=$(grep -A1 '^Paare' "$ordner/$hoch-$tief/zusammenfassung.txt" | tail -1 | sed 's/^ *A Kiboru [^:]*: //')
  summe=$(grep '^Summe' "$ordner/$hoch-$tief/zusammenfassung.txt" | sed 's/^.*Paar: //')
  echo "Level $hoch gegen Level $tief, $n Paare: gewonnen/verloren/gleich $ergebnis; Summe der Vorsprünge je Paar $summe" | tee -a "$ordner/uebersicht.txt"
done
