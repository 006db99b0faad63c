#!/usr/bin/env bash
# What flushing a save costs on the largest exports: pixmere-cli converts the largest font the
# new-font dialog allows (codes 20-FF, 255 x 255) to C source (about 20 MB) and to a native file,
# five times as it is (the file and its folder flushed to disk) and five times under eatmydata,
# which turns the flushes into no-ops.
# Usage: bench/cli-save-flush.sh [path/to/pixmere-cli]    (needs the eatmydata package)
source "$(dirname "$0")/cli-bench-setup.sh"
if ! command -v eatmydata > /dev/null; then
    echo "needs eatmydata: apt-get install eatmydata" >&2
    exit 1
fi
run new big.pzf --width 255 --height 255
for out in big.c copy.pzf; do
    for _ in 1 2 3 4 5; do run convert big.pzf "$out"; done
    for _ in 1 2 3 4 5; do
        eatmydata /usr/bin/time -f "%e s wall, %M KB peak  (no flush) pixmere-cli convert big.pzf $out" \
            "$cli" convert big.pzf "$out"
    done
done
ls -l "$work"
