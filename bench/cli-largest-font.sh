#!/usr/bin/env bash
# Wall time and peak memory of pixmere-cli on the largest font the new-font dialog allows
# (codes 20-FF, 255 x 255): creation, then a conversion to every output type.
# Usage: bench/cli-largest-font.sh [path/to/pixmere-cli]
source "$(dirname "$0")/cli-bench-setup.sh"
run new big.pzf --width 255 --height 255
for out in copy.pzf big.bin big.c big.txt; do
    for _ in 1 2 3; do run convert big.pzf "$out"; done
done
ls -l "$work"
