#!/usr/bin/env bash
# Runs the libFuzzer harnesses of tests/fuzz/ (built into build-fuzz/ with clang, ASan and UBSan).
#
#   tools/fuzz.sh [SECONDS] [HARNESS...]   each harness SECONDS long (default 300), at lowest
#                                          priority; what it finds is kept (see below)
#   tools/fuzz.sh --runs=N [HARNESS...]    each harness for N inputs instead
#   tools/fuzz.sh --kurz                   the short run of test.sh: a fixed number of inputs with
#                                          a fixed seed on the committed corpora, nothing kept
#
# Harnesses: spieldatei pgn werte gtp sgf (default: all). The long runs keep their grown corpora in
# $KIBORU_FUZZ_ORDNER/korpus/<harness> (default build-fuzz/lauf, outside the committed tree), so
# the next run goes on from there, the inputs that broke a harness in .../funde/ and libFuzzer's
# output in .../protokolle/. The exit code is 1 when a harness failed; the summary names the files.
set -euo pipefail
cd "$(dirname "$0")/.."

# the short run: a few seconds per harness on this 2-core machine
declare -A kurzeRunden=([spieldatei]=8000 [pgn]=2500 [werte]=2500 [gtp]=800 [sgf]=2500)
modus=zeit
sekunden=300
runden=
if [ $# -gt 0 ]; then
  case "$1" in
    --kurz) modus=kurz; shift ;;
    --runs=*) modus=runden; runden=${1#--runs=}; shift ;;
    [0-9]*) sekunden=$1; shift ;;
  esac
fi
harnesse=("$@")
[ ${#harnesse[@]} -eq 0 ] && harnesse=(spieldatei pgn werte gtp sgf)

# Inputs up to these sizes (a full values echo, about 37 KB, is read back by the harness itself).
declare -A maxlen=([spieldatei]=4096 [pgn]=4096 [werte]=8192 [gtp]=2048 [sgf]=4096)

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=clang++ -DKIBORU_FUZZ=ON \
  -DKIBORU_BENCH=OFF >/dev/null
cmake --build build-fuzz --target kiboru_fuzz -j"$(nproc)"

if [ "$modus" = kurz ]; then
  # the corpus grown here is thrown away; what breaks a harness stays in build-fuzz/kurz
  korpora=$(mktemp -d)
  trap 'rm -rf "$korpora"' EXIT
  ziel=$PWD/build-fuzz/kurz
  rm -rf "$ziel"
else
  ziel=${KIBORU_FUZZ_ORDNER:-$PWD/build-fuzz/lauf}
  korpora=$ziel/korpus
fi
mkdir -p "$ziel/funde" "$ziel/protokolle"
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

fehler=0
printf '%-11s %12s %10s %8s %8s  %s\n' Harness Eingaben "Eingaben/s" Kanten Merkmale Ergebnis
for h in "${harnesse[@]}"; do
  exe=build-fuzz/fuzz/fuzz_$h
  [ -x "$exe" ] || { echo "Kein Harness $h" >&2; exit 2; }
  korpus=$korpora/$h
  mkdir -p "$korpus"
  args=(-dict="tests/fuzz/$h.dict" -max_len="${maxlen[$h]}" -artifact_prefix="$ziel/funde/$h-"
        -print_final_stats=1 "$korpus" "$PWD/tests/fuzz/korpus/$h")
  protokoll=$ziel/protokolle/$h.log
  vorher=$(ls "$ziel/funde" | wc -l)
  anfang=$(date +%s.%N)
  set +e
  case $modus in
    kurz) "$exe" -runs="${kurzeRunden[$h]}" -seed=1 "${args[@]}" >"$protokoll" 2>&1 ;;
    runden) nice -n 19 "$exe" -runs="$runden" "${args[@]}" >"$protokoll" 2>&1 ;;
    zeit) nice -n 19 "$exe" -max_total_time="$sekunden" "${args[@]}" >"$protokoll" 2>&1 ;;
  esac
  rc=$?
  set -e
  # libFuzzer's final statistics: inputs, edges and features covered; the rate over the whole run.
  eingaben=$(sed -n 's/^stat::number_of_executed_units: *//p' "$protokoll")
  rate=$(awk -v n="${eingaben:-0}" -v a="$anfang" -v e="$(date +%s.%N)" 'BEGIN { printf "%.0f", n / (e - a) }')
  kanten=$(grep -Eo 'cov: [0-9]+' "$protokoll" | tail -1 | cut -d' ' -f2)
  merkmale=$(grep -Eo 'ft: [0-9]+' "$protokoll" | tail -1 | cut -d' ' -f2)
  if [ $rc -eq 0 ]; then
    ergebnis=ok
  else
    fehler=1
    neu=$(ls "$ziel/funde" | wc -l)
    ergebnis="FEHLER ($((neu - vorher)) Fund(e) in $ziel/funde, Protokoll $protokoll)"
    [ "$modus" = kurz ] && { tail -40 "$protokoll"; ls "$ziel/funde"; }
  fi
  printf '%-11s %12s %10s %8s %8s  %s\n' "$h" "${eingaben:-?}" "${rate:-?}" "${kanten:-?}" "${merkmale:-?}" "$ergebnis"
done
exit $fehler
