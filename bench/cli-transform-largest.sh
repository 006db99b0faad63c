#!/usr/bin/env bash
# Wall time and peak memory of pixmere-cli transform on the largest font the new-font dialog
# allows less one row and column (codes 20-FF, 254 x 254, so every geometry command is allowed):
# each geometry command, the four moves and a clear over the whole font, then a chain.
# Usage: bench/cli-transform-largest.sh [path/to/pixmere-cli]
source "$(dirname "$0")/cli-bench-setup.sh"
run new big.pzf --width 254 --height 254 --first 20 --last FF
run convert big.pzf copy.pzf
for op in add-row-top add-row-bottom add-column-left add-column-right \
          remove-row-top remove-row-bottom remove-column-left remove-column-right \
          move-up:20-FF move-down:20-FF move-left:20-FF move-right:20-FF clear:20-FF; do
    run transform big.pzf out.pzf "$op"
done
run transform big.pzf out.pzf add-column-left add-row-top move-right:20-FF move-down:20-FF \
    remove-column-right remove-row-bottom
