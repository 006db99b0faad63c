# Helpers shared by the install and package checks: failures are collected, so one run lists
# every problem; a missing validator is a clearly reported skip, never a silent pass.

source=$(realpath "$(dirname "${BASH_SOURCE[0]}")/../..")
failures=()
skips=()

# The names the build spells out once, read from where they are set.
project_version=$(sed -n 's/^project(Pixmere VERSION \([0-9.]*\).*/\1/p' "$source/CMakeLists.txt")
app_id=$(sed -n 's/^set(PIXMERE_APP_ID \([^)]*\))/\1/p' "$source/CMakeLists.txt")
mime_type=$(sed -n 's/^set(PIXMERE_MIME_TYPE \([^)]*\))/\1/p' "$source/packaging/CMakeLists.txt")
if [ -z "$project_version" ] || [ -z "$app_id" ] || [ -z "$mime_type" ]; then
    echo "cannot read the version, application id or MIME type from the CMakeLists" >&2
    exit 1
fi

fail() { failures+=("$*"); }

# have TOOL PACKAGE: whether TOOL is installed; records a skip naming PACKAGE when it is not.
have() {
    command -v "$1" >/dev/null && return 0
    skips+=("$1 is not installed (Debian package $2, installed by scripts/deps): its check is skipped")
    return 1
}

# Fails when the file is missing or empty; called alone, follow it with "|| true", or the shell's
# -e ends the check before it lists the problem.
check_file() {
    [ -f "$1" ] && [ -s "$1" ] && return 0
    fail "missing or empty: $1"
    return 1
}

check_executable() { [ -x "$1" ] || fail "missing or not executable: $1"; }

check_line() { grep -qxF -- "$2" "$1" || fail "$1 lacks the line '$2'"; }

# Width and height from the PNG header.
png_size() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ print $3 * 256 + $4, $7 * 256 + $8 }'
}

finish() {
    local skip failure
    for skip in "${skips[@]}"; do echo "SKIP: $skip"; done
    if [ ${#failures[@]} -gt 0 ]; then
        for failure in "${failures[@]}"; do echo "FAIL: $failure"; done
        echo "$1: ${#failures[@]} problem(s)"
        exit 1
    fi
    echo "$1: passed"
}
