#!/usr/bin/env bash
# Installs, through apt-get, the packages that Tarvilo needs on Debian 12
# (bookworm) or Debian 13 (trixie), and only those that are missing. Works as
# root or through sudo. The release is read from /etc/os-release; on any other
# system the script names the packages to install and stops.
#   install-deps.sh run            what building and running the program need
#   install-deps.sh test           that and what every test needs (the default)
#   install-deps.sh test-nowine    every test but the Windows launcher's
#   install-deps.sh PROFILE --list only print the packages of the profile
set -euo pipefail
profile="${1:-test}"
action="${2:-install}"
os_release="${TARVILO_OS_RELEASE:-/etc/os-release}"

os_id="$(. "$os_release" 2>/dev/null && echo "${ID:-}")" || os_id=""
os_codename="$(. "$os_release" 2>/dev/null && echo "${VERSION_CODENAME:-}")" || os_codename=""
os_name="$(. "$os_release" 2>/dev/null && echo "${PRETTY_NAME:-}")" || os_name=""

# The names that differ between the releases.
# The names that differ between the releases (Debian 13's qt6-base-dev holds
# Qt's OpenGL development files itself).
qt_opengl_dev=()
case "$os_id:$os_codename" in
  debian:bookworm) clang_runtime=libclang-rt-14-dev; qt_opengl_dev=(libqt6opengl6-dev); wine_packages=(wine wine64) ;;
  debian:trixie) clang_runtime=libclang-rt-19-dev; wine_packages=(wine wine64) ;;
  *) clang_runtime=""; wine_packages=(wine wine64) ;;
esac

run_packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-charts-dev qt6-svg-dev qt6-qpa-plugins qt6-translations-l10n
  ${qt_opengl_dev[@]+"${qt_opengl_dev[@]}"} libgl-dev libxkbcommon-dev
  fonts-liberation fontconfig
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick xdotool xclip shared-mime-info xdg-utils libglib2.0-bin
  desktop-file-utils appstream dpkg-dev locales python3 valgrind poppler-utils
  clang ${clang_runtime:+"$clang_runtime"} clang-format
)
windows_packages=(g++-mingw-w64-x86-64-posix "${wine_packages[@]}")
case "$profile" in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}" "${windows_packages[@]}") ;;
  test-nowine) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  *) echo "install-deps: unknown profile '$profile' (run, test or test-nowine)" >&2; exit 2 ;;
esac

if [ "$action" = --list ]; then
  echo "${packages[*]}"
  exit 0
fi

if [ -z "$clang_runtime" ]; then
  {
    echo "install-deps: ${os_name:-this system} is neither Debian 12 (bookworm) nor Debian 13 (trixie);"
    echo "install-deps: nothing was installed. Install by hand your system's packages for:"
    echo "  ${packages[*]}"
    echo "install-deps: (Debian's names; the tests also need clang's runtime, libclang-rt-19-dev on Debian 13),"
    echo "install-deps: then run this script's next step yourself: cmake --workflow --preset default"
  } >&2
  exit 1
fi

missing=()
for package in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$package")
  fi
done

if [ "$(id -u)" -eq 0 ]; then
  as_root=()
elif command -v sudo >/dev/null; then
  as_root=(sudo)
else
  as_root=(false)
fi

if [ ${#missing[@]} -gt 0 ]; then
  if [ "${as_root[0]:-}" = false ]; then
    echo "install-deps: these packages are missing and neither root nor sudo is available: ${missing[*]}" >&2
    exit 1
  fi
  echo "install-deps: installing on $os_name: ${missing[*]}"
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

[ "$profile" != run ] || exit 0

# The end-to-end test runs once under a "." locale and once under a "," one.
wanted_locales=(en_US.UTF-8 de_DE.UTF-8)
for wanted in "${wanted_locales[@]}"; do
  short="$(echo "$wanted" | sed 's/UTF-8/utf8/')"
  if ! locale -a 2>/dev/null | grep -qx "$short"; then
    "${as_root[@]}" sed -i "s/^# *\($wanted UTF-8\)/\1/" /etc/locale.gen
    grep -q "^$wanted UTF-8" /etc/locale.gen || echo "$wanted UTF-8" | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
    regenerate=1
  fi
done
if [ -n "${regenerate:-}" ]; then
  "${as_root[@]}" locale-gen >/dev/null
fi
