#!/usr/bin/env bash
# The commands without a window, run as a user runs them, with no display
# at all: --calcular (results, "salida.txt", exit statuses) and --lote (rows
# good and bad, both separators, columns in any order, refused files, the
# output file replaced whole).
#   commands_test.sh PROGRAM
set -uo pipefail
program="$(realpath "$1")"
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

unset DISPLAY WAYLAND_DISPLAY QT_QPA_PLATFORM
export LC_ALL=C.UTF-8 LANG=C.UTF-8
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cd "$work"

# run ARGUMENTS: the program's status, standard output and error in
# $status, $out and $err.
run() {
    status=0
    "$program" "$@" >"$work/.out" 2>"$work/.err" || status=$?
    out="$(cat "$work/.out")"
    err="$(cat "$work/.err")"
}
# expect STATUS STREAM PATTERN -- ARGUMENTS
expect() {
    local wanted="$1" stream="$2" pattern="$3"
    shift 4
    run "$@"
    [ "$status" -eq "$wanted" ] || fail "tarvilo $*: status $status, not $wanted ($err)"
    local text="$out"
    [ "$stream" = err ] && text="$err"
    grep -qE -- "$pattern" <<<"$text" || fail "tarvilo $*: no $stream line matching '$pattern' in: $text"
}
case_file() { # NAME X B UINF PCARGA QCARGA QCAP
    printf '{"formato": "tarvilo-caso", "version": 1, "entradas": {"X": %s, "B": %s, "Uinf": %s, "Pcarga": %s, "Qcarga": %s, "Qcap": %s}}\n' \
        "$2" "$3" "$4" "$5" "$6" "$7" >"$1"
}

# --- --calcular ---------------------------------------------------------------
case_file base.tarvilo 0.03 3.33 1 10.48 0 0
case_file nosol.tarvilo 0.03 3.33 1 30 0 0
case_file cero.tarvilo 0 3.33 1 10.48 0 0
case_file texto.tarvilo 0.03 3.33 1 10.48 0 '"Error"'

run --calcular base.tarvilo
[ "$status" -eq 0 ] || fail "good case: status $status ($err)"
expected=$'Margen Q2\t5.6193\tp.u.\nV2 min\t.3144\tp.u.\nV2 sup\t.9991\tp.u.\nQ2 sup\t-1.662\tp.u.\nV2 inf\t.3312\tp.u.\nQ2 inf\t-.1827\tp.u.\nMargen QV\t5.6411\tp.u.\nPmax\t17.5429\tp.u.\nV2 en Pmax\t.7443\tp.u.'
[ "$out" = "$expected" ] || fail "good case printed: $out"
[ -z "$err" ] || fail "good case said on standard error: $err"
[ "$(wc -l <salida.txt)" -eq 303 ] && sed -n 4p salida.txt | grep -q '^5\.03842; 0\.59063; ' ||
    fail "good case: no salida.txt of the case"

LC_ALL=de_DE.UTF-8 run --calcular base.tarvilo
grep -qx $'V2 sup\t,9991\tp.u.' <<<"$out" || fail "regional separator: $out"
sed -n 4p salida.txt | grep -q '^5,03842; 0,59063; ' || fail "regional salida.txt: $(sed -n 4p salida.txt)"

expect 0 out '"V2sup": 0\.9991021252010436,' -- --calcular base.tarvilo --formato json
python3 -c 'import json, sys; json.loads(sys.argv[1])' "$out" || fail "not JSON: $out"

expect 3 err '^No existe punto solucion$' -- --calcular nosol.tarvilo
grep -qx $'V2 sup\tError\tp.u.' <<<"$out" || fail "no solution printed: $out"
expect 3 out '"V2sup": null,' -- --calcular nosol.tarvilo --formato json

rm -f salida.txt
expect 1 err '^División por cero al calcular el punto crítico\. ' -- --calcular cero.tarvilo
[ -z "$out" ] && [ ! -e salida.txt ] || fail "a fault before the curve file printed or wrote: $out"
expect 1 err '^El valor de Qcap no es un número\.' -- --calcular texto.tarvilo
expect 1 err '^No se pudo abrir el caso .*/falta\.tarvilo: el archivo no existe\.$' -- --calcular falta.tarvilo
mkdir sub sub/salida.txt
(cd sub && run --calcular ../base.tarvilo
    [ "$status" -eq 1 ] && grep -q 'salida.txt: en su lugar hay una carpeta' <<<"$err" ||
        fail "salida.txt a folder: status $status, $err")

expect 2 err '^tarvilo: falta el valor de --calcular$' -- --calcular
expect 2 err 'un solo caso' -- --calcular base.tarvilo nosol.tarvilo
expect 2 err '^tarvilo: formato desconocido: xml' -- --calcular base.tarvilo --formato xml
expect 2 err 'solo acompaña a --calcular' -- --formato json
expect 2 err 'no van juntos' -- --calcular base.tarvilo --lote a.csv
expect 2 err '^tarvilo: opción desconocida: --zzz$' -- --calcular base.tarvilo --zzz
expect 2 err 'como mucho una salida' -- --lote a.csv b.csv c.csv

# --- --lote ---------------------------------------------------------------------
header='Línea;X;B;Uinf;Pcarga;Qcarga;Qcap;MargenQ2;V2min;V2sup;Q2sup;V2inf;Q2inf;MargenQV;Pmax;V2Pmax;Observación'
base='5.619252187733334;0.3144;0.9991021252010436;-1.6620114192077677;0.33122735174706636;-0.18266974497804908;5.641137022742019;17.542936336684036;0.7442837547355903;'
printf 'X;B;Uinf;Pcarga;Qcarga;Qcap\n0.03;3.33;1;10.48;0;0\n0.03;3.33;1;abc;0;0\n\n0.03;3.33\n"0.03;3.33;1;10.48;0;0\n0.03;3.33;1;30;0;0\n0.03;3.33;1;10.48;0;0\n' >mixed.csv
run --lote mixed.csv
expected="$header
2;0.03;3.33;1;10.48;0;0;$base
3;0.03;3.33;1;abc;0;0;;;;;;;;;;El valor de Pcarga no es un número.
5;;;;;;;;;;;;;;;;La línea tiene 2 campos y la cabecera 6 columnas.
6;;;;;;;;;;;;;;;;Unas comillas de la línea no se cierran en ella.
7;0.03;3.33;1;30;0;0;-16.901766666666663;0.8999999999999999;;;;;-16.87988183165798;17.542936336684036;0.7442837547355903;No existe punto solucion
8;0.03;3.33;1;10.48;0;0;$base"
[ "$status" -eq 0 ] && [ "$out" = "$expected" ] || fail "bad rows in the middle: status $status, $out"

# Both separators, the columns in another order, CR LF and a byte-order mark:
# the same results.
printf 'X,B,Uinf,Pcarga,Qcarga,Qcap\n0.03,3.33,1,10.48,0,0\n' >comma.csv
expect 0 out "^2,0.03,3.33,1,10.48,0,0,${base//;/,}\$" -- --lote comma.csv
printf 'X;B;Uinf;Pcarga;Qcarga;Qcap\n0,03;3,33;1;10,48;0;0\n0.03;3.33;1;10.48;0;0\n' >regional.csv
LC_ALL=de_DE.UTF-8 run --lote regional.csv
[ "$(grep -c "^[23];.*;${base//./,}\$" <<<"$out")" -eq 2 ] || fail "\";\" with the regional separator: $out"
printf '\xEF\xBB\xBFQcap;Caso;Uinf;X;Qcarga;B;Pcarga\r\n0;"uno; dos";1;0.03;0;3.33;10.48\r\n' >order.csv
expect 0 out "^2;0;\"uno; dos\";1;0.03;0;3.33;10.48;$base\$" -- --lote order.csv
[ "$(sed -n 1p <<<"$out")" = 'Línea;Qcap;Caso;Uinf;X;Qcarga;B;Pcarga;MargenQ2;V2min;V2sup;Q2sup;V2inf;Q2inf;MargenQV;Pmax;V2Pmax;Observación' ] ||
    fail "the user's columns in their order: $(sed -n 1p <<<"$out")"

printf 'X;B;Uinf;Pcarga;Qcarga;Qcap\r\n' >header.csv
expect 0 out "^$header\$" -- --lote header.csv
[ "$(wc -l <<<"$out")" -eq 1 ] || fail "a header alone gave rows: $out"

: >empty.csv
expect 1 err '^No se pudo leer el lote .*/empty\.csv: el archivo está vacío' -- --lote empty.csv
[ -z "$out" ] || fail "an empty file gave: $out"
printf 'X;B;Uinf;Pcarga;Qcarga\n1;2;3;4;5\n' >missing.csv
expect 1 err 'missing\.csv: falta la columna Qcap ' -- --lote missing.csv
[ -z "$out" ] || fail "a missing column gave: $out"
printf 'X;B;Uinf;Pcarga;Qcarga;Qcap;X\n' >twice.csv
expect 1 err 'twice\.csv: la cabecera nombra dos veces la columna X\.$' -- --lote twice.csv
expect 1 err 'falta\.csv: el archivo no existe\.$' -- --lote falta.csv

# The output file: whole, with a byte-order mark for spreadsheets; never the
# input; untouched by a refused batch; not a folder.
echo previous >out.csv
expect 0 err '^$' -- --lote comma.csv out.csv
[ "$(head -c 3 out.csv | od -An -tx1 | tr -d ' ')" = efbbbf ] && grep -q "^2,0.03," out.csv || fail "out.csv: $(cat out.csv)"
echo previous >out.csv
expect 1 err 'missing\.csv: falta' -- --lote missing.csv out.csv
[ "$(cat out.csv)" = previous ] || fail "a refused batch changed out.csv"
cp comma.csv input.csv
expect 2 err 'es el de entrada' -- --lote input.csv ./input.csv
cmp -s comma.csv input.csv || fail "the input was replaced by its results"
mkdir folder.csv
expect 1 err 'folder\.csv: en su lugar hay una carpeta con ese nombre\.' -- --lote comma.csv folder.csv
[ -d folder.csv ] && [ "$(ls -A folder.csv)" = "" ] || fail "folder.csv changed"
leftovers="$(ls -A | grep -vE '^(\.out|\.err|[a-z]+\.(csv|tarvilo)|salida\.txt|sub)$')"
[ -z "$leftovers" ] || fail "files left behind: $leftovers"

[ "$failures" -eq 0 ] && echo "commands: all cases passed"
exit $((failures > 0))
