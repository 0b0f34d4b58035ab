#!/usr/bin/env bash
# Runs one libFuzzer target for SECONDS seconds, from its seed corpus and
# what earlier runs found (kept in build-fuzz/work-TARGET/), and prints how
# many inputs it ran and how fast. Builds build-fuzz/ (clang) first.
#
#   scripts/fuzz.sh log|settings|arguments|dates SECONDS [LIBFUZZER OPTION...]
#
# An input that shows a fault is kept as build-fuzz/crash-* (or leak-*,
# timeout-*, oom-*); replay it with build-fuzz/fuzz/varnoth-fuzz[-TARGET] FILE.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ $# -lt 2 ] || ! [[ "$2" =~ ^[0-9]+$ ]]; then
  echo "usage: scripts/fuzz.sh log|settings|arguments|dates SECONDS [LIBFUZZER OPTION...]" >&2
  exit 2
fi
target=$1 seconds=$2
shift 2
case "$target" in
  log) program=varnoth-fuzz corpus=fuzz/corpus ;;
  settings|arguments|dates) program=varnoth-fuzz-$target corpus=fuzz/corpus-$target ;;
  *) echo "scripts/fuzz.sh: no target '$target' (log, settings, arguments or dates)" >&2; exit 2 ;;
esac
if [ ! -f build-fuzz/build.ninja ]; then
  CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOTH_FUZZ=ON \
    -DVARNOTH_BUILD_GUI=OFF -DVARNOTH_BUILD_TESTS=OFF >/dev/null
fi
cmake --build build-fuzz --target "$program" -- -j2 >/dev/null
work=build-fuzz/work-$target
mkdir -p "$work"
log=$work/last-run.log
status=0
build-fuzz/fuzz/"$program" -artifact_prefix=build-fuzz/ -max_total_time="$seconds" -max_len=4096 \
  -print_final_stats=1 "$@" "$work" "$corpus" >"$log" 2>&1 || status=$?
if [ $status -ne 0 ]; then
  tail -n 60 "$log"
  echo "scripts/fuzz.sh: $target found a fault; the input that shows it is in build-fuzz/" >&2
  exit 1
fi
runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
echo "$target: $runs inputs in $seconds s ($(( runs / (seconds > 0 ? seconds : 1) )) a second), no fault"
