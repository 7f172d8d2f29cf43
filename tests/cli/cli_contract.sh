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

echo "$passes passed, $fails failed"
[ "$fails" -eq 0 ]
