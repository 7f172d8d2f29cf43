#!/usr/bin/env bash
# The kurvo command line contract, checked from outside: output lines and exit statuses.
set -u
K=$(realpath "${KURVO:?set KURVO to the kurvo binary}")
fails=0; passes=0
check() { # name expected actual
  if [ "$2" == "$3" ]; then passes=$((passes+1)); else fails=$((fails+1)); printf 'FAIL %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"; fi
}

out=$($K eval --set x=3 "x^2" "-x^2" "sinx"); rc=$?
check "eval values and error line" $'9\n-9\n!ESyntaxError: Error parsing expression: | SINX' "$out"
check "eval failure exit status" 1 "$rc"
out=$($K eval --set X=0 "1/x"); check "eval zero divide" "!EZeroDivide: Floating point division by zero" "$out"
out=$($K eval "1E20" "0.00001" "1.5E-7" "1/3"); check "eval number text" $'1E20\n0.00001\n1.5E-7\n0.333333333333333' "$out"
out=$($K eval --function F=X^2 --set x=3 "F(X+1)"); check "eval user function" "16" "$out"
out=$($K eval --polar --function F=T*2 --set t=5 "F(T)"); check "eval polar user function" "10" "$out"
out=$($K eval "max(x,2)"); rc=$?; check "eval success exit" 0 "$rc"; check "eval max" 2 "$out"
$K eval --bogus x >/dev/null 2>&1; check "eval bad option" 2 $?
$K eval --set q >/dev/null 2>&1; check "eval bad --set" 2 $?
$K eval >/dev/null 2>&1; check "eval no expression" 2 $?
$K eval --help | grep -q "Usage: kurvo eval"; check "eval help" 0 $?
out=$($K eval -- "-x^2"); check "eval after --" "0" "$out"
$K nonsense >/dev/null 2>&1; check "unknown subcommand" 2 $?

# kurvo init-data
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
T=$(mktemp -d); trap 'rm -rf "$T"' EXIT
out=$($K init-data "$T/start"); rc=$?
check "init-data exit" 0 "$rc"
check "init-data summary" "Wrote 17 files into $T/start/data" "$out"
check "init-data file count" 17 "$(ls "$T/start/data" | wc -l)"
check "init-data settings size" 1504 "$(wc -c < "$T/start/data/sett.dat")"
check "init-data toolbar size" 45 "$(wc -c < "$T/start/data/tbrcfg.dat")"
check "init-data CR LF lists" "y=" "$(head -n1 "$T/start/data/carttyp.txt" | tr -d '\r')"
diff -r "$T/start/data" "$ROOT/data" >/dev/null; check "init-data equals the shipped data folder" 0 $?
echo changed > "$T/start/data/Polar.txt"
err=$($K init-data "$T/start" 2>&1 >/dev/null); rc=$?
check "init-data refuses to overwrite" 1 "$rc"
case "$err" in "kurvo init-data: $T/start/data/"*" exists already (use --force to overwrite)") r=ok;; *) r="$err";; esac
check "init-data refusal names the file" ok "$r"
check "init-data refusal leaves the file" changed "$(cat "$T/start/data/Polar.txt")"
$K init-data --force "$T/start" >/dev/null; check "init-data --force exit" 0 $?
check "init-data --force rewrites" "2sin(3t)" "$(head -n1 "$T/start/data/Polar.txt" | tr -d '\r')"
$K init-data >/dev/null 2>&1; check "init-data without folder" 2 $?
$K init-data "$T/a" "$T/b" >/dev/null 2>&1; check "init-data two folders" 2 $?
$K init-data --bogus "$T/a" >/dev/null 2>&1; check "init-data bad option" 2 $?
$K init-data --help | grep -q "Usage: kurvo init-data"; check "init-data help" 0 $?
touch "$T/file"; $K init-data "$T/file" >/dev/null 2>&1; check "init-data into a file" 1 $?

# kurvo render
R=$(mktemp -d)
out=$(cd "$R" && $K render -o "$R/a.png" --size 400x300 "x^2" "1/x" 2>"$R/err"); rc=$?
check "render exit" 0 "$rc"
check "render view" "view: -10 10 -7 7" "$out"
check "render png magic" "89504e47" "$(head -c 4 "$R/a.png" | od -An -tx1 | tr -d ' \n')"
check "render quiet when all is well" "" "$(grep '^message:' "$R/err")"
out=$(cd "$R" && $K render -o "$R/b.bmp" --x -3/2,1/3 --y "-2,2" "x" 2>/dev/null)
check "render ranges as expressions" "view: -1.5 0.333333 -2 2" "$out"
check "render bmp magic" "BM" "$(head -c 2 "$R/b.bmp")"
err=$(cd "$R" && $K render -o "$R/c.png" "x+" 2>&1 >/dev/null); rc=$?
check "render reports a bad formula as a message" 0 "$rc"
case "$err" in *"message: Error parsing expression: | (X+)"*) r=ok;; *) r="$err";; esac
check "render message text" ok "$r"
out=$(cd "$R" && $K render --mode polar -o "$R/d.png" "2sin(3t)" 2>/dev/null); check "render polar" "view: -10 10 -7 7" "$out"
out=$(cd "$R" && $K render --mode implicit -o "$R/e.png" "x^2+y^2<4" 2>/dev/null); check "render implicit" "view: -10 10 -7 7" "$out"
out=$(cd "$R" && $K render --parametric -o "$R/f.png" "cos(t),sin(t)" 2>/dev/null); check "render parametric" "view: -10 10 -7 7" "$out"
$K render "x" >/dev/null 2>&1; check "render without -o" 2 $?
out=$(cd "$R" && $K render -o "$R/g.gif" --size 300x200 "x^2" 2>/dev/null); check "render gif" "view: -10 10 -7 7" "$out"
check "render gif magic" "GIF8" "$(head -c 4 "$R/g.gif")"
$K render -o "$R/x.jpg" "x" >/dev/null 2>&1; check "render unknown picture type" 2 $?
$K render --mode sideways -o "$R/x.png" >/dev/null 2>&1; check "render bad mode" 2 $?
$K render --size 10 -o "$R/x.png" >/dev/null 2>&1; check "render bad size" 2 $?
$K render -o /nonexistent/dir/x.png "x" >/dev/null 2>&1; check "render unwritable picture" 1 $?
$K render --help | grep -q "Usage: kurvo render"; check "render help" 0 $?
# the options beyond the settings record, and the device pixel ratio
(cd "$R" && $K render -o "$R/s2.png" --size 200x100 --scale 2 "x" >/dev/null 2>&1); check "render --scale exit" 0 $?
check "render --scale doubles the picture" "00000190000000c8" "$(head -c 24 "$R/s2.png" | tail -c 8 | od -An -tx1 | tr -d ' \n')"
$K render --scale 0 -o "$R/x.png" "x" >/dev/null 2>&1; check "render bad --scale" 2 $?
$K render --antialias maybe -o "$R/x.png" "x" >/dev/null 2>&1; check "render bad --antialias" 2 $?
$K render --implicit-curves dots -o "$R/x.png" "x" >/dev/null 2>&1; check "render bad --implicit-curves" 2 $?
(cd "$R" && $K render --mode implicit --implicit-curves rows --antialias off -o "$R/r1.png" "x^2+y*y=25" >/dev/null 2>&1)
(cd "$R" && $K render --mode implicit --implicit-curves smooth --antialias off -o "$R/r2.png" "x^2+y*y=25" >/dev/null 2>&1)
cmp -s "$R/r1.png" "$R/r2.png"; check "render --implicit-curves chooses the plotter" 1 $?
(cd "$R" && $K render --antialias on -o "$R/a1.png" "x/3" >/dev/null 2>&1)
(cd "$R" && $K render --antialias off -o "$R/a2.png" "x/3" >/dev/null 2>&1)
cmp -s "$R/a1.png" "$R/a2.png"; check "render --antialias changes the curve" 1 $?
$K render --help | grep -q -- "--implicit-curves smooth|rows"; check "render help names --implicit-curves" 0 $?
rm -rf "$R"
# kurvo translate
T=$'\t'
out=$($K translate --decimal . --thousands "" 2x "sin²x" "|x-1|" "3!" "f'(x)" -x^2); rc=$?
check "translate examples" "(2*x)${T}ycount=0${T}root=F${T}second=
(SINSQ(x))${T}ycount=0${T}root=F${T}second=
(ABS(x-1))${T}ycount=0${T}root=F${T}second=
(6)${T}ycount=0${T}root=F${T}second=
DIFF((F(x)))${T}ycount=0${T}root=F${T}second=
(0-x^2)${T}ycount=0${T}root=F${T}second=" "$out"
check "translate success exit" 0 "$rc"
out=$($K translate "y²=x²+1"); check "translate relation, UTF-8 out" "(SQRT(0-(0-(x^2+1))))${T}ycount=1${T}root=T${T}second=-sqrt(0-(-(x²+1)))" "$out"
out=$($K translate "x^2+y*y=25" "x=3"); check "translate implicit form" "(x^2+y*y-(25))${T}ycount=2${T}root=F${T}second=
(x-(3))${T}ycount=0${T}root=F${T}second=" "$out"
out=$($K translate --simple-sort "y=x+1"); check "translate --simple-sort" "(y-(x+1))${T}ycount=1${T}root=F${T}second=" "$out"
out=$($K translate --degrees "sin(x)" "arctan(x)"); check "translate --degrees" "(SINRAD(x))${T}ycount=0${T}root=F${T}second=
(DEGATAN(x))${T}ycount=0${T}root=F${T}second=" "$out"
out=$($K translate --decimal , --thousands . "1.000,5x"); check "translate separators" "(1000.5*x)${T}ycount=0${T}root=F${T}second=" "$out"
out=$($K translate "1,5x"); check "translate default separators (C locale)" "(1,5*x)${T}ycount=0${T}root=F${T}second=" "$out"
out=$($K translate "171!" "2x"); rc=$?
check "translate error line" "!ETranslateError: Factorial too large: 171!
(2*x)${T}ycount=0${T}root=F${T}second=" "$out"
check "translate failure exit" 1 "$rc"
out=$($K translate "x!"); check "translate conversion error" "!EConvertError: '' is not a valid integer value" "$out"
# What the translation says, evaluated: both branches of the circle at x=3.
first=$($K translate "x²+y²=25" | cut -f1); second=$($K translate "x²+y²=25" | cut -f4); second=${second#second=}
check "translated branch evaluates" 4 "$($K eval --set x=3 "$first")"
check "second branch evaluates" -4 "$($K eval --set x=3 "$($K translate "$second" | cut -f1)")"
check "solved relation evaluates" 2 "$($K eval --set x=7 "$($K translate "3y+1=x" | cut -f1)")"
check "translation evaluates" 12 "$($K eval --set x=2 "$($K translate "3!x" | cut -f1)")"
check "factorial before a number" 12 "$($K eval "$($K translate "3!2" | cut -f1)")"
out=$($K translate "2π" "√(x+1)"); check "translate typed pi and root" "(2*p)${T}ycount=0${T}root=F${T}second=
(SQRT(x+1))${T}ycount=0${T}root=F${T}second=" "$out"
check "eval typed root" 3 "$($K eval --set x=9 "√(x)")"
check "eval TANH overflows as SINH does" "!EOverflow: Floating point overflow" "$($K eval "TANH(800)")"
$K translate --decimal ab x >/dev/null 2>&1; check "translate bad --decimal" 2 $?
$K translate --thousands >/dev/null 2>&1; check "translate missing value" 2 $?
$K translate --bogus x >/dev/null 2>&1; check "translate bad option" 2 $?
$K translate >/dev/null 2>&1; check "translate no text" 2 $?
$K translate --help | grep -q "Usage: kurvo translate"; check "translate help" 0 $?
out=$($K translate -- --x); check "translate after --" "(0--x)${T}ycount=0${T}root=F${T}second=" "$out"

echo "$passes passed, $fails failed"
[ "$fails" -eq 0 ]
