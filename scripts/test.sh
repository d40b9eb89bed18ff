#!/usr/bin/env bash
# Installs what is missing, builds Tarvilo and runs every test.
set -euo pipefail
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$source_dir/scripts/install-deps.sh" test
cd "$source_dir"
# The presets leave the number of parallel jobs to the machine.
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
export CTEST_PARALLEL_LEVEL="${CTEST_PARALLEL_LEVEL:-$(nproc)}"
cmake --workflow --preset default
