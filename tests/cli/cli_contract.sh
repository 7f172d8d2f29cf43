#!/usr/bin/env bash
# The kurvo command line contract, checked from outside: output lines and exit statuses.
set -u
K=${KURVO:?set KURVO to the kurvo binary}
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
$K translate --decimal ab x >/dev/null 2>&1; check "translate bad --decimal" 2 $?
$K translate --thousands >/dev/null 2>&1; check "translate missing value" 2 $?
$K translate --bogus x >/dev/null 2>&1; check "translate bad option" 2 $?
$K translate >/dev/null 2>&1; check "translate no text" 2 $?
$K translate --help | grep -q "Usage: kurvo translate"; check "translate help" 0 $?
out=$($K translate -- --x); check "translate after --" "(0--x)${T}ycount=0${T}root=F${T}second=" "$out"

echo "$passes passed, $fails failed"
[ "$fails" -eq 0 ]
