#!/usr/bin/env bash
# Wall time and peak memory of pixmere-cli ttf converting DejaVu Sans, codes 20-FF: 16 x 16 with
# four shifts and 255 x 255 (the largest cell) with eight, in both fittings, three runs each.
# Usage: bench/cli-ttf.sh [path/to/pixmere-cli]
source "$(dirname "$0")/cli-bench-setup.sh"
for fit in x face; do
    for _ in 1 2 3; do
        run ttf small.pzf --face "DejaVu Sans" --width 16 --height 16 --downstroke 3 \
            --shifts 4 --fit "$fit"
    done
    for _ in 1 2 3; do
        run ttf large.pzf --face "DejaVu Sans" --width 255 --height 255 --downstroke 51 \
            --shifts 8 --fit "$fit"
    done
done
