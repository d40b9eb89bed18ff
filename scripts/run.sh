#!/usr/bin/env bash
# Installs what is missing, builds Tarvilo and starts it. "salida.txt" is
# written to the folder this script is started from.
set -euo pipefail
start_dir="$PWD"
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$source_dir/scripts/install-deps.sh"
cd "$source_dir"
cmake --preset default >/dev/null
cmake --build --preset default --target tarvilo
cd "$start_dir"
exec "$source_dir/build/default/app/tarvilo" "$@"
