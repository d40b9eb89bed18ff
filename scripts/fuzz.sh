#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with the fuzz preset (clang,
# AddressSanitizer and UndefinedBehaviorSanitizer, on the tarvilo_core
# library) and runs each for a bounded time, starting from the corpus kept in
# the repository. Usage: scripts/fuzz.sh [seconds per target]
set -euo pipefail
seconds="${1:-60}"
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$source_dir/build/fuzz"
cd "$source_dir"
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

while IFS= read -r target; do
    [ -n "$target" ] || continue
    echo "== fuzz $target for ${seconds}s"
    # New inputs go to a scratch folder; the kept corpus stays as it is.
    scratch="$(mktemp -d)"
    corpus="$source_dir/tests/fuzz/corpus/$target"
    [ -d "$corpus" ] || { echo "fuzz $target: no kept corpus in $corpus"; exit 1; }
    log="$build/$target.log"
    status=0
    "$build/tests/fuzz/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 \
        -artifact_prefix="$build/$target-" "$scratch" "$corpus" >"$log" 2>&1 || status=$?
    grep -E "^(stat::number_of_executed_units|stat::new_units_added|SUMMARY)" "$log" || true
    rm -rf "$scratch"
    if [ "$status" -ne 0 ]; then
        grep -A20 -E "ERROR|runtime error" "$log" | head -40
        echo "fuzz $target: failed (log and artifacts in $build)"
        exit 1
    fi
done <"$build/tests/fuzz/targets.txt"
echo "fuzzing: all targets passed"
