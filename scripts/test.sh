#!/usr/bin/env bash
# Installs what is missing, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2

# --- Install check (packaging/check-install.sh) ---
# Installs build/ into a temporary prefix, validates the menu entry and the
# AppStream metainfo, and runs the installed program as an ordinary user to
# check where it keeps its settings file.
cd ..
packaging/check-install.sh build

# --- Sanitizers and fuzzing (scale and hostile input) ---
# Every test registered with ctest once more, built with AddressSanitizer and
# UndefinedBehaviorSanitizer (any report fails the test; a leak inside a
# third-party library, should one appear, is suppressed in scripts/lsan.supp),
# then the four libFuzzer targets (the log, the settings file, the
# command's arguments, dates and ranges): each replays its seed corpus,
# then the log target fuzzes for a minute and the others for 20 seconds.
[ -f fuzz/log_fuzz.cpp ] || { echo "test.sh: expected to be in the repository's root" >&2; exit 1; }
sanitize="-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS="$sanitize" \
  -DCMAKE_EXE_LINKER_FLAGS="$sanitize" -DCMAKE_SHARED_LINKER_FLAGS="$sanitize" >/dev/null
cmake --build build-asan
(cd build-asan && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
  LSAN_OPTIONS="suppressions=$PWD/../scripts/lsan.supp:print_suppressions=0" UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --output-on-failure -j2)

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVARNOTH_FUZZ=ON \
  -DVARNOTH_BUILD_GUI=OFF -DVARNOTH_BUILD_TESTS=OFF >/dev/null
cmake --build build-fuzz
fuzz_work=$(mktemp -d)
trap 'rm -rf "$fuzz_work"' EXIT
# An input that shows a fault is kept as build-fuzz/crash-* (or leak-*, timeout-*).
for target in log:60 settings:20 arguments:20 dates:20; do
  name=${target%%:*} seconds=${target##*:}
  program=build-fuzz/fuzz/varnoth-fuzz corpus=fuzz/corpus
  if [ "$name" != log ]; then program=$program-$name corpus=$corpus-$name; fi
  mkdir -p "$fuzz_work/$name"
  if ! "$program" -artifact_prefix=build-fuzz/ -runs=0 "$corpus" >"$fuzz_work/$name-replay.log" 2>&1 \
    || ! "$program" -artifact_prefix=build-fuzz/ -max_total_time="$seconds" -max_len=4096 \
         -print_final_stats=1 "$fuzz_work/$name" "$corpus" >"$fuzz_work/$name-fuzz.log" 2>&1; then
    tail -n 60 "$fuzz_work/$name"-*.log
    echo "fuzzing $name found a fault; the input that shows it is in build-fuzz/" >&2
    exit 1
  fi
  echo "fuzz $name: $(sed -n 's/^stat::number_of_executed_units: *//p' "$fuzz_work/$name-fuzz.log") inputs in $seconds s"
done
