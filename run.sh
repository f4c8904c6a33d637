#!/usr/bin/env bash
# Installs what is missing, builds into build/ and starts Kiboru. Arguments are passed on
# (./run.sh partie.go, ./run.sh --gtp).
set -euo pipefail
cd "$(dirname "$0")"
./tools/deps.sh >&2
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >&2
cmake --build build --target Kiboru -j"$(nproc)" >&2
exec ./build/Kiboru "$@"
