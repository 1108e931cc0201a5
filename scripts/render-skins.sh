#!/usr/bin/env bash
# Renders the widget icons drawn in resources/src/<name>.svg into the skin strips that the
# theme names, resources/<name>.png: one 20 x 20 frame per button state, stacked top to bottom
# as normal, hover, pressed (theme.xml says states="normal hover pressed").
#
#   scripts/render-skins.sh             render all eleven strips
#   scripts/render-skins.sh --preview   render, then compose build/screenshots/skins-preview.png:
#                                       every icon in every state on bars over three desktops,
#                                       at drawing scale 1 and 1.5, plus a bar with text
#
# The PNGs are checked in, so building the program needs none of this. The output is the same
# bytes on every run: no timestamps, no text chunks, fixed colours.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
cd "$root"
. scripts/lib/deps.sh

tarvik_install_packages librsvg2-bin imagemagick fonts-dejavu-core ||
    { echo "package installation failed" >&2; exit 1; }

readonly kFrame=20
readonly kNames=(start tray clipboard timer spotlight volume volume-muted news app weather stats)

# The glyphs are drawn in black; each state is that drawing in one colour.
#  normal:  black at 85 % - dark enough for the bar over any desktop, a touch softer than text
#  hover:   solid black - a little more contrast
#  pressed: solid white - the bar draws this frame on its blue selection, beside white text
readonly kNormalAlpha=0.85

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# PNG output options: 8-bit RGBA, no metadata, no time chunks.
png_out() {
    local out=${!#}
    convert "${@:1:$#-1}" -strip -define png:exclude-chunks=date,time \
        +set date:create +set date:modify -depth 8 "PNG32:$out"
}

render_strip() {
    local name=$1 mask="$work/$1-mask.png"
    rsvg-convert --width "$kFrame" --height "$kFrame" --format png \
        --output "$mask" "resources/src/$name.svg"
    png_out \
        \( "$mask" -channel A -evaluate multiply "$kNormalAlpha" +channel \) \
        \( "$mask" -fill black -colorize 100 \) \
        \( "$mask" -fill white -colorize 100 \) \
        -append "resources/$name.png"
}

for name in "${kNames[@]}"; do
    render_strip "$name"
done
echo "Rendered ${#kNames[@]} skins (${kFrame}x$((3 * kFrame)) each) into resources/"

[ "${1:-}" = "--preview" ] || exit 0

# ---- Preview -------------------------------------------------------------------------------
# Scale(n): n times the drawing scale, rounded to the nearest integer with halves to even, as
# the program does.
scaled() { awk -v n="$1" -v s="$2" 'BEGIN { v = n * s; f = int(v); d = v - f;
    if (d > 0.5 || (d == 0.5 && f % 2 == 1)) f++; print f }'; }

readonly kFont=DejaVu-Sans
readonly kSelection='#2F7CD8'
readonly kPressedVeil='rgba(0,0,0,0.251)'
readonly kBarTint='rgba(255,255,255,0.431)'

# A desktop: "photo" (a soft sky-to-sand picture), "grey" or "dark".
desktop() {
    local kind=$1 size=$2 out=$3
    case $kind in
    photo) convert -size "$size" -seed 11 plasma:'#3d6e9e'-'#d9a25f' -blur 0x6 \
        \( -size "$size" gradient:'#4f86c0'-'#c88a4a' \) -compose blend \
        -define compose:args=55 -composite "$out" ;;
    grey) convert -size "$size" xc:'#7f7f7f' "$out" ;;
    dark) convert -size "$size" -seed 5 plasma:'#14161c'-'#2a2d38' -blur 0x6 "$out" ;;
    esac
}

# Frame k (0 normal, 1 hover, 2 pressed) of a skin, resampled to the drawing scale with a
# bicubic filter like the program's.
frame() {
    local name=$1 k=$2 side=$3 out=$4
    convert "resources/$name.png" -crop "${kFrame}x${kFrame}+0+$((k * kFrame))" +repage \
        -filter Catrom -resize "${side}x${side}!" "$out"
}

# One bar: eleven buttons of one state over one desktop.
#   state: normal (frame 0), hover (frame 1 on the plain bar), hot (frame 2 on the selection,
#   as the bar shows a button under the pointer), open (frame 0 under the pressed veil)
bar_row() {
    local desk=$1 state=$2 s=$3 out=$4
    local h side cell radius pad
    h=$(scaled 23 "$s"); side=$(scaled "$kFrame" "$s"); cell=$(scaled 32 "$s")
    radius=$(scaled 4 "$s"); pad=$(scaled 2 "$s")
    local width=$((cell * ${#kNames[@]}))
    desktop "$desk" "${width}x$((h * 3))" "$work/desk.png"
    convert "$work/desk.png" -crop "${width}x${h}+0+0" +repage -blur 0x8 \
        -fill "$kBarTint" -draw "rectangle 0,0 $width,$h" "$work/row.png"
    local k=0 fill="" i=0 name x top
    case $state in
    hover) k=1 ;;
    hot) k=2; fill=$kSelection ;;
    open) fill=$kPressedVeil ;;
    esac
    top=$(((h - side) / 2))
    for name in "${kNames[@]}"; do
        x=$((i * cell))
        if [ -n "$fill" ]; then
            convert "$work/row.png" -fill "$fill" \
                -draw "roundrectangle $((x + pad)),0 $((x + cell - pad - 1)),$((h - 1)) $radius,$radius" \
                "$work/row.png"
        fi
        frame "$name" "$k" "$side" "$work/f.png"
        convert "$work/row.png" "$work/f.png" -geometry "+$((x + (cell - side) / 2))+$top" \
            -composite "$work/row.png"
        i=$((i + 1))
    done
    cp "$work/row.png" "$out"
}

# A bar as the program lays it out: start at the left, then menu titles, then widgets with
# text on the right, so the icons can be judged against the text beside them. The weather
# button is drawn under the pointer: selection, pressed frame and white text.
text_bar() {
    local desk=$1 s=$2 out=$3
    local h side size width
    h=$(scaled 23 "$s"); side=$(scaled "$kFrame" "$s"); size=$(scaled 15 "$s")
    width=$(scaled 900 "$s")
    desktop "$desk" "${width}x$((h * 3))" "$work/desk.png"
    convert "$work/desk.png" -crop "${width}x${h}+0+0" +repage -blur 0x8 \
        -fill "$kBarTint" -draw "rectangle 0,0 $width,$h" "$work/tb.png"
    local x top gap pad radius
    x=$(scaled 8 "$s"); top=$(((h - side) / 2)); gap=$(scaled 6 "$s")
    pad=$(scaled 9 "$s"); radius=$(scaled 4 "$s")
    local items=("start:" "-:File" "-:Edit" "-:View" "news:Markets rally as rates hold"
        "stats:7%" "*weather:12°" "volume:" "spotlight:" "app:" "tray:" "clipboard:" "timer:"
        "-:Mon 14:05")
    local item name text tw th k colour
    for item in "${items[@]}"; do
        name=${item%%:*}; text=${item#*:}; k=0; colour=black
        if [ "${name:0:1}" = "*" ]; then
            name=${name:1}; k=2; colour=white
            convert -background none -font "$kFont" -pointsize "$size" label:"$text" "$work/t.png"
            tw=$(identify -format %w "$work/t.png")
            convert "$work/tb.png" -fill "$kSelection" -draw "roundrectangle \
                $((x - pad)),0 $((x + side + gap + tw + pad - 1)),$((h - 1)) $radius,$radius" \
                "$work/tb.png"
        fi
        if [ "$name" != "-" ]; then
            frame "$name" "$k" "$side" "$work/f.png"
            convert "$work/tb.png" "$work/f.png" -geometry "+$x+$top" -composite "$work/tb.png"
            x=$((x + side))
            [ -n "$text" ] && x=$((x + gap))
        fi
        if [ -n "$text" ]; then
            convert -background none -fill "$colour" -font "$kFont" -pointsize "$size" \
                label:"$text" "$work/t.png"
            tw=$(identify -format %w "$work/t.png"); th=$(identify -format %h "$work/t.png")
            convert "$work/tb.png" "$work/t.png" -geometry "+$x+$(((h - th) / 2))" \
                -composite "$work/tb.png"
            x=$((x + tw))
        fi
        x=$((x + $(scaled 18 "$s")))
    done
    cp "$work/tb.png" "$out"
}

label() {
    convert -background none -fill '#202020' -font "$kFont" -pointsize 12 label:"$1" "$2"
}

label "drawing scale 1" "$work/h1.png"
label "drawing scale 1.5" "$work/h2.png"
convert -background '#f4f4f4' -size 120x20 xc:'#f4f4f4' \
    \( "$work/h1.png" -gravity center -extent 380x20 \) \
    \( "$work/h2.png" -gravity center -extent 560x20 \) +append "$work/header.png"
rows=("$work/header.png")
for desk in photo grey dark; do
    for state in normal hover hot open; do
        bar_row "$desk" "$state" 1 "$work/a.png"
        bar_row "$desk" "$state" 1.5 "$work/b.png"
        label "$desk / $state" "$work/l.png"
        convert -background '#f4f4f4' "$work/l.png" -gravity west -extent 120x34 \
            \( "$work/a.png" -gravity center -background '#f4f4f4' -extent 380x34 \) \
            \( "$work/b.png" -gravity center -background '#f4f4f4' -extent 560x38 \) \
            +append "$work/r-$desk-$state.png"
        rows+=("$work/r-$desk-$state.png")
    done
done
for desk in photo dark; do
    text_bar "$desk" 1 "$work/t1-$desk.png"
    text_bar "$desk" 1.5 "$work/t15-$desk.png"
    rows+=("$work/t1-$desk.png" "$work/t15-$desk.png")
done
mkdir -p build/screenshots
png_out -background '#f4f4f4' "${rows[@]}" -gravity north -splice 0x6 -append \
    build/screenshots/skins-preview.png
echo "Preview: build/screenshots/skins-preview.png"
