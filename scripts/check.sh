#!/usr/bin/env bash
# Installs what is missing, builds, and runs the whole test suite: the core
# tests under AddressSanitizer and UndefinedBehaviorSanitizer and under
# ThreadSanitizer (the conversions run on several threads), a short run of
# each fuzz target, and last every test of the release build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
jobs=$(nproc)

echo "== core tests under ASan + UBSan"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTORNWEL_CORE_ONLY=ON \
    -DTORNWEL_SANITIZE=ON >/dev/null
cmake --build build-asan
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
    ctest --test-dir build-asan --output-on-failure -j "$jobs" -L core

echo "== core tests under TSan"
cmake -S . -B build-tsan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORNWEL_CORE_ONLY=ON \
    -DTORNWEL_THREAD_SANITIZE=ON >/dev/null
cmake --build build-tsan
# The folder watcher runs on one thread; under TSan, Qt Test's own (uninstrumented)
# watchdog thread would only report races inside Qt.
TSAN_OPTIONS=halt_on_error=1 ctest --test-dir build-tsan --output-on-failure -j "$jobs" -L core \
    -E tst_folder_watcher

echo "== fuzz targets (${FUZZ_SECONDS:=8} s each)"
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTORNWEL_CORE_ONLY=ON \
    -DTORNWEL_FUZZ=ON -DCMAKE_CXX_COMPILER=clang++ >/dev/null
cmake --build build-fuzz --target fuzz_targets
for fuzzer in build-fuzz/bin/fuzz_*; do
    corpus="build-fuzz/corpus/$(basename "$fuzzer")"
    mkdir -p "$corpus"
    "$fuzzer" -max_total_time="$FUZZ_SECONDS" -print_final_stats=0 "$corpus" 2>&1 | tail -n 1
done
echo "fuzz: $(ls build-fuzz/bin/fuzz_* | wc -l) targets, no crash"

echo "== build and test (release)"
bash scripts/build.sh
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j "$jobs"
