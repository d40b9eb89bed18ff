#!/usr/bin/env bash
# scripts/install-deps.sh picks each Debian release's package names from the
# os-release file, and on any other system installs nothing, names the
# packages and fails.
set -euo pipefail
script="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

os_release() {  # name id codename pretty-name
    printf 'ID=%s\nVERSION_CODENAME=%s\nPRETTY_NAME="%s"\n' "$2" "$3" "$4" >"$work/$1"
}
os_release bookworm debian bookworm "Debian GNU/Linux 12 (bookworm)"
os_release trixie debian trixie "Debian GNU/Linux 13 (trixie)"
os_release fedora fedora "" "Fedora Linux 41"
os_release ubuntu ubuntu noble "Ubuntu 24.04 LTS"

# release profile: packages that must be listed / must not be listed
cases=(
  "bookworm run     :qt6-base-dev qt6-translations-l10n libqt6opengl6-dev:libgtest-dev wine"
  "bookworm test    :clang-format libclang-rt-14-dev wine wine64 g++-mingw-w64-x86-64-posix xvfb qt6-translations-l10n:libclang-rt-19-dev"
  "trixie   run     :qt6-base-dev qt6-translations-l10n libgl-dev:libqt6opengl6-dev libgtest-dev"
  "trixie   test    :clang-format libclang-rt-19-dev wine wine64 g++-mingw-w64-x86-64-posix xdotool:libclang-rt-14-dev libqt6opengl6-dev"
  "trixie   test-nowine:libclang-rt-19-dev xvfb xdotool libgtest-dev:wine wine64 g++-mingw-w64-x86-64-posix"
)
for row in "${cases[@]}"; do
    read -r release profile <<<"${row%%:*}"
    wanted="$(cut -d: -f2 <<<"$row")"
    unwanted="$(cut -d: -f3 <<<"$row")"
    listed=" $(TARVILO_OS_RELEASE="$work/$release" "$script" "$profile" --list) "
    for package in $wanted; do
        [[ "$listed" == *" $package "* ]] || fail "$release $profile: $package is not listed"
    done
    for package in $unwanted; do
        [[ "$listed" != *" $package "* ]] || fail "$release $profile: $package is listed"
    done
done

# Elsewhere nothing is installed: apt-get and sudo only leave a trace.
mkdir "$work/bin"
for tool in apt-get sudo dpkg-query; do
    printf '#!/bin/sh\necho "%s $*" >>"%s/calls"\n' "$tool" "$work" >"$work/bin/$tool"
    chmod +x "$work/bin/$tool"
done
for release in fedora ubuntu; do
    status=0
    PATH="$work/bin:$PATH" TARVILO_OS_RELEASE="$work/$release" "$script" run >"$work/out" 2>&1 || status=$?
    [ "$status" -ne 0 ] || fail "$release: the script succeeded"
    grep -q "neither Debian 12 (bookworm) nor Debian 13 (trixie)" "$work/out" || fail "$release: no clear message"
    grep -q "qt6-base-dev" "$work/out" || fail "$release: the packages are not named"
    [ ! -e "$work/calls" ] || fail "$release: it tried to install: $(cat "$work/calls")"
done

[ "$failures" -eq 0 ] && echo "install-deps: all cases passed"
exit $((failures > 0))
