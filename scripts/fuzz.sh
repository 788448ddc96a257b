#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz (the encoder, the preview
# server's request head parser) with clang (own build directory,
# AddressSanitizer and UndefinedBehaviorSanitizer on) and runs each of them
# for the given number of seconds (default 20). The corpus grows in
# build-fuzz/corpus/<target>, starting from the seeds in tests/fuzz/corpus.
# A fault stops the run; its input is saved in build-fuzz/artifacts and the
# command that replays it is printed.
#   bash scripts/fuzz.sh          # 20 s per target
#   bash scripts/fuzz.sh 3600     # an hour per target
# FUZZ_BUILD_DIR chooses another build directory.
set -euo pipefail

seconds=${1:-20}
if ! [[ "$seconds" =~ ^[0-9]+$ ]] || [[ "$seconds" -eq 0 ]]; then
    echo "usage: $0 [seconds per target]" >&2
    exit 2
fi
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${FUZZ_BUILD_DIR:-$root/build-fuzz}

for tool in clang clang++; do
    command -v "$tool" >/dev/null || { echo "$tool is missing: run bash scripts/setup-debian.sh" >&2; exit 1; }
done

CC=clang CXX=clang++ cmake -S "$root/tests/fuzz" -B "$build" -DCMAKE_CXX_COMPILER=clang++ \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)"

mkdir -p "$build/artifacts"
# The request head's inputs reach past its 8 KiB limit.
declare -A max_len=([fuzz_encoder]=4096 [fuzz_request_head]=9000)
for target in fuzz_encoder fuzz_request_head; do
    corpus="$build/corpus/$target"
    mkdir -p "$corpus"
    echo "== $target: $seconds s"
    # Lone-process run: the machine's cores are shared with the other builds.
    if ! "$build/$target" -max_total_time="$seconds" -max_len=${max_len[$target]} -timeout=20 -rss_limit_mb=4096 \
            -print_final_stats=1 -artifact_prefix="$build/artifacts/$target-" \
            "$corpus" "$root/tests/fuzz/corpus/$target" >"$build/$target.log" 2>&1; then
        tail -n 60 "$build/$target.log"
        echo "$target found a fault. Replay it with:" >&2
        for artifact in "$build/artifacts/$target-"*; do
            [[ -e "$artifact" ]] && echo "  $build/$target $artifact" >&2
        done
        exit 1
    fi
    grep -E '^(stat::number_of_executed_units|stat::new_units_added|Done)' "$build/$target.log" || true
done
echo "fuzzing clean"
