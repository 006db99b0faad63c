#!/usr/bin/env bash
# Takes the help pages' pictures from the editor itself, on a virtual display, and writes them
# into pictures/ beside this script as small palette PNGs. Run it again after the windows
# change, look at every picture, and commit those that changed.
# Usage: packaging/help/take-screenshots.sh [BUILD_DIR]   (default: build)
# Needs xvfb-run (xvfb), xdotool, import (imagemagick), optipng and the DejaVu fonts.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
build=$(realpath "${1:-$here/../../build}")

if [ -z "${PIXMERE_SHOTS_RUNNING:-}" ]; then
    for tool in xvfb-run xdotool import optipng; do
        command -v "$tool" >/dev/null || { echo "$tool is missing" >&2; exit 1; }
    done
    # The real window system: the offscreen platform draws no window a screenshot could see.
    exec env -u QT_QPA_PLATFORM PIXMERE_SHOTS_RUNNING=1 \
        xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$build"
fi

pixmere=$build/src/app/pixmere
cli=$build/src/cli/pixmere-cli
out=$here/pictures
# A fixed folder, as its path shows in the windows; a home of its own, so that no remembered
# TrueType settings change the dialog.
work=/tmp/pixmere-help
rm -rf "$work"
mkdir -p "$work/home" "$out"
export HOME=$work/home XDG_CONFIG_HOME=$work/home/.config
"$cli" ttf "$work/sans.pzf" --face "DejaVu Sans" --width 16 --height 24 --downstroke 5 --fit face \
    --last 7D

"$pixmere" "$work/sans.pzf" &
editor=$!
trap 'kill "$editor" 2>/dev/null || true; rm -rf "$work"' EXIT

frame=$(xdotool search --sync --onlyvisible --name '^Velmar Pixmere$' | head -n1)
xdotool windowsize --sync "$frame" 800 730
sleep 1

# shot NAME WINDOW [GEOMETRY]: the window, or the part GEOMETRY (WxH+X+Y) of it, in 256 colours.
# The window "root" is the whole display, open menus included.
shot() {
    local file=$out/$1.png
    import -window "$2" ${3:+-crop "$3"} +repage +dither -colors 256 "PNG8:$file"
    optipng -quiet -o5 "$file"
    echo "$file: $(stat -c %s "$file") bytes"
}

# The window that shows with the given title, once it is there; the pointer over it, which
# gives it the keys on a display without a window manager.
window() {
    local id
    id=$(xdotool search --sync --onlyvisible --name "^$1\$" | head -n1)
    eval "$(xdotool getwindowgeometry --shell "$id")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    sleep 0.5
    echo "$id"
}

# Keys for the frame: a click on the empty part of "Move characters" gives it the focus.
frame_keys() {
    xdotool mousemove 30 165 click 1
    sleep 0.3
    xdotool key "$@"
    sleep 0.5
}

# The font's cells are 33 pixels wide and 59 high (zoom 2) from (160, 104); A is code 41h.
cell() { echo $((160 + 33 * (($1 - 0x20) % 18) + 16)) $((104 + 59 * (($1 - 0x20) / 18) + 35)); }

# The editor with A picked.
xdotool mousemove $(cell 0x41) click 1
sleep 0.5
shot editor "$frame"

# A drag from A to G: the font window with a run of characters selected, the edit window
# showing the G the drag ended on.
xdotool mousemove $(cell 0x41) mousedown 1
xdotool mousemove $(cell 0x44) mousemove $(cell 0x47) mouseup 1
sleep 0.5
shot font-window "$frame" 790x226+1+78
shot edit-window "$frame" 520x252+1+303

# The Transform menu over the run of selected characters.
frame_keys alt+t
shot transform-menu root 470x250+0+0
xdotool key Escape
sleep 0.3

# The sample text: two lines typed, one with the character the font lacks (~), the baseline shown.
xdotool mousemove 400 578 click 1
xdotool key ctrl+a
xdotool type "Velmar Pixmere"
xdotool key Return
xdotool type "prints at ~203 dpi"
xdotool mousemove 27 629 click 1
sleep 0.5
shot sample-text "$frame" 790x150+1+552

# Create New Font: the parameters as the pages describe them.
frame_keys alt+f n
dialog=$(window "Font Property")
xdotool type 16
xdotool key Tab
xdotool type 24
xdotool key Tab Tab ctrl+a
xdotool type 7E
xdotool key Tab Tab ctrl+a
xdotool type 5
sleep 0.3
shot font-property "$dialog"
xdotool key Escape
sleep 0.5

# Import > Font TTF up to "TTF Encryptor": DejaVu Sans in a cell of $1 x $2 (16 x 24) with
# downstroke $3 (5); the dialog's window in $dialog, its place in X and Y.
import_ttf() {
    frame_keys alt+f i t
    window "Select Font" >/dev/null
    xdotool key Return
    window "Font Property" >/dev/null
    xdotool type "${1:-16}"
    xdotool key Tab
    xdotool type "${2:-24}"
    xdotool key Tab Tab Tab Tab ctrl+a
    xdotool type "${3:-5}"
    xdotool key Return
    dialog=$(window "TTF Encryptor")
    eval "$(xdotool getwindowgeometry --shell "$dialog")"
}

# Fitted to the whole face, previewing å.
import_ttf
xdotool mousemove $((X + 31)) $((Y + 532)) click 1
sleep 0.5
xdotool mousemove $((X + 108)) $((Y + 382)) click 1
xdotool key ctrl+a
xdotool type å
sleep 1
shot ttf-encryptor "$dialog"
xdotool mousemove $((X + 120)) $((Y + 256)) click 1
sleep 0.5

# Import > Font FON: the three fonts of a library, the second one chosen.
frame_keys alt+f i o
window "Open" >/dev/null
xdotool type /usr/share/wine/fonts/sserife.fon
xdotool key Return
dialog=$(window "Font Selection")
xdotool key Down
sleep 0.3
shot font-selection "$dialog"
xdotool key Escape
sleep 0.5

# Import > Font TTF once more, converted this time (the settings above come back): the new
# window, one title bar further down and right, shows the O with its outline.
import_ttf
xdotool mousemove $((X + 224)) $((Y + 416)) click 1
sleep 8
# The message on the characters the fitting left empty or cut, when there is one.
notice=$(xdotool search --onlyvisible --name '^Velmar Pixmere$' | grep -vx "$frame" | head -n1 || true)
if [ -n "$notice" ]; then
    eval "$(xdotool getwindowgeometry --shell "$notice")"
    xdotool mousemove $((X + WIDTH / 2)) $((Y + HEIGHT / 2))
    sleep 0.3
    xdotool key Return
    sleep 0.5
fi
xdotool mousemove 104 258
xdotool key O
sleep 0.5
xdotool mousemove 51 447 click 1
sleep 0.5
shot outline "$frame" 490x262+25+317

# Save As with a name ending .c: the layout the C file is to be written in.
frame_keys ctrl+shift+s
window "Save As" >/dev/null
xdotool type "$work/sans.c"
xdotool key Return
dialog=$(window "C File Options")
shot c-file-options "$dialog"
xdotool key Escape
sleep 0.5

# The TrueType preview of the largest cell: the whole cell, scaled down to its box.
import_ttf 255 255 50
sleep 2
shot ttf-preview-255 "$dialog" 212x212+434+24
xdotool mousemove $((X + 120)) $((Y + 256)) click 1
sleep 0.5

# F1 in a font window where the desktop has no application for web pages: the font windows'
# page in the editor's own help window.
if ! command -v xdg-open >/dev/null; then
    frame_keys F1
    dialog=$(window "Pixmere Help: Font windows")
    shot help-window "$dialog"
fi
