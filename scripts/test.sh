#!/usr/bin/env bash
# Installs what is missing, builds Tarvilo and runs every test.
set -euo pipefail
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$source_dir/scripts/install-deps.sh" test
cd "$source_dir"
cmake --workflow --preset default
