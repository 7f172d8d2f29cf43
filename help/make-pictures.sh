#!/usr/bin/env bash
# Draws the help's pictures with the kurvo command line: run it after a change to the drawing.
# Usage: help/make-pictures.sh [path/to/kurvo]   (default: build/src/cli/kurvo)
set -euo pipefail
cd "$(dirname "$0")/.."
K=$(realpath "${1:-build/src/cli/kurvo}")
out=help/images
start=$(mktemp -d); trap 'rm -rf "$start"' EXIT
"$K" init-data "$start" >/dev/null
r() { (cd "$start" && "$K" render --size 400x300 "$@" >/dev/null); }
r -o "$PWD/$out/graphs.png" "x^2" "1/x" "sqrt(x)"
r -o "$PWD/$out/trig.png" --x -6.283185,6.283185 --y -2,2 "sinx" "cos²x" "sin2x"
r --mode polar -o "$PWD/$out/polar.png" --x -3,3 --y -3,3 --square "2sin(3t)" "1+cos(t)"
r --parametric --t 0,6.283185 -o "$PWD/$out/parametric.png" "3sin(2t),3cos(3t)"
r --mode implicit -o "$PWD/$out/implicit.png" --x -6,6 --y -4.5,4.5 "x²+y²=9" "y²=x³-2x" 
r --mode implicit -o "$PWD/$out/inequality.png" --x -5,5 --y -4,4 "y<x²-2"
r --derived --integral -o "$PWD/$out/derived.png" --x -5,5 --y -4,4 "x³/3-x"
r --relation "y>" -o "$PWD/$out/shading.png" --x -5,5 --y -4,4 "x-1"
