#!/usr/bin/env bash
# Checks Tarvilo as a user installs it: validates the menu entry and the
# AppStream description, builds the Debian package from build/default,
# installs it, starts the installed program under Xvfb in an empty folder,
# and checks that it wrote "salida.txt" there; then that case files are of
# their own type, open with Tarvilo and open from the command line; then that
# its manual page is installed and that --calcular and --lote work with no
# display at all. Run as root (or through sudo).
set -euo pipefail
source_dir="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)

desktop-file-validate "$source_dir/app/desktop/org.tarvilo.Tarvilo.desktop"
appstreamcli validate --no-net "$source_dir/app/desktop/org.tarvilo.Tarvilo.metainfo.xml"

cd "$source_dir/build/default"
rm -f tarvilo_*.deb
cpack -G DEB >/dev/null
package="$(ls "$PWD"/tarvilo_*.deb)"
echo "package: $(basename "$package")"
dpkg-deb -f "$package" Depends

DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "$package" >/dev/null
started=()  # the processes this script started, stopped by their ids on any exit
finish() {
    for pid in ${started[@]+"${started[@]}"}; do kill "$pid" 2>/dev/null || true; done
    DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get remove -y -qq tarvilo >/dev/null
}
trap finish EXIT
test -x /usr/bin/tarvilo
# Qt's SVG writer, which the program loads from beside it for SVG pictures.
test -f /usr/lib/tarvilo/tarvilo_svg_device.so
dpkg-deb -f "$package" Depends | grep -q libqt6svg6
test -f /usr/share/applications/org.tarvilo.Tarvilo.desktop
test -f /usr/share/metainfo/org.tarvilo.Tarvilo.metainfo.xml
test -f /usr/share/icons/hicolor/scalable/apps/org.tarvilo.Tarvilo.svg
test -f /usr/share/mime/packages/org.tarvilo.Tarvilo.xml
zcat /usr/share/man/man1/tarvilo.1.gz | grep -q '^\.TH TARVILO 1 '

work="$(mktemp -d)"
cd "$work"
# The program runs on an X server of its own on a free display (the server
# writes its number when it is ready); both are stopped by their process ids.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/.display" >/dev/null 2>&1 &
server=$!
started+=("$server")
for _ in $(seq 1 100); do
    [ -s "$work/.display" ] && break
    sleep 0.1
done
display=":$(head -n1 "$work/.display")"

# Starts the installed program with the given arguments in the current folder,
# waits for its start-up run to write the whole "salida.txt", and stops it.
runUntilCurveFile() {
    DISPLAY="$display" /usr/bin/tarvilo "$@" &
    program=$!
    started+=("$program")
    for _ in $(seq 1 200); do
        [ -s salida.txt ] && [ "$(wc -l < salida.txt)" -eq 303 ] && break
        sleep 0.1
    done
    kill "$program" 2>/dev/null || true
    wait "$program" 2>/dev/null || true
    if [ ! -s salida.txt ] || [ "$(wc -l < salida.txt)" -ne 303 ]; then
        echo "the installed program ($*) wrote no complete salida.txt in $PWD"
        exit 1
    fi
}
runUntilCurveFile
sed -n 4p salida.txt | grep -q '^5[.,]03842; 0[.,]59063; ' || { echo "unexpected first curve line"; exit 1; }
cd /
rm -rf "$work"
echo "installed program started and wrote salida.txt"

# Case files: the system knows their type, opens them with Tarvilo, and the
# installed program opens one given on its command line (its start-up run
# then writes that case's curves, not the default case's).
work="$(mktemp -d)"
cd "$work"
cat >muestra.tarvilo <<'CASE'
{
  "formato": "tarvilo-caso",
  "version": 1,
  "entradas": {"X": 0.05, "B": 3.33, "Uinf": 1, "Pcarga": 7, "Qcarga": 0.5, "Qcap": 0}
}
CASE
type="$(gio info -a standard::content-type muestra.tarvilo | sed -n 's/^ *standard::content-type: //p')"
[ "$type" = application/x-tarvilo-caso ] || { echo "muestra.tarvilo is of type '$type'"; exit 1; }
opener="$(xdg-mime query default application/x-tarvilo-caso)"
[ "$opener" = org.tarvilo.Tarvilo.desktop ] || { echo "case files open with '$opener'"; exit 1; }
runUntilCurveFile muestra.tarvilo
sed -n 4p salida.txt | grep -q '^2[.,]55000; 0[.,]61033; ' || { echo "salida.txt is not that of the case given"; exit 1; }
echo "case files known to the system and opened from the command line"

# The commands without a window, from the installed program with neither an
# X server nor Wayland to reach, on the same case.
mkdir sin-pantalla
cd sin-pantalla
printf 'X;B;Uinf;Pcarga;Qcarga;Qcap\n0.05;3.33;1;7;0.5;0\n' >lote.csv
without_display() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LC_ALL=C.UTF-8 /usr/bin/tarvilo "$@"; }
without_display --calcular ../muestra.tarvilo >resultados.txt
grep -qx "$(printf 'V2 sup\t.9934\tp.u.')" resultados.txt || { echo "--calcular printed: $(cat resultados.txt)"; exit 1; }
[ "$(wc -l < salida.txt)" -eq 303 ] && sed -n 4p salida.txt | grep -q '^2\.55000; 0\.61033; ' ||
    { echo "--calcular wrote no salida.txt of the case"; exit 1; }
without_display --lote lote.csv resultados.csv
grep -q '^2;0.05;3.33;1;7;0.5;0;2.6702124999999994;0.35000000000000003;0.9934158812133025;' resultados.csv ||
    { echo "--lote wrote: $(cat resultados.csv)"; exit 1; }
cd /
rm -rf "$work"
echo "--calcular and --lote without a display: package check passed"
