#!/usr/bin/env bash
# Installs the built program into a temporary prefix and uses it as a desktop and a user would:
# the installed files, their validators, the file type of a real game file, the command line
# without a display, a GTP session, and two starts of the window from a read-only prefix.
# Arguments: build folder, expected version.
set -euo pipefail
build=$1
version=$2
id=org.example.Kiboru

tmp=$(mktemp -d)
aufraeumen() {
  # only the script itself: a background child that dies before its exec must not clean up
  [ "$BASHPID" = "$$" ] || return 0
  # the user's own install keeps its list of files for removing it
  if [ -f "$tmp/manifest" ]; then cp "$tmp/manifest" "$build/install_manifest.txt"; else rm -f "$build/install_manifest.txt"; fi
  chmod -R u+w "$tmp" 2>/dev/null
  rm -rf "$tmp"
}
trap aufraeumen EXIT
chmod 755 "$tmp" # the unprivileged user below must reach the prefix
P=$tmp/prefix
fehler=0
fail() {
  echo "FEHLER: $*" >&2
  fehler=1
}

[ -f "$build/install_manifest.txt" ] && cp "$build/install_manifest.txt" "$tmp/manifest"
cmake --install "$build" --prefix "$P" >"$tmp/install.log"

# --- the installed files, exactly these
erwartet=$(
  cat <<EOF
bin/kiboru
share/applications/$id.desktop
share/doc/kiboru/README.md
share/doc/kiboru/docs/analyse.png
share/icons/hicolor/128x128/apps/$id.png
share/icons/hicolor/16x16/apps/$id.png
share/icons/hicolor/24x24/apps/$id.png
share/icons/hicolor/256x256/apps/$id.png
share/icons/hicolor/32x32/apps/$id.png
share/icons/hicolor/48x48/apps/$id.png
share/icons/hicolor/64x64/apps/$id.png
share/icons/hicolor/scalable/apps/$id.svg
share/metainfo/$id.metainfo.xml
share/mime/packages/$id.xml
EOF
)
gefunden=$(cd "$P" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
[ "$gefunden" = "$erwartet" ] || fail "installierte Dateien: $(diff <(echo "$erwartet") <(echo "$gefunden") || true)"
[ -x "$P/bin/kiboru" ] || fail "bin/kiboru ist nicht ausführbar"
for g in 16 24 32 48 64 128 256; do
  file -b "$P/share/icons/hicolor/${g}x${g}/apps/$id.png" | grep -q "PNG image data, $g x $g" ||
    fail "Symbol ${g}x${g} hat nicht diese Größe"
done

# --- desktop entry, metainfo, file types
desktop-file-validate "$P/share/applications/$id.desktop" || fail "desktop-file-validate"
grep -qx 'Categories=Game;BoardGame;' "$P/share/applications/$id.desktop" || fail "Categories"
grep -qx 'Exec=kiboru %f' "$P/share/applications/$id.desktop" || fail "Exec"
appstreamcli validate --no-net "$P/share/metainfo/$id.metainfo.xml" >"$tmp/appstream.log" 2>&1 ||
  fail "appstreamcli: $(cat "$tmp/appstream.log")"
xmllint --noout "$P/share/mime/packages/$id.xml" || fail "xmllint"
# A mime database of its own beside the system's, so that Go sources still compete with us.
mkdir -p "$tmp/xdg/mime/packages"
cp "$P/share/mime/packages/$id.xml" "$tmp/xdg/mime/packages/"
XDG_DATA_DIRS="$tmp/xdg:/usr/share" update-mime-database "$tmp/xdg/mime" 2>"$tmp/mime.log" || fail "update-mime-database"
[ -s "$tmp/mime.log" ] && fail "update-mime-database meldet: $(cat "$tmp/mime.log")"

# --- runs of the installed binary, as an unprivileged user when we are root (root may write
# anywhere, and a read-only prefix must be read-only for real)
daten=$tmp/daten
heim=$tmp/heim
mkdir -p "$daten" "$heim"
chmod 777 "$daten" "$heim"
als=()
if [ "$(id -u)" -eq 0 ] && setpriv --reuid=65534 --regid=65534 --clear-groups true 2>/dev/null; then
  als=(setpriv --reuid=65534 --regid=65534 --clear-groups)
fi
kiboru() {
  env -u AppData -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM XDG_DATA_HOME="$daten" HOME="$heim" \
    XDG_RUNTIME_DIR= "${als[@]}" "$P/bin/kiboru" "$@"
}
D=$daten/Quennel/Kiboru

# Without any display: these must never open the toolkit.
aus=$(kiboru --version) || fail "--version endet mit $?"
[ "$aus" = "Kiboru $version" ] || fail "--version gibt '$aus'"
aus=$(kiboru --help) || fail "--help endet mit $?"
for w in "Aufruf:" "Partiedatei" "--gtp" "--level N" "--help" "--version"; do
  grep -qF -- "$w" <<<"$aus" || fail "--help nennt $w nicht"
done
rc=0
kiboru --unsinn >"$tmp/o" 2>"$tmp/e" || rc=$?
[ "$rc" -eq 2 ] || fail "unbekannte Option endet mit $rc statt 2"
grep -qF "Unbekannte Option --unsinn" "$tmp/e" || fail "unbekannte Option: '$(cat "$tmp/e")'"
[ -s "$tmp/o" ] && fail "unbekannte Option schreibt auf die Standardausgabe"
[ -e "$daten/Quennel" ] && fail "--help/--version/Fehlaufruf legen den Datenordner an"

# The read-only prefix from here on; what is in it must not change.
chmod -R a-w "$P"
stand() { (cd "$P" && find . -printf '%p %s %m %T@\n' | LC_ALL=C sort); }
vorher=$(stand)

# A GTP session on a fresh data folder; it saves a real game file.
partie=$daten/partie.go
antwort=$(printf 'protocol_version\nname\nversion\nplay b d4\nplay w c3\nkiboru-save %s\nquit\n' "$partie" |
  kiboru --gtp --level 1 2>"$tmp/gtp.err") || fail "--gtp endet mit $?: $(cat "$tmp/gtp.err")"
erwartet_gtp=$(printf "= 2\n\n= Kiboru\n\n= %s\n\n= \n\n= \n\n= \n\n= \n" "$version")
[ "$antwort" = "$erwartet_gtp" ] || fail "GTP-Antworten: '$antwort'"
[ -f "$D/Engines/Default7x7.werte.cfg" ] || fail "GTP legt die Bewertungsdatei nicht in $D an"
[ "$(head -c 4 "$partie" 2>/dev/null)" = "goV1" ] || fail "kiboru-save schreibt keine Partiedatei"

# The game file is ours by its content, a Go source with the same extension stays Go.
printf 'package main\n\nfunc main() {}\n' >"$daten/haupt.go"
typ() { XDG_DATA_DIRS="$tmp/xdg:/usr/share" XDG_DATA_HOME="$tmp/leer" gio info -a standard::content-type "$1" |
  sed -n 's/^ *standard::content-type: //p'; }
[ "$(typ "$partie")" = "application/x-kiboru-game" ] || fail "Partiedatei hat den Typ '$(typ "$partie")'"
[ "$(typ "$daten/haupt.go")" = "text/x-go" ] || fail "Go-Quelltext hat den Typ '$(typ "$daten/haupt.go")'"

# The window, twice, on the offscreen platform; ended by SIGTERM, which closes it as the user would.
# It is up once the file given first has been written.
fenster() {
  local zeichen=$1
  shift
  env -u AppData QT_QPA_PLATFORM=offscreen XDG_DATA_HOME="$daten" HOME="$heim" XDG_RUNTIME_DIR= \
    "${als[@]}" "$P/bin/kiboru" "$@" >>"$tmp/fenster.log" 2>&1 &
  local pid=$!
  local i
  for ((i = 0; i < 600; i++)); do
    [ -f "$zeichen" ] && break
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  # The signal waits in the event loop if it comes before the window is up.
  kill -TERM "$pid" 2>/dev/null || true
  local rc=0
  wait "$pid" || rc=$?
  [ "$rc" -eq 0 ] || fail "Fenster endet mit $rc: $(tail -5 "$tmp/fenster.log")"
}
cp "$partie" "$D/autosave.go" # the last untitled game, as a window would have left it
chmod a+rw "$D/autosave.go"
fenster "$D/Kiboru.htm"
[ -f "$D/Kiboru.htm" ] || fail "die Hilfeseite fehlt im Datenordner"
[ -f "$D/Kiboru.ini" ] || fail "die Konfiguration fehlt im Datenordner"
cmp -s "$partie" "$D/autosave.go" || fail "das Fenster hat die letzte Partie nicht so gespeichert, wie es sie fand"
ls "$daten/Quennel" | grep -qvx Kiboru && fail "weitere Datenordner: $(ls "$daten/Quennel")"

echo "<!-- vom Benutzer -->" >>"$D/Kiboru.htm"
hilfe=$(cat "$D/Kiboru.htm")
rm "$D/Engines/Default7x7.werte.cfg" # written again at the start: the sign that the window is up
fenster "$D/Engines/Default7x7.werte.cfg"
[ "$(cat "$D/Kiboru.htm")" = "$hilfe" ] || fail "der zweite Start hat die Hilfeseite neu geschrieben"
cmp -s "$partie" "$D/autosave.go" || fail "der zweite Start fand die letzte Partie nicht"
[ "$(stand)" = "$vorher" ] || fail "das Programm hat in den Installationsordner geschrieben"

if [ "$fehler" -ne 0 ]; then
  exit 1
fi
echo "Installation in $P: alles geprüft${als:+ (als Benutzer nobody)}"
