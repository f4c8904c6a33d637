# Sourced by the match scripts. ergebnisordner BASIS: creates and prints a results folder of its
# own, BASIS or BASIS-2 ... BASIS-9 when a run started in the same second already took it (the
# engines' logs of two runs would mix there, and with them the count of book moves).
ergebnisordner() {
  mkdir -p "$(dirname "$1")"
  local n
  for n in "" -2 -3 -4 -5 -6 -7 -8 -9; do
    if mkdir "$1$n" 2>/dev/null; then echo "$1$n"; return 0; fi
  done
  echo "Kein freier Ergebnisordner neben $1" >&2
  return 1
}
