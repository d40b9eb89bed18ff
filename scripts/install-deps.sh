#!/usr/bin/env bash
# Installs, through apt-get, the Debian 12 packages that Tarvilo needs, and
# only those that are missing. Works as root or through sudo.
#   install-deps.sh run    what building and running the program need
#   install-deps.sh test   that and what every test needs (the default)
set -euo pipefail
profile="${1:-test}"

run_packages=(
  cmake g++ make pkg-config
  qt6-base-dev qt6-charts-dev qt6-svg-dev qt6-qpa-plugins libqt6opengl6-dev libgl-dev libxkbcommon-dev
  fonts-liberation fontconfig
)
test_packages=(
  libgtest-dev libgmock-dev libbenchmark-dev
  xvfb xauth imagemagick xdotool
  g++-mingw-w64-x86-64-posix wine wine64
  desktop-file-utils appstream dpkg-dev locales python3 clang libclang-rt-14-dev valgrind
)
case "$profile" in
  run) packages=("${run_packages[@]}") ;;
  test) packages=("${run_packages[@]}" "${test_packages[@]}") ;;
  *) echo "install-deps: unknown profile '$profile' (run or test)" >&2; exit 2 ;;
esac

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
  echo "install-deps: installing ${missing[*]}"
  "${as_root[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

[ "$profile" = test ] || exit 0

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
