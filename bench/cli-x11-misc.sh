#!/usr/bin/env bash
# Total wall time of pixmere-cli importing every X11 misc PCF font (xfonts-base,
# xfonts-terminus) and converting it to .pzf, one process per font, and how many it converted or
# refused. Usage: bench/cli-x11-misc.sh [path/to/pixmere-cli]
source "$(dirname "$0")/cli-bench-setup.sh"
fonts=(/usr/share/fonts/X11/misc/*.pcf.gz)
converted=0
refused=0
start=$(date +%s.%N)
for font in "${fonts[@]}"; do
    if "$cli" convert "$font" "$work/$(basename "$font" .pcf.gz).pzf" 2>/dev/null; then
        converted=$((converted + 1))
    else
        refused=$((refused + 1))
    fi
done
end=$(date +%s.%N)
echo "${#fonts[@]} fonts: $converted converted, $refused refused"
awk -v s="$start" -v e="$end" -v n="${#fonts[@]}" \
    'BEGIN { printf "total %.2f s wall, %.1f ms a font\n", e - s, 1000 * (e - s) / n }'
du -sh "$work"
