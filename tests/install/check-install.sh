#!/usr/bin/env bash
# Installs a build into a temporary prefix and checks what a desktop and a user find there: both
# programs, the desktop entry, the AppStream metadata, the icons, the MIME type, the manual pages,
# the help pages with what they show and the copyright; then that the validators accept them.
# Usage: tests/install/check-install.sh BUILD_DIR
set -euo pipefail
source "$(dirname "$0")/common.sh"

build=$(realpath "${1:?usage: check-install.sh BUILD_DIR}")
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
cmake --install "$build" --prefix "$prefix" >/dev/null
share=$prefix/share

check_programs() {
    local bin=$prefix/bin
    check_executable "$bin/pixmere"
    check_executable "$bin/pixmere-cli"
    # No display at all: --help and --version must not need one.
    local help version
    help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/pixmere" --help) ||
        fail "pixmere --help failed without a display"
    [[ $help == Usage:\ pixmere* ]] || fail "pixmere --help printed no usage"
    version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$bin/pixmere" --version) ||
        fail "pixmere --version failed without a display"
    [ "$version" = "pixmere $project_version" ] || fail "pixmere --version printed '$version'"
    [ "$("$bin/pixmere-cli" --version)" = "pixmere-cli $project_version" ] ||
        fail "pixmere-cli --version does not say $project_version"
    local status=0
    QT_QPA_PLATFORM=offscreen "$bin/pixmere" --no-such-option 2>/dev/null || status=$?
    [ "$status" = 2 ] || fail "pixmere --no-such-option ended with $status, not 2"
    "$bin/pixmere-cli" new "$prefix/blank.pzf" --width 8 --height 16 --last 7F &&
        "$bin/pixmere-cli" info "$prefix/blank.pzf" | grep -qx 'count: 96' ||
        fail "the installed pixmere-cli cannot create and read a font"
}

check_desktop_entry() {
    local entry=$share/applications/$app_id.desktop
    check_file "$entry" || return 0
    check_line "$entry" "Exec=pixmere %F"
    check_line "$entry" "Icon=$app_id"
    # The native font first; the other font files the editor imports from its command line.
    check_line "$entry" "MimeType=$mime_type;application/x-font-bdf;application/x-font-pcf;application/x-font-linux-psf;application/x-gz-font-linux-psf;"
    grep -q '^Categories=.' "$entry" || fail "$entry names no categories"
    grep -q '^GenericName=.' "$entry" || fail "$entry has no generic name"
    grep -q '^Comment=.' "$entry" || fail "$entry has no comment"
    if have desktop-file-validate desktop-file-utils; then
        local out
        out=$(desktop-file-validate "$entry" 2>&1) || true
        [ -z "$out" ] || fail "desktop-file-validate: $out"
    fi
}

check_metainfo() {
    local meta=$share/metainfo/$app_id.metainfo.xml
    check_file "$meta" || return 0
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$meta" ||
        fail "$meta does not launch $app_id.desktop"
    grep -q '<screenshot type="default">' "$meta" || fail "$meta has no screenshot"
    grep -q '<description>' "$meta" || fail "$meta has no description"
    local newest
    newest=$(grep -o '<release version="[^"]*"' "$meta" | head -n1 | cut -d'"' -f2)
    [ "$newest" = "$project_version" ] ||
        fail "the newest release in $meta is '$newest', the project is $project_version"
    if have appstreamcli appstream; then
        appstreamcli validate --no-net "$meta" >"$prefix/appstream.log" 2>&1 ||
            fail "appstreamcli validate: $(cat "$prefix/appstream.log")"
    fi
}

check_icons() {
    local icons=$share/icons/hicolor size png
    check_file "$icons/scalable/apps/$app_id.svg" || true
    for size in 16 22 24 32 48 64 128 256; do
        png=$icons/${size}x$size/apps/$app_id.png
        check_file "$png" || continue
        [ "$(png_size "$png")" = "$size $size" ] ||
            fail "$png is $(png_size "$png") pixels, not $size x $size"
    done
    # The editor's window icon is the same drawing.
    cmp -s "$icons/32x32/apps/$app_id.png" "$source/resources/icons/pixmere.png" ||
        fail "resources/icons/pixmere.png is not the 32-pixel rendering of the SVG icon"
}

check_mime_type() {
    local package=$share/mime/packages/$app_id.xml
    check_file "$package" || return 0
    if have update-mime-database shared-mime-info; then
        update-mime-database "$share/mime" >/dev/null 2>&1 ||
            fail "update-mime-database refuses $package"
        grep -q ":$mime_type:\*\.pzf" "$share/mime/globs2" ||
            fail "*.pzf does not map to $mime_type"
    fi
}

# Every sub-command and option the programs' own help names must be in their manual page, and
# man must render the pages without a warning.
check_manual() {
    local program=$1 page=$share/man/man1/$1.1 warnings rendered word
    check_file "$page" || return 0
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l -Tutf8 -Z "$page" 2>&1 \
        >/dev/null) || fail "man cannot render $page"
    [ -z "$warnings" ] || fail "man warns about $page: $warnings"
    rendered=$(MANWIDTH=200 man -l "$page" 2>/dev/null | col -b)
    while read -r word; do
        grep -qF -- "$word" <<<"$rendered" || fail "$page does not mention $word"
    done < <(help_words "$program")
}

help_words() {
    local bin=$prefix/bin/$1 commands command
    if [ "$1" = pixmere-cli ]; then
        commands=$("$bin" --help | sed -n 's/^  pixmere-cli \([a-z-]*\).*/\1/p')
        for command in $commands; do echo "pixmere-cli $command"; done
        for command in $commands; do "$bin" "$command" --help; done |
            grep -o -- '--[a-z][a-z-]*\|\b[a-z][a-z]*-[a-z-]*\(:RANGE\)\?\b' | sort -u
    else
        "$bin" --help | grep -o -- '\(^\|[ ,]\)--\?[a-z][a-z-]*' | tr -d ' ,' | sort -u
    fi
}

# The two pages Help opens, every page of the source folder, and every picture, stylesheet and
# page they refer to; the folder stays small.
check_help() {
    local help=$share/pixmere/help pages=("Help.htm" "Pixmere Help.htm") page ref size
    [ -d "$help" ] || { fail "no help folder $help"; return 0; }
    for page in "$source"/packaging/help/*.htm; do
        case $(basename "$page") in
            Help.htm | "Pixmere Help.htm" | "*.htm") ;;
            *) pages+=("$(basename "$page")") ;;
        esac
    done
    for page in "${pages[@]}"; do
        check_file "$help/$page" || continue
        while read -r ref; do
            check_file "$help/$ref" || true
        done < <(help_references "$help/$page")
    done
    size=$(du -sb "$help" | cut -f1)
    [ "$size" -lt 1048576 ] || fail "the help folder $help holds $size bytes, not under 1 MiB"
}

# The local files a page refers to (src and href, without anchors, %20 as a space).
help_references() {
    grep -o '\(src\|href\)="[^"]*"' "$1" | sed 's/^[a-z]*="//; s/"$//; s/#.*//; s/%20/ /g' |
        grep -v '^$' | grep -v '^[a-z][a-z]*:' | sort -u || true
}

check_programs
check_desktop_entry
check_metainfo
check_icons
check_mime_type
check_manual pixmere
check_manual pixmere-cli
check_help
check_file "$share/doc/pixmere/copyright" || true

finish "install into a temporary prefix"
