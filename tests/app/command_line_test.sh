#!/usr/bin/env bash
# The program's command line: help and version in Spanish without any
# display, and a clear refusal of what it does not take.
#   command_line_test.sh PROGRAM
set -uo pipefail
program="$1"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# expect STATUS PATTERN -- ARGUMENTS: the status and a line of the output
expect() {
    local status="$1" pattern="$2"
    shift 3
    local output actual=0
    output="$("$program" "$@" 2>&1)" || actual=$?
    [ "$actual" -eq "$status" ] || fail "tarvilo $*: status $actual, not $status"
    grep -qE -- "$pattern" <<<"$output" || fail "tarvilo $*: no line matching '$pattern' in: $output"
}

# No display at all: help and version need none.
unset DISPLAY WAYLAND_DISPLAY
export QT_QPA_PLATFORM=xcb
expect 0 '^Uso: tarvilo \[opciones\] \[CASO\]$' -- --help
expect 0 '^  -v, --version  Muestra la versión del programa y termina\.$' -- -h
expect 0 '^  CASO           Caso de Tarvilo \(archivo \.tarvilo\)' -- --help caso.tarvilo
expect 0 '^  --calcular CASO$' -- --help
expect 0 '^  --formato json Con --calcular, los resultados como un objeto JSON' -- --help
expect 0 '^  --lote ENTRADA\.csv \[SALIDA\.csv\]$' -- --help
expect 0 '^tarvilo [0-9]+\.[0-9]+\.[0-9]+$' -- --version
expect 0 '^tarvilo [0-9]+\.[0-9]+\.[0-9]+$' -- -v

# Refusals come after the toolkit has taken its own options.
export QT_QPA_PLATFORM=offscreen
expect 2 '^tarvilo: opción desconocida: --abrir$' -- --abrir x.tarvilo
expect 2 '^Pruebe «tarvilo --help» para más información\.$' -- -x
expect 2 '^tarvilo: se abre un solo caso cada vez$' -- uno.tarvilo dos.tarvilo
# Qt's own options, words after one dash, reach Qt: none is taken for -v or -h.
expect 2 '^tarvilo: opción desconocida: --abrir$' -- -reverse --abrir
expect 2 '^tarvilo: opción desconocida: --abrir$' -- -stylesheet estilo.qss --abrir
expect 2 '^tarvilo: opción desconocida: --abrir$' -- -platformtheme ninguno --abrir

[ "$failures" -eq 0 ] && echo "command line: all cases passed"
exit $((failures > 0))
