#!/usr/bin/env bash
# Checks that every C++ file of the clone is formatted as .clang-format says,
# without changing any: clang-format --dry-run --Werror. The format is that of
# Debian 12's clang-format (14); other releases break some lines differently.
# Usage: scripts/check-format.sh [--fix]   (--fix formats the files in place)
set -euo pipefail
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cd "$source_dir"

clang_format="${CLANG_FORMAT:-$(command -v clang-format-14 || command -v clang-format || true)}"
if [ -z "$clang_format" ]; then
    echo "check-format: clang-format is missing (scripts/install-deps.sh test installs it)" >&2
    exit 1
fi
version="$("$clang_format" --version)"
case "$version" in
    *" version 14."*) ;;
    *) echo "check-format: warning: $version is not Debian 12's clang-format 14; lines may break differently" >&2 ;;
esac

# The tracked files in a clone, else every C++ file outside build folders.
files=()
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    while IFS= read -r -d '' file; do
        [ -f "$file" ] && files+=("$file")
    done < <(git ls-files -z -- '*.cpp' '*.h' '*.hpp' '*.cc')
else
    while IFS= read -r -d '' file; do files+=("$file"); done \
        < <(find . -path ./build -prune -o \( -name '*.cpp' -o -name '*.h' -o -name '*.hpp' -o -name '*.cc' \) -print0)
fi

if [ "${1:-}" = --fix ]; then
    "$clang_format" -i --style=file "${files[@]}"
    echo "check-format: formatted ${#files[@]} files"
    exit 0
fi
"$clang_format" --dry-run --Werror --style=file "${files[@]}"
echo "check-format: ${#files[@]} files formatted as .clang-format says"
