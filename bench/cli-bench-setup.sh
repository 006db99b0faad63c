# Sourced by the pixmere-cli benchmark scripts: resolves the tool (first argument, else the
# default build), runs in a scratch directory removed on exit, and defines `run`, which times
# one pixmere-cli call and reports its peak memory.
set -euo pipefail
cli=$(realpath "${1:-build/src/cli/pixmere-cli}")
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
run() { /usr/bin/time -f "%e s wall, %M KB peak  pixmere-cli $*" "$cli" "$@"; }
