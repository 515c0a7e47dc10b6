#!/usr/bin/env bash
# Builds the libFuzzer targets under fuzz/ with clang (AddressSanitizer and UBSan) against the
# core sources they need, and runs each for SECONDS (default 120) in build-fuzz/.
set -euo pipefail
ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
SECONDS_EACH=${1:-120}
OUT="$ROOT/build-fuzz"
mkdir -p "$OUT"
FLAGS=(-std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined -I"$ROOT/src")
CORE=("$ROOT"/src/data/*.cpp "$ROOT"/src/scheduling/*.cpp "$ROOT"/src/views/GridModel.cpp "$ROOT"/src/views/GridSource.cpp
      "$ROOT"/src/output/TotalScheduleText.cpp)
for target in "$ROOT"/fuzz/*.cpp; do
    name=$(basename "$target" .cpp)
    clang++ "${FLAGS[@]}" "$target" "${CORE[@]}" -o "$OUT/$name"
    mkdir -p "$OUT/$name.corpus"
    "$OUT/$name" -max_total_time="$SECONDS_EACH" -max_len=4096 "$OUT/$name.corpus"
done
