#!/usr/bin/env bash
# Builds the fuzzers with clang (installing it when missing) and runs each one in turn.
# Usage: fuzz/run.sh [libFuzzer options]   e.g. -max_total_time=30 (CI) or -runs=10000000
# Each harness keeps its corpus in build-fuzz/corpus/NAME, seeded from fuzz/seeds/NAME; a finding
# (crash, sanitizer report, leak, time-out) fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
. scripts/build-deps.sh

KESTREL_BUILD_PACKAGES=(clang libclang-rt-dev)
ensure_build_packages
CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DKESTREL_WERROR=ON -DKESTREL_FUZZ=ON
cmake --build build-fuzz -j2 --target fuzzers

passed=0
failed=0
for name in config bus_file eeprom_file frame_split; do
    corpus="$PWD/build-fuzz/corpus/$name"
    mkdir -p "$corpus"
    cp -n fuzz/seeds/"$name"/* "$corpus"/
    if build-fuzz/fuzz/"${name}_fuzz" -timeout=10 -rss_limit_mb=2048 "$@" "$corpus"; then
        passed=$((passed + 1))
    else
        echo "fuzz: ${name}_fuzz found a fault" >&2
        failed=$((failed + 1))
    fi
    echo "fuzz: ${name}_fuzz corpus $(ls "$corpus" | wc -l) files"
done
echo "fuzz: $passed passed, $failed failed"
[ "$failed" -eq 0 ]
