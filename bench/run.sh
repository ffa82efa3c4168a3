#!/usr/bin/env bash
# Start-up cost of picprobe: its whole job is eleven small reads, so it should cost
# little more than starting a process. Compares the release build with a do-nothing
# statically linked C program, and counts system calls and instructions of one run.
# A benchmark, not a test: it prints figures and judges none.
#   bench/run.sh [PAIRED_RUNS]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-2000}
sample=examples/sample.jpg
out=build/bench

cmake --preset default > /dev/null
cmake --build --preset default --target picprobe > /dev/null
mkdir -p "$out"
cc -O2 -static bench/noop.c -o "$out/noop"
c++ -std=c++20 -O2 bench/paired_runs.cpp -o "$out/paired_runs"

echo "== wall time, alternating runs"
"$out/paired_runs" "$runs" -- build/picprobe "$sample" -- "$out/noop"

if command -v hyperfine > /dev/null; then
    echo "== hyperfine"
    hyperfine -N --warmup 200 --runs 2000 --style basic \
        "build/picprobe $sample" "$out/noop" 2>&1 | grep -v -e '^ *$' -e 'Warning' || true
fi

# Counts below run with an empty environment: the C library's start-up reads it, so
# the figures would otherwise depend on who runs the benchmark.
if command -v strace > /dev/null; then
    echo "== system calls of one run, exec to exit"
    if env -i strace -c -o "$out/strace-count.txt" build/picprobe "$sample" > /dev/null &&
        env -i strace -o "$out/strace.log" build/picprobe "$sample" > /dev/null; then
        cat "$out/strace-count.txt"
        awk '$NF == "total" { print "system calls: " $4 }' "$out/strace-count.txt"
        grep -c '^write(1,' "$out/strace.log" | xargs printf 'writes to standard output: %s\n'
    else
        echo "strace could not trace here"
    fi
fi

if command -v valgrind > /dev/null; then
    echo "== user-space instructions of one run (callgrind)"
    env -i valgrind --tool=callgrind --callgrind-out-file="$out/callgrind.out" \
        build/picprobe "$sample" 2>&1 > /dev/null | grep -E 'Collected' |
        sed 's/.*Collected : */instructions: /' || echo "valgrind could not run here"
fi
