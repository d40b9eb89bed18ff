#!/usr/bin/env bash
# Installs what building and running need, builds Tarvilo (without its tests)
# and starts it. "salida.txt" is written to the folder this script is started
# from.
set -euo pipefail
start_dir="$PWD"
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$source_dir/scripts/install-deps.sh" run
cd "$source_dir"
export CMAKE_BUILD_PARALLEL_LEVEL="${CMAKE_BUILD_PARALLEL_LEVEL:-$(nproc)}"
cmake --preset app >/dev/null
cmake --build --preset app --target tarvilo
cd "$start_dir"
exec "$source_dir/build/app/app/tarvilo" "$@"
