#!/usr/bin/env bash
# Fuzzes the identity check and the whole report for a bounded time (default 60 s),
# seeded with the sample files. Fails on any crash or sanitizer report.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

cmake --preset fuzz > /dev/null
cmake --build --preset fuzz
corpus=build-fuzz/corpus
mkdir -p "$corpus"
cp examples/*.jpg "$corpus"/
# -close_fd_mask=3: the report goes nowhere; libFuzzer keeps its own output.
build-fuzz/fuzz/fuzz_report -max_total_time="$seconds" -close_fd_mask=3 \
    -print_final_stats=1 -artifact_prefix=build-fuzz/ "$corpus" 2>&1 |
    grep -E '^(stat::number_of_executed_units|stat::average_exec_per_sec|Done|==[0-9]+==|SUMMARY)|ERROR|crash-'
