#!/usr/bin/env bash
# Wall time and peak memory of pixmere-cli on the largest font the new-font dialog allows
# (codes 20-FF, 255 x 255): creation, then a conversion to every output type.
# Usage: bench/cli-largest-font.sh [path/to/pixmere-cli]
set -euo pipefail
cli=${1:-build/src/cli/pixmere-cli}
cli=$(realpath "$cli")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
run() { /usr/bin/time -f "%e s wall, %M KB peak  pixmere-cli $*" "$cli" "$@"; }
run new big.pzf --width 255 --height 255
for out in copy.pzf big.bin big.c big.txt; do
    for _ in 1 2 3; do run convert big.pzf "$out"; done
done
ls -l "$work"
