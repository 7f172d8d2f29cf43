#!/usr/bin/env bash
# The kurvo command line contract, checked from outside: output lines and exit statuses.
set -u
K=$(realpath "${KURVO:?set KURVO to the kurvo binary}")
fails=0; passes=0
check() { # name expected actual
  if [ "$2" == "$3" ]; then passes=$((passes+1)); else fails=$((fails+1)); printf 'FAIL %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"; fi
}
# The pixels where two BMP pictures of one size differ: "XMIN XMAX YMIN YMAX N" (pixel columns and
# rows, row 0 at the top; N changed pixels inside columns X0..X1 and rows Y0..Y1 when given), or
# "none". The pictures are written as BMP so their bytes can be read without an image library.
diffbox() {
  local offset width height bits
  offset=$(od -An -tu4 -j10 -N4 "$1")
  read -r width height < <(od -An -td4 -j18 -N8 "$1")
  bits=$(od -An -tu2 -j28 -N2 "$1")
  cmp -l "$1" "$2" | awk -v off="$offset" -v w="$width" -v h="$height" -v bpp=$((bits / 8)) \
      -v x0="${3:--1}" -v x1="${4:--1}" -v y0="${5:--1}" -v y1="${6:--1}" '
    BEGIN { stride = int((w * bpp + 3) / 4) * 4; n = 0 }
    {
      p = $1 - 1 - off; if (p < 0) next
      row = int(p / stride); col = int((p % stride) / bpp)
      y = h > 0 ? h - 1 - row : row
      key = col "," y; if (key in seen) next; seen[key] = 1
      if (n == 0 || col < xmin) xmin = col; if (n == 0 || col > xmax) xmax = col
      if (n == 0 || y < ymin) ymin = y; if (n == 0 || y > ymax) ymax = y
      n++
      if (col >= x0 && col <= x1 && y >= y0 && y <= y1) inside++
    }
    END { if (n == 0) print "none"; else print xmin, xmax, ymin, ymax, inside + 0 }'
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
check "render reports a bad formula as a failure" 1 "$rc"
case "$err" in *"message: Error parsing expression: | (X+)"*) r=ok;; *) r="$err";; esac
check "render message text" ok "$r"
# Each mode draws its graph where it belongs: the pixels that differ from the same view without
# the graph lie in the graph's box. 400x280 pixels for -10..10 by -7..7: 20 pixels a unit, the
# origin at (200,140). The lines are two pixels wide, the box may be a pixel larger on each side.
near() { # name "XMIN XMAX YMIN YMAX" actual-box [least pixels inside]
  local r=ok e a i
  read -r -a e <<<"$2"; read -r -a a <<<"$3"
  if [ "${#a[@]}" -ne 5 ]; then r="$3"; else
    for i in 0 1 2 3; do [ $(( a[i] - e[i] )) -ge -2 ] && [ $(( a[i] - e[i] )) -le 2 ] || r="$3"; done
    [ "${a[4]}" -ge "${4:-0}" ] || r="$3"
  fi
  check "$1" ok "$r"
}
graphbox() { # mode-options formula [inner box]; sets out (the view line) and box
  (cd "$R" && $K render $1 --size 400x280 --antialias off -o "$R/blank.bmp" >/dev/null 2>&1)
  out=$(cd "$R" && $K render $1 --size 400x280 --antialias off -o "$R/graph.bmp" "$2" 2>/dev/null)
  box=$(diffbox "$R/blank.bmp" "$R/graph.bmp" ${3:-})
}
graphbox "--mode polar" "2sin(3t)"
check "render polar view" "view: -10 10 -7 7" "$out"
# The three petals of r = 2sin(3t): x within +-1.76, y from -2 (the petal at 270 degrees) to 1.125.
near "render polar draws the rose" "165 235 118 180" "$box"
# The disc x²+y² < 4: its dashed circle of radius 2, and its shading inside.
graphbox "--mode implicit" "x^2+y^2<4" "185 215 125 155"
check "render implicit view" "view: -10 10 -7 7" "$out"
near "render implicit draws the disc and shades it" "160 240 100 180" "$box" 5
graphbox "--mode implicit" "x^2+y^2=4" "185 215 125 155"
near "render implicit equation draws the circle alone" "160 240 100 180" "$box"
check "render implicit equation shades nothing" 0 "$(echo "$box" | cut -d' ' -f5)"
# The parametric pair (cos t, sin t) for t from 0 to 2 pi: the unit circle.
graphbox "--parametric" "cos(t),sin(t)"
check "render parametric view" "view: -10 10 -7 7" "$out"
near "render parametric draws the unit circle" "180 220 120 160" "$box"
$K render "x" >/dev/null 2>&1; check "render without -o" 2 $?
out=$(cd "$R" && $K render -o "$R/g.gif" --size 300x200 "x^2" 2>/dev/null); check "render gif" "view: -10 10 -7 7" "$out"
check "render gif magic" "GIF8" "$(head -c 4 "$R/g.gif")"
$K render -o "$R/x.jpg" "x" >/dev/null 2>&1; check "render unknown picture type" 2 $?
(cd "$R" && $K render -o "$R/v.svg" --size 300x200 "x^2" "1/x" >/dev/null 2>&1); check "render svg exit" 0 $?
check "render svg is XML" "<?xml" "$(head -c 5 "$R/v.svg")"
check "render svg size" 'viewBox="0 0 300 200"' "$(grep -o 'viewBox="[^"]*"' "$R/v.svg")"
(cd "$R" && $K render --legend -o "$R/legend.svg" --size 300x200 "x^2" "1/x" >/dev/null 2>&1); check "render --legend exit" 0 $?
check "render --legend names each formula once" "2" "$(grep -c -e '>x^2</text>' -e '>1/x</text>' "$R/legend.svg")"
check "render without --legend has no legend" "0" "$(grep -c '>1/x</text>' "$R/v.svg")"
(cd "$R" && $K render -o "$R/v.PDF" --size 300x200 "x^2" >/dev/null 2>&1); check "render pdf exit" 0 $?
check "render pdf magic" "%PDF" "$(head -c 4 "$R/v.PDF")"
$K render --mode sideways -o "$R/x.png" >/dev/null 2>&1; check "render bad mode" 2 $?
out=$(cd "$R" && $K render --auto-y --x -3,3 -o "$R/h.png" "x^2" 2>/dev/null); check "render auto-y fit" "view: -3 3 -1.26 12.6" "$out"
out=$(cd "$R" && $K render --auto-y --mode implicit -o "$R/i.png" "x^2+y^2=-1" 2>"$R/err")
check "render auto-y without points keeps the view" "view: -10 10 -7 7" "$out"
check "render auto-y asks for a wider domain" "message: There are no plotable points in this domain.  Click on Yes to try a wider domain." "$(cat "$R/err")"
out=$(cd "$R" && $K render --x 3,1 -o "$R/j.png" "x" 2>"$R/err"); check "render reversed x range exit" 1 $?
check "render names the field" "message: The x max field must be greater than the x min field." "$(head -n 1 "$R/err")"
$K render --help | grep -q -- "--auto-y"; check "render help lists --auto-y" 0 $?
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
# Failures are never success: each bad input with its status, its one line on standard error, and
# whether a picture (or table) is there afterwards. Columns: status, picture, the line, arguments.
bad() {
  local name=$1 status=$2 picture=$3 line=$4; shift 4
  rm -f "$R/bad.png" "$R/bad.csv"
  (cd "$R" && "$K" "$@" >/dev/null 2>"$R/err"); local rc=$?
  check "$name: status" "$status" "$rc"
  check "$name: said once" "$line" "$(cat "$R/err")"
  local left=no; [ -e "$R/bad.png" ] || [ -e "$R/bad.csv" ] && left=yes
  check "$name: picture" "$picture" "$left"
}
bad "bad formula"       1 yes "message: Error parsing expression: | (X^^2+)" render -o bad.png "x^^2+"
bad "open bracket"      1 yes "message: Missing brackets in expression" render -o bad.png "sin("
bad "empty formula"     1 yes "message: An empty formula cannot be drawn." render -o bad.png ""
bad "bad after good"    1 yes "message: Missing brackets in expression" render -o bad.png "x" "2x+)"
bad "too long formula"  1 yes "message: This formula is too long: a formula can have at most 255 characters." render -o bad.png "x" "$(printf '1+%.0s' {1..128})x"
bad "reversed x"        1 no  "message: The x max field must be greater than the x min field." render -o bad.png --x 5,1 "x"
bad "empty y"           1 no  "message: The y max field must be greater than the y min field." render -o bad.png --y 3,3 "x"
bad "empty polar t"     1 no  "message: The t max field must be greater than the t min field." render -o bad.png --mode polar --t 2,2 "2"
bad "unreadable field"  1 no  "message: The x min field cannot be evaluated: Error parsing expression: | (Q+)" render -o bad.png --x q+,1 "x"
bad "plot step 0"       1 no  "message: The plot step must be at least 32" render -o bad.png --steps 0 "x"
bad "plot step text"    1 no  "message: Plot step: 'abc' is not a valid integer value" render -o bad.png --steps abc "x"
bad "plot step empty"   1 no  "message: Plot step: '' is not a valid integer value" render -o bad.png --steps "" "x"
bad "plot step huge"    1 no  "message: The plot step must be at most 1000000" render -o bad.png --steps 1000001 "x"
(cd "$R" && $K render -o "$R/g.png" --save-graph "$R/g.kvo" "x^2" "2x" >/dev/null 2>&1)
sed -i 's/^2x\r$/2x+)\r/' "$R/g.kvo"
bad "graph file formula" 1 yes $'message: These graphs of g.kvo cannot be drawn:\n2x+): Missing brackets in expression' render -o bad.png --graph g.kvo
bad "size of three"     2 no  "kurvo render: --size wants WxH, two whole numbers such as 800x600, not '800x600x3'" render -o bad.png --size 800x600x3 "x"
bad "size fraction"     2 no  "kurvo render: --size wants WxH, two whole numbers such as 800x600, not '800.5x600'" render -o bad.png --size 800.5x600 "x"
bad "size signed"       2 no  "kurvo render: --size wants WxH, two whole numbers such as 800x600, not '+800x600'" render -o bad.png --size +800x600 "x"
bad "size too large"    2 no  "kurvo render: --size must lie between 16x16 and 10000x10000, not '99999999999x600'" render -o bad.png --size 99999999999x600 "x"
bad "empty scale"       2 no  "kurvo render: --scale wants a number such as 1.5, not ''" render -o bad.png --scale "" "x"
bad "scale text"        2 no  "kurvo render: --scale wants a number such as 1.5, not '2x'" render -o bad.png --scale 2x "x"
bad "bad relation"      2 no  "kurvo render: --relation wants y>, y>=, y< or y<=, not 'y>>'" render -o bad.png --relation "y>>" "x"
bad "bad render mode"   2 no  "kurvo render: --mode wants cartesian, polar or implicit, not 'Polar'" render -o bad.png --mode Polar "x"
bad "table mode"        2 no  "kurvo table: --mode wants cartesian or polar, not 'implicit'" table -o bad.csv --mode implicit --from 0 --to 1 "x"
bad "table comma from"  2 no  "kurvo table: --from wants a number such as 1.5, not '1,5'" table -o bad.csv --from 1,5 --to 2 "x"
bad "table empty step"  2 no  "kurvo table: --step wants a number such as 1.5, not ''" table -o bad.csv --from 0 --to 1 --step "" "x"
bad "fit degree"        2 no  "kurvo fit: --degree wants a whole number from 0 to 8, not '2.5'" fit --degree 2.5 a.csv
bad "eval value"        2 no  "kurvo eval: --set x=1,5: '1,5' is not a plain decimal number" eval --set x=1,5 "x"
bad "translate sep"     2 no  "kurvo translate: --decimal wants one character or an empty value, not 'ab'" translate --decimal ab "x"
bad "stats option"      2 no  "kurvo stats: unknown option --degree" stats --degree 2 a.csv
# The graphs that could be drawn are drawn as without the failing formula.
(cd "$R" && $K render -o "$R/good.png" "x" >/dev/null 2>&1)
(cd "$R" && $K render -o "$R/part.png" "x" "2x+)" >/dev/null 2>&1)
cmp -s "$R/good.png" "$R/part.png"; check "render draws the good graphs of a failing run" 0 $?
# A refused run leaves an older picture as it was.
cp "$R/good.png" "$R/old.png"
(cd "$R" && $K render -o "$R/old.png" --steps 0 "x^2" >/dev/null 2>&1)
cmp -s "$R/good.png" "$R/old.png"; check "render refused keeps the older picture" 0 $?
$K render --help | grep -q "no picture is written"; check "render help says the statuses" 0 $?
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

# kurvo stats and kurvo fit
D=$(mktemp -d)
printf 'x,y\r\n1,2\r\n2,4\r\n3,6\r\n' > "$D/a.csv"
printf 'x\ty\n0\t1\n1\t3\n2\t5\n' > "$D/b.tsv"
printf 'h\n1,2\nfoo,3\n' > "$D/bad.csv"
printf 'h\n#\n' > "$D/empty.sid"
printf 'h\n2,1\n2,3\n2,5\n' > "$D/samex.csv"
out=$($K stats "$D/a.csv"); rc=$?
check "stats worked example" "num_pts${T}3
sumx${T}6
sumxsqu${T}14
meanx${T}2
sampsdx${T}1
popsdx${T}0.81649658
sumy${T}12
sumysqu${T}56
meany${T}4
sampsdy${T}2
popsdy${T}1.6329932
meandiff${T}-2
sddiff${T}1
corr_coeff${T}1" "$out"
check "stats exit" 0 "$rc"
check "stats pools files" "num_pts${T}6" "$($K stats "$D/a.csv" "$D/b.tsv" | head -n1)"
out=$($K fit "$D/b.tsv"); rc=$?
check "fit worked example" "linear${T}2x+1
linear_quality${T}1.00
poly${T}1+2x+0x^2
poly_quality${T}1.00" "$out"
check "fit exit" 0 "$rc"
out=$($K fit --degree 3 "$D/b.tsv" 2>"$D/err"); rc=$?
check "fit degree too high leaves poly empty" "linear${T}2x+1
linear_quality${T}1.00
poly${T}
poly_quality${T}" "$out"
check "fit degree too high exit" 0 "$rc"
check "fit says why" "kurvo fit: A polynomial of degree 3 needs at least 4 points." "$(cat "$D/err")"
out=$($K fit "$D/samex.csv" 2>"$D/err"); check "fit same x" "linear${T}" "$(echo "$out" | head -n1)"
check "fit same x says no line" "kurvo fit: No line can be fitted: all the points have the same x value." "$(head -n1 "$D/err")"
out=$($K stats "$D/bad.csv"); rc=$?
check "stats bad point line" "!EConvertError: $D/bad.csv, line 3: \"foo,3\" is not a pair of numbers x,y" "$out"
check "stats bad point exit" 1 "$rc"
out=$($K stats "$D/missing.csv"); rc=$?
case "$out" in "!EInOutError: "*"missing.csv"*) r=ok;; *) r="$out";; esac
check "stats unreadable file is an error line" ok "$r"; check "stats unreadable exit" 1 "$rc"
out=$($K stats "$D/a.xyz"); check "stats unknown file kind" 1 $?
err=$($K stats "$D/empty.sid" 2>&1 >/dev/null); rc=$?
check "stats no points" "kurvo stats: There are no data points." "$err"; check "stats no points exit" 1 "$rc"
err=$($K fit "$D/empty.sid" 2>&1 >/dev/null); rc=$?
check "fit no points" "kurvo fit: There are no data points." "$err"; check "fit no points exit" 1 "$rc"
$K fit --degree 9 "$D/a.csv" >/dev/null 2>&1; check "fit bad degree" 2 $?
$K stats >/dev/null 2>&1; check "stats without file" 2 $?
$K stats --bogus "$D/a.csv" >/dev/null 2>&1; check "stats bad option" 2 $?
$K stats --help | grep -q "Usage: kurvo stats"; check "stats help" 0 $?
$K fit --help | grep -q "Usage: kurvo fit"; check "fit help" 0 $?
rm -rf "$D"
# kurvo table: the sample export's bytes; kurvo render with graph and data-set files
G=$(mktemp -d)
out=$(cd "$G" && $K table --from -1 --to 1 --step 1 "x^2" | od -An -c | tr -s ' ' | tr -d '\n')
check "table bytes with CR LF" " x , y \r \n - 1 , 1 \r \n 0 , 0 \r \n 1 , 1 \r \n" "$out"
out=$(cd "$G" && $K table --from -1 --to 1 --step 1 "1/x" | tr -d '\r'); check "table leaves out x=0 of 1/x" $'x,y\n-1,-1\n1,1' "$out"
out=$(cd "$G" && $K table --tsv --from 0 --to 1 --step 0.5 "2x" | tr -d '\r'); check "table --tsv" $'x\ty\n0\t0\n0.5\t1\n1\t2' "$out"
out=$(cd "$G" && $K table --mode polar --from 0 --to 0 "2" | tr -d '\r'); check "table polar" $'x,y\n2,0' "$out"
out=$(cd "$G" && $K table --parametric --from 1 --to 2 --step 1 "t,3t" | tr -d '\r'); check "table parametric" $'x,y\n1,3\n2,6' "$out"
(cd "$G" && $K table --from 0 --to 2 --step 0.5 -o "$G/t.csv" "x^3") ; check "table -o exit" 0 $?
cmp -s "$G/t.csv" <(cd "$G" && $K table --from 0 --to 2 --step 0.5 "x^3"); check "table -o writes the same bytes" 0 $?
(cd "$G" && $K table --from 0 --to 1 --step 0 "x" >/dev/null 2>&1); check "table step 0 refused" 2 $?
(cd "$G" && $K table --from 0 --to 1 --step -1 "x" >/dev/null 2>&1); check "table negative step refused" 2 $?
err=$(cd "$G" && $K table --from 0 --to 2 --step 1e-6 "x" 2>&1 >/dev/null); rc=$?
check "table refuses more than a million rows" 1 "$rc"
case "$err" in *"2000001 rows"*) r=ok;; *) r="$err";; esac; check "table row count message" ok "$r"
(cd "$G" && $K table --from 1E20 --to 1E20 "x" >/dev/null 2>&1); check "table step lost in rounding" 1 $?
err=$(cd "$G" && $K table --from 0 --to 1 "x+" 2>&1 >/dev/null); rc=$?
check "table bad formula" 1 "$rc"; check "table bad formula line" "!ESyntaxError: Error parsing expression: | (X+)" "$err"
(cd "$G" && $K table --to 1 "x" >/dev/null 2>&1); check "table without --from" 2 $?
(cd "$G" && $K table --from a --to 1 "x" >/dev/null 2>&1); check "table --from not a number" 2 $?
$K table --help | grep -q "Usage: kurvo table"; check "table help" 0 $?
printf 'time,height\r\n1,2\r\n2,3\r\nbad line\r\n3,5' > "$G/m.csv"
err=$(cd "$G" && $K render -o "$G/d.png" --data "$G/m.csv" --save-graph "$G/s.kvo" "x" 2>&1 >/dev/null); rc=$?
check "render --data exit" 0 "$rc"
case "$err" in *"message: 1 line was left out:"*"m.csv, line 4: \"bad line\""*) r=ok;; *) r="$err";; esac
check "render --data reports the bad line" ok "$r"
check "render --save-graph header" "Kurvofile  Created with Kurvo32 v1.0 (32 bit Windows version)" "$(head -n1 "$G/s.kvo" | tr -d '\r')"
check "render --save-graph data lines" $'x\n###Datasets\n1,2\n2,3\n3,5\n#' "$(tail -n6 "$G/s.kvo" | tr -d '\r')"
out=$(cd "$G" && $K render -o "$G/e.png" --graph "$G/s.kvo" --save-graph "$G/s2.kvo" 2>&1); rc=$?
check "render --graph exit" 0 "$rc"
cmp -s "$G/s.kvo" "$G/s2.kvo"; check "render --graph then --save-graph gives the same file" 0 $?
head -n 41 "$G/s.kvo" > "$G/cut.kvo"
err=$(cd "$G" && $K render -o "$G/f.png" --graph "$G/cut.kvo" 2>&1 >/dev/null); rc=$?
check "render --graph damaged" 1 "$rc"
case "$err" in *"cut.kvo, line 42"*) r=ok;; *) r="$err";; esac; check "render --graph names the line" ok "$r"
$K render -o "$G/g.png" --data "$G/m.doc" >/dev/null 2>&1; check "render --data unknown ending" 2 $?
$K render -o "$G/g.png" --graph "$G/m.KVO" >/dev/null 2>&1; check "render --graph upper-case ending" 2 $?
rm -rf "$G"

echo "$passes passed, $fails failed"
[ "$fails" -eq 0 ]
