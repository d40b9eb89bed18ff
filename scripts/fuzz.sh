#!/usr/bin/env bash
# Builds the libFuzzer targets of tests/fuzz with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer) and runs each for a bounded time, starting from
# the corpus kept in the repository. Usage: scripts/fuzz.sh [seconds per target]
set -euo pipefail
seconds="${1:-60}"
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$source_dir/build/fuzz"
mkdir -p "$build"
clang="$(command -v clang++ || command -v clang++-14)"

core_sources=("$source_dir"/core/*.cpp)
flags=(-std=c++20 -O1 -g -ffp-contract=off -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all
       -I"$source_dir" -I"$source_dir/tests/fuzz")

for target in number_reading number_patterns calculation_run; do
    echo "== fuzz $target for ${seconds}s"
    "$clang" "${flags[@]}" "$source_dir/tests/fuzz/fuzz_$target.cpp" "${core_sources[@]}" -o "$build/fuzz_$target"
    # New inputs go to a scratch folder; the kept corpus stays as it is.
    scratch="$(mktemp -d)"
    log="$build/$target.log"
    status=0
    "$build/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/$target-" \
        "$scratch" "$source_dir/tests/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
    grep -E "^(stat::number_of_executed_units|stat::new_units_added|SUMMARY)" "$log" || true
    rm -rf "$scratch"
    if [ "$status" -ne 0 ]; then
        grep -A20 -E "ERROR|runtime error" "$log" | head -40
        echo "fuzz $target: failed (log and artifacts in $build)"
        exit 1
    fi
done
# The case-file reader: with Qt Core, which is not instrumented itself.
target=case_file
echo "== fuzz $target for ${seconds}s"
read -ra qt_core <<<"$(pkg-config --cflags --libs Qt6Core)"
"$clang" "${flags[@]}" -fPIC "$source_dir/tests/fuzz/fuzz_$target.cpp" "$source_dir/ui/common/case_file.cpp" \
    "${core_sources[@]}" "${qt_core[@]}" -o "$build/fuzz_$target"
scratch="$(mktemp -d)"
log="$build/$target.log"
status=0
"$build/fuzz_$target" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/$target-" \
    -max_len=4096 "$scratch" "$source_dir/tests/fuzz/corpus/$target" >"$log" 2>&1 || status=$?
grep -E "^(stat::number_of_executed_units|stat::new_units_added|SUMMARY)" "$log" || true
rm -rf "$scratch"
if [ "$status" -ne 0 ]; then
    grep -A20 -E "ERROR|runtime error|deadly signal" "$log" | head -40
    echo "fuzz $target: failed (log and artifacts in $build)"
    exit 1
fi
echo "fuzzing: all targets passed"
