#!/usr/bin/env bash
# CPU time (user + system, the whole process) of pixmere-cli exporting the largest font (codes
# 20-FF, 255 x 255, magnification 5) to C in every layout and to GFX, and importing each file
# back. Each line is the mean of RUNS runs (10 by default) in milliseconds; the C export in the
# default layout is the reference the others are measured against. Build in release mode
# (-DCMAKE_BUILD_TYPE=Release) for numbers worth comparing.
# Usage: bench/cli-firmware-layouts.sh [path/to/pixmere-cli]
source "$(dirname "$0")/cli-bench-setup.sh"
runs=${RUNS:-10}

# Mean CPU milliseconds of one call: perf's task clock when perf is there, getrusage's user
# and system times (10 ms steps) through /usr/bin/time otherwise.
cpu_ms() {
    if command -v perf > /dev/null; then
        perf stat -x, -r "$runs" -e task-clock "$cli" "$@" 2>&1 > /dev/null |
            awk -F, '$3 == "task-clock" { printf "%.1f", $1 }'
    else
        local total=0 t
        for _ in $(seq "$runs"); do
            t=$(/usr/bin/time -f "%U %S" "$cli" "$@" 2>&1 > /dev/null | tail -1 |
                awk '{ print ($1 + $2) * 1000 }')
            total=$(awk -v a="$total" -v b="$t" 'BEGIN { print a + b }')
        done
        awk -v t="$total" -v n="$runs" 'BEGIN { printf "%.1f", t / n }'
    fi
}

"$cli" new big.pzf --width 255 --height 255 --magnification 5
reference=$(cpu_ms convert big.pzf big.c)
printf '%-58s %9s %7s %9s %10s\n' "layout" "export ms" "ratio" "import ms" "bytes"
report() {
    local name=$1 file=$2
    shift 2
    local export import
    export=$(cpu_ms convert big.pzf "$file" "$@")
    import=$(cpu_ms convert "$file" back.pzf)
    printf '%-58s %9s %7s %9s %10s\n' "$name" "$export" \
        "$(awk -v e="$export" -v r="$reference" 'BEGIN { printf "%.2f", e / r }')" "$import" \
        "$(stat -c %s "$file")"
}
report "C default (binary, rows, MSB first, no declaration, index)" big.c
for numbers in bin hex; do
    for order in rows pages; do
        for bits in msb lsb; do
            for array in none const progmem; do
                for comments in index picture; do
                    report "C $numbers $order $bits $array $comments" big.c --c-numbers "$numbers" \
                        --c-order "$order" --c-bits "$bits" --c-array "$array" \
                        --c-comments "$comments"
                done
            done
        done
    done
done
report "GFX (cell advance)" big.h
report "GFX (ink advance)" big.h --gfx-advance ink
