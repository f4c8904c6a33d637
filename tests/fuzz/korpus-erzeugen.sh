#!/usr/bin/env bash
# Writes the seeds of tests/fuzz/korpus/ that the program makes itself (game and SGF files saved
# through its GTP mode, the values file it installs) and the broken game files made from them. The
# texts written by hand (tagged records, values, GTP scripts) live in the folders as they are; the
# values harness reads back the full echo of every values file itself.
# Usage: tests/fuzz/korpus-erzeugen.sh [path of the built program]
set -euo pipefail
cd "$(dirname "$0")"
exe=$(realpath "${1:-../../build/Kiboru}")
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
sd=$PWD/korpus/spieldatei
we=$PWD/korpus/werte
sg=$PWD/korpus/sgf
mkdir -p "$sd" "$we" "$sg"

gtp() {
  (cd "$tmp" && printf '%b' "$1" | XDG_DATA_HOME="$tmp/daten" AppData="$tmp/daten" "$exe" --gtp --level 1 >/dev/null 2>&1)
}

gtp 'kiboru-save leer.go\n'
gtp 'play b D4\nplay w C3\nplay b E5\nkiboru-save kurz.go\n'
gtp 'play b A2\nplay w A1\nplay b B1\nplay w D4\nkiboru-save schlag.go\n'
gtp 'play b D4\nplay w C3\nundo\nplay w E5\nplay b C3\nundo\nundo\nkiboru-save varianten.go\n'
gtp 'play b D4\nplay w pass\nplay b pass\nkiboru-save ende.go\n'
gtp 'genmove b\ngenmove w\ngenmove b\ngenmove w\ngenmove b\nkiboru-save rechner.go\n'
gtp 'play b D4\nplay w C3\nundo\nplay w E5\nplay b C3\nplay w pass\nplay b pass\nprintsgf programm.sgf\n'
gtp 'play b A2\nplay w A1\nplay b B1\nundo\nplay b G7\nundo\nplay b B2\nprintsgf programm-varianten.sgf\n'
cp "$tmp"/*.go "$sd"/
cp "$tmp"/*.sgf "$sg"/
find "$tmp/daten" -name 'Default7x7.werte.cfg' -exec cp {} "$we/installiert.cfg" \;

# Broken and unusual game files, from the valid ones.
python3 - "$sd" <<'EOF'
import struct, sys
d = sys.argv[1]
kurz = open(f"{d}/kurz.go", "rb").read()
def kopf(cursor, letzter, basis=1, tiefe=0, kennung=b"goV1", brett=b"7x7 "):
    return kennung + brett + struct.pack("<4i", cursor, letzter, basis, tiefe)
def zug(farbe, feld, schlag=0, flags=0):
    return struct.pack("<bbbB", farbe, feld, schlag, flags)
teile = {
    "version2.go": b"goV2" + kurz[4:],
    "fremd.go": b"PK\x03\x04" + kurz[4:],
    "brett9x9.go": kurz[:4] + b"9x9 " + kurz[8:],
    "kopf-halb.go": kurz[:14],
    "ein-zug-zu-wenig.go": kurz[:-4],
    "rest-byte.go": kurz + b"\x01",
    "zaehler-falsch.go": kurz[:12] + struct.pack("<i", 99) + kurz[16:],
    # set-up position with white to move: two stones before the moves
    "aufbau.go": kopf(2, 1, basis=2, tiefe=1) + zug(1, 51, 0, 2) + zug(-2, 34, 0, 2) + zug(-2, 68) + zug(-2, 68, 0, 4),
    "aufbau-rand.go": kopf(0, -1) + zug(1, 7, 0, 2),
    "besetzt.go": kopf(4, 3, tiefe=2) + zug(1, 51) + zug(-2, 51) + zug(-2, 51, 0, 4) + zug(1, 51, 0, 4),
    "ausserhalb.go": kopf(2, 1, tiefe=1) + zug(1, 9) + zug(1, 9, 0, 4),
    "baum-kaputt.go": kopf(2, 1, tiefe=1) + zug(1, 51) + zug(1, 52, 0, 4),
    "cursor-weit.go": kurz[:8] + struct.pack("<i", 1000) + kurz[12:],
}
for name, inhalt in teile.items():
    open(f"{d}/{name}", "wb").write(inhalt)
EOF
ls "$sd" "$we" "$sg"
