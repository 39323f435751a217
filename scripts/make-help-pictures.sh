#!/bin/bash
# Makes the pictures of the rules (assets/help/images/) from the game's own
# sheets and tool bar pictures in assets/art/, with ImageMagick's convert.
# Run it again after the art changes; the output is the same bytes on every
# run.
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
art="$root/assets/art"
out="$root/assets/help/images"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$out"

# Playfield geometry, read from the header the game itself uses.
geometry() {
    sed -n "s/^constexpr int32_t $1 = \([0-9]*\);.*/\1/p" "$root/engine/PlayfieldGeometry.h"
}
board_left=$(geometry kBoardLeft)
board_top=$(geometry kBoardTop)
cell=$(geometry kCellSize)
preview_left=$(geometry kPreviewLeft)
preview_top=$(geometry kPreviewTop)

# Cell codes: a tile with picture p (0..31) and n layers (1..4) has the code
# 32 * (n - 1) + p; the picture sets colour (p mod 8) and symbol (p div 8).
# 128 is a bomb.
tile_x() { if [ "$1" -eq 128 ]; then echo 400; else echo $(($1 / 8 * cell)); fi; }
tile_y() { if [ "$1" -eq 128 ]; then echo 0; else echo $(($1 % 8 * cell)); fi; }

save() {  # save <image> <name>: strips what would change from run to run
    convert "$1" -strip -define png:exclude-chunks=date,time "$out/$2"
}

put_tile() {  # put_tile <image> <code> <x> <y>
    convert "$1" \( "$art/tiles.png" -crop "${cell}x${cell}+$(tile_x "$2")+$(tile_y "$2")" +repage \) \
        -geometry "+$3+$4" -composite "$1"
}

# draw_board <image> <nine rows of nine codes, "-" for an empty cell>
draw_board() {
    local image=$1 r=0 c code
    shift
    for row in "$@"; do
        c=0
        for code in $row; do
            if [ "$code" != "-" ]; then
                put_tile "$image" "$code" $((board_left + c * cell)) $((board_top + r * cell))
            fi
            c=$((c + 1))
        done
        r=$((r + 1))
    done
}

# draw_piece <image> <three rows of three codes> at the preview box
draw_piece() {
    local image=$1 j=0 i code
    shift
    for row in "$@"; do
        i=0
        for code in $row; do
            if [ "$code" != "-" ]; then
                put_tile "$image" "$code" $((preview_left + i * cell)) $((preview_top + j * cell))
            fi
            i=$((i + 1))
        done
        j=$((j + 1))
    done
}

# masked <sheet> <w>x<h> <picture x>,<y> <mask x>,<y> <output>: a picture of
# a sheet with its mask (black where it shows) turned into transparency
masked() {
    convert "$1" -crop "$2+${3%,*}+${3#*,}" +repage \( "$1" -crop "$2+${4%,*}+${4#*,}" +repage -negate \) \
        -alpha off -compose CopyOpacity -composite "$5"
}

# draw_number <image> <value> <top>: five digits, as the game draws them
draw_number() {
    local image=$1 value=$2 top=$3 k digit
    for k in 4 3 2 1 0; do
        digit=$((value % 10))
        value=$((value / 10))
        masked "$art/digits.png" 11x20 "$((digit * 11)),0" "$((digit * 11)),20" "$work/digit.png"
        convert "$image" "$work/digit.png" -geometry "+$((327 + 13 * k))+$top" -composite "$image"
    done
}

# Numbered discs the text refers to, as convert arguments.
markers=()
add_marker() {  # add_marker <number> <x> <y>
    markers+=(-fill '#ffffffee' -stroke '#c0392b' -strokewidth 2 -draw "circle $2,$3 $(($2 + 9)),$3"
              -stroke none -fill '#c0392b' -annotate "+$(($2 - 4))+$(($3 - 8))" "$1")
}
add_marker 1 36 78
add_marker 2 412 90
add_marker 3 426 198
add_marker 4 300 262
add_marker 5 160 16

# --- The whole window: tool bar over the playfield, in the middle of a game.
window_board=(
    "-   -   -   -   -   -   -   -   -"
    "-   0   33  -   -   -   -   -   -"
    "-   12  44  3   -   -   -   69  -"
    "-   -   -   21  -   -   -   -   -"
    "-   -   -   -   -   101 -   -   -"
    "-   -   7   -   -   -   -   -   -"
    "54  -   -   -   -   -   -   -   18"
    "-   -   -   -   -   -   -   -   29"
    "-   -   -   -   -   -   -   -   -"
)
playfield="$work/playfield.png"
cp "$art/background.png" "$playfield"
draw_board "$playfield" "${window_board[@]}"
draw_piece "$playfield" "-   -   -" "5   37  5" "-   5   -"
# Two fifths of the time are gone.
convert "$playfield" -fill black -draw "rectangle $((307 + 62)),156 409,173" "$playfield"
draw_number "$playfield" 345 253
draw_number "$playfield" 12 218

buttons=(bomb:4:25 cup:32:25 sound:60:25 podium:88:25 door:116:25 lips:379:25 rules:408:25 info:436:25 face_small:464:29)
toolbar="$work/toolbar.png"
convert -size 500x33 xc:#efefef "$toolbar"
for button in "${buttons[@]}"; do
    IFS=: read -r name left width <<<"$button"
    convert "$toolbar" "$art/$name.png" -geometry "+$((left + 3))+7" -composite "$toolbar"
    # The tool bar pictures one by one, twice their size for the table.
    convert "$art/$name.png" -filter point -resize 200% "$work/button.png"
    save "$work/button.png" "button-$name.png"
done

# The sound button when it is up: sound off.
convert "$art/sound_off.png" -filter point -resize 200% "$work/button.png"
save "$work/button.png" "button-sound_off.png"

for language in de en; do
    if [ "$language" = de ]; then level=Stufe: score=Punkte:; else level=Level: score=Score:; fi
    window="$work/window-$language.png"
    convert "$toolbar" \( "$playfield" -font Liberation-Sans -pointsize 11 -fill yellow -gravity NorthWest \
        -annotate +323+204 "$level" -annotate +323+238 "$score" \) -append "$window"
    convert "$window" -font Liberation-Sans-Bold -pointsize 14 -gravity NorthWest "${markers[@]}" "$window"
    save "$window" "window-$language.png"
done

# --- Layers: the same picture with one to four layers, and the bomb.
for layers in 1 2 3 4; do
    convert "$art/tiles.png" -crop "${cell}x${cell}+$(tile_x $((32 * (layers - 1) + 4)))+$(tile_y 4)" +repage \
        -filter point -resize 200% "$work/layer.png"
    save "$work/layer.png" "layer$layers.png"
done
convert "$art/tiles.png" -crop "${cell}x${cell}+400+0" +repage -filter point -resize 200% "$work/bomb.png"
save "$work/bomb.png" "bomb.png"

# --- The preview box with a piece, and the same piece after a right click.
piece() {  # piece <name> <three rows>
    local image="$work/$1.png"
    shift
    cp "$art/background.png" "$image"
    draw_piece "$image" "$@"
    convert "$image" -crop "91x91+$((preview_left - 8))+$((preview_top - 8))" +repage -filter point -resize 200% "$image"
}
piece piece "0   -   -" "35  -   -" "2   5   -"
piece piece-turned "2   35  0" "5   -   -" "-   -   -"
save "$work/piece.png" piece.png
save "$work/piece-turned.png" piece-turned.png

# --- A 3 x 3 square clears: before, and after every cell lost a layer.
fragment() {  # fragment <name> <rows>: columns 1..5, rows 0..4 of a board, twice the size
    local image="$work/$1.png"
    shift
    cp "$art/background.png" "$image"
    draw_board "$image" "$@"
    convert "$image" -crop "$((5 * cell))x$((5 * cell))+$((board_left + cell))+$board_top" +repage \
        -filter point -resize 200% "$image"
}
fragment square-before \
    "-   -   -   -   -   -" \
    "-   -   0   35  66  -" \
    "-   9   43  4   19  12" \
    "-   -   70  13  38  -" \
    "-   -   -   103 -   -"
fragment square-after \
    "-   -   -   -   -   -" \
    "-   -   -   3   34  -" \
    "-   9   11  -   -   12" \
    "-   -   38  -   6   -" \
    "-   -   -   103 -   -"
# A yellow frame marks the complete square.
convert "$work/square-before.png" -fill none -stroke '#ffd54a' -strokewidth 3 -draw "rectangle 49,49 200,200" \
    "$work/square-before.png"
save "$work/square-before.png" square-before.png
save "$work/square-after.png" square-after.png

# --- Rows: one that is complete, one that a four-layer cell blocks.
row_strip() {  # row_strip <name> <codes>
    local image="$work/$1.png"
    cp "$art/background.png" "$image"
    draw_board "$image" "$2"
    convert "$image" -crop "$((9 * cell))x${cell}+$board_left+$board_top" +repage -filter point -resize 200% "$image"
}
row_strip row-complete "1   40  2   67  28  13  44  6   23"
convert "$work/row-complete.png" -fill none -stroke '#ffd54a' -strokewidth 3 -draw "rectangle 1,1 448,48" \
    "$work/row-complete.png"
save "$work/row-complete.png" row-complete.png
row_strip row-blocked "1   40  2   67  124 13  44  6   23"
save "$work/row-blocked.png" row-blocked.png

# --- A bomb lands on a full cell: the blast, and the empty cell after it.
bomb_scene() {  # bomb_scene <name> <three rows>: columns and rows 0..2 of a board, twice the size
    local image="$work/$1.png"
    shift
    cp "$art/background.png" "$image"
    draw_board "$image" "$@"
}
bomb_scene bomb-before "-   20  -" "3   101 58" "-   97  -"
bomb_scene bomb-after "-   20  -" "3   -   58" "-   97  -"
masked "$art/explosion.png" 57x57 171,0 171,57 "$work/blast.png"
convert "$work/bomb-after.png" "$work/blast.png" -geometry "+$((board_left + cell - 16))+$((board_top + cell - 16))" \
    -composite "$work/bomb-blast.png"
for stage in before blast after; do
    convert "$work/bomb-$stage.png" -crop "$((3 * cell))x$((3 * cell))+$board_left+$board_top" +repage \
        -filter point -resize 200% "$work/bomb-$stage.png"
    save "$work/bomb-$stage.png" "bomb-$stage.png"
done

# --- The time bar: full, and with two thirds of the time gone.
convert "$art/background.png" -crop 111x27+303+151 +repage -filter point -resize 200% "$work/timebar.png"
save "$work/timebar.png" timebar-full.png
convert "$art/background.png" -fill black -draw "rectangle $((307 + 34)),156 409,173" \
    -crop 111x27+303+151 +repage -filter point -resize 200% "$work/timebar.png"
save "$work/timebar.png" timebar-low.png
