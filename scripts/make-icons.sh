#!/usr/bin/env bash
# Regenerates the program's icons in res/icons/ from ImageMagick drawing primitives.
# Every icon is drawn pixel by pixel at the size it is shown at (no antialiasing, no
# scaling), so edges stay crisp and outlines are exactly one pixel wide. The output is
# byte-for-byte the same on every run.
#
#   scripts/make-icons.sh            write res/icons/*.ico
#   scripts/make-icons.sh --preview DIR
#                                    also write each size enlarged 8x as PNG into DIR
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."

CONVERT=/usr/bin/convert
[ -x "$CONVERT" ] || { echo "make-icons: ImageMagick's $CONVERT is required (apt-get install imagemagick)" >&2; exit 1; }

OUT=res/icons
PREVIEW=
if [ "${1:-}" = "--preview" ]; then PREVIEW=${2:?--preview needs a directory}; mkdir -p "$PREVIEW"; fi
mkdir -p "$OUT"
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# ---------------------------------------------------------------- palette
INK=#3c4654          # outline of pages and neutral parts
PAGE=#ffffff
FOLD=#d6dee8         # the folded-over corner of a page
TEXT=#9aa8b8         # text lines on a page
BLUE=#2f74d0;   BLUE_D=#173f7e;   BLUE_L=#8cbcf4
GREEN=#34a853;  GREEN_D=#1a6530;  GREEN_L=#9be0a8;  GREEN_S=#23823c  # S: bristle strands
YEL=#f7c948;    YEL_D=#95680a;    YEL_L=#fde58f;  YEL_M=#e2a82c
RED=#dc3434;    RED_D=#851414
STEEL=#d3d9e0;  STEEL_D=#5d6877
STAR=#ffd23a;   STAR_D=#b87a00

# ---------------------------------------------------------------- drawing list
# D collects ImageMagick arguments in painting order; render() flushes it to a PNG.
D=()
fill() { D+=(-fill "$1"); }
rect() { D+=(-draw "rectangle $1,$2 $3,$4"); }          # inclusive pixel bounds
poly() { D+=(-draw "polygon $*"); }
circ() { D+=(-draw "circle $1,$2 $1,$(awk "BEGIN{print $2-$3}")"); }  # cx cy radius
# box OUTLINE INSIDE x0 y0 x1 y1: a filled rectangle with a one-pixel outline.
box() {
  fill "$1"; rect "$3" "$4" "$5" "$6"
  fill "$2"; rect $(($3 + 1)) $(($4 + 1)) $(($5 - 1)) $(($6 - 1))
}
# pix X Y 'KEY=COLOUR ...' ROW...: paints a small bitmap whose top-left is X,Y. Each
# character of a row is a key of the map; '.' and unknown characters leave the pixel.
pix() {
  local x0=$1 y0=$2 map=$3; shift 3
  local -A col=()
  local kv
  for kv in $map; do col[${kv%%=*}]=${kv#*=}; done
  local -A pts=()
  local y=$y0 row i ch
  for row in "$@"; do
    for ((i = 0; i < ${#row}; i++)); do
      ch=${row:i:1}
      [ -n "${col[$ch]:-}" ] && pts[$ch]+="point $((x0 + i)),$y "
    done
    y=$((y + 1))
  done
  for ch in "${!col[@]}"; do
    [ -n "${pts[$ch]:-}" ] && D+=(-fill "${col[$ch]}" -draw "${pts[$ch]}")
  done
  return 0
}
# shape AWK-PROGRAM N: the program's BEGIN block sets c[x,y]=colour for an N x N
# canvas (later assignments win); the result is painted as points, one list per colour.
shape() {
  local colour points
  while IFS=$'\t' read -r colour points; do
    D+=(-fill "$colour" -draw "$points")
  done < <(awk -v N="$2" "BEGIN { $1
      for (k in c) { split(k, p, SUBSEP); out[c[k]] = out[c[k]] \"point \" p[1] \",\" p[2] \" \" }
      n = 0; for (col in out) keys[++n] = col
      for (i = 1; i <= n; i++) for (j = i + 1; j <= n; j++) if (keys[j] < keys[i]) { t = keys[i]; keys[i] = keys[j]; keys[j] = t }
      for (i = 1; i <= n; i++) print keys[i] \"\\t\" out[keys[i]] }")
}
render() {  # SIZE NAME
  "$CONVERT" -size "$1x$1" xc:none +antialias "${D[@]}" "PNG32:$WORK/$2-$1.png"
  D=()
}
# ico NAME SIZE...: packs the rendered sizes of NAME into res/icons/NAME.ico.
ico() {
  local name=$1 s files=(); shift
  for s in "$@"; do
    files+=("$WORK/$name-$s.png")
    [ -z "$PREVIEW" ] || "$CONVERT" "$WORK/$name-$s.png" -scale 800% "PNG32:$PREVIEW/$name-$s.png"
  done
  "$CONVERT" "${files[@]}" "$OUT/$name.ico"
}

# ---------------------------------------------------------------- shared pieces
# page X0 Y0 X1 Y1 F: white sheet with its top-right corner folded over F pixels.
page() {
  local x0=$1 y0=$2 x1=$3 y1=$4 f=$5
  fill "$INK";  poly "$x0,$y0 $((x1 - f)),$y0 $x1,$((y0 + f)) $x1,$y1 $x0,$y1"
  fill "$PAGE"; poly "$((x0 + 1)),$((y0 + 1)) $((x1 - f)),$((y0 + 1)) $((x1 - 1)),$((y0 + f)) $((x1 - 1)),$((y1 - 1)) $((x0 + 1)),$((y1 - 1))"
  fill "$INK";  poly "$((x1 - f)),$y0 $((x1 - f)),$((y0 + f)) $x1,$((y0 + f))"
  fill "$FOLD"; poly "$((x1 - f + 1)),$((y0 + 2)) $((x1 - f + 1)),$((y0 + f - 1)) $((x1 - 2)),$((y0 + f - 1))"
}
# textlines X0 X1 Y0 Y1 STEP: grey lines of "text" every STEP rows.
textlines() {
  local y
  fill "$TEXT"
  for ((y = $3; y <= $4; y += $5)); do rect "$1" "$y" "$2" "$y"; done
}

# ---------------------------------------------------------------- row icons (16)
# file.ico: a white page with a folded corner.
page 2 0 13 15 4
render 16 file
ico file 16

# folder.ico: a closed yellow folder.
pix 0 0 "o=$YEL_D m=$YEL_M y=$YEL l=$YEL_L" \
  "................" \
  "................" \
  ".ooooo.........." \
  "ommmmmo........." \
  "ommmmmmoooooooo." \
  "ommmmmmmmmmmmmmo" \
  "oooooooooooooooo" \
  "ollllllllllllllo" \
  "olyyyyyyyyyyyyyo" \
  "olyyyyyyyyyyyyyo" \
  "olyyyyyyyyyyyyyo" \
  "olyyyyyyyyyyyyyo" \
  "olyyyyyyyyyyyyyo" \
  "olyyyyyyyyyyyyyo" \
  "oooooooooooooooo" \
  "................"
render 16 folder
ico folder 16

# registry.ico: four blue blocks in a square.
for bx in 1 9; do
  for by in 1 9; do
    box "$BLUE_D" "$BLUE" "$bx" "$by" $((bx + 5)) $((by + 5))
    fill "$BLUE_L"; rect $((bx + 1)) $((by + 1)) $((bx + 4)) $((by + 1)); rect $((bx + 1)) $((by + 2)) $((bx + 1)) $((by + 4))
  done
done
render 16 registry
ico registry 16

# ---------------------------------------------------------------- toolbar icons (24, 16)
# tb_new.ico: a blank page with a yellow star on its corner.
page 4 1 20 22 5
pix 0 0 "o=$STAR_D y=$STAR" \
  ".....o....." \
  "....oyo...." \
  "....oyo...." \
  "oooooyooooo" \
  "oyyyyyyyyyo" \
  ".oyyyyyyyo." \
  "..oyyyyyo.." \
  "..oyyyyyo.." \
  ".oyyyoyyyo." \
  ".oyyo.oyyo." \
  ".ooo...ooo."
render 24 tb_new
page 4 1 15 15 4
pix 0 0 "o=$STAR_D y=$STAR" \
  "....o...." \
  "...oyo..." \
  "ooooyoooo" \
  "oyyyyyyyo" \
  ".oyyyyyo." \
  "..oyyyo.." \
  ".oyyoyyo." \
  ".oyo.oyo." \
  ".oo...oo."
render 16 tb_new
ico tb_new 24 16

# tb_open.ico: an open yellow folder.
pix 0 0 "o=$YEL_D m=$YEL_M y=$YEL l=$YEL_L" \
  "........................" \
  "........................" \
  "........................" \
  "..oooooo................" \
  ".ommmmmmo..............." \
  ".ommmmmmmooooooooooooo.." \
  ".ommmmmmmmmmmmmmmmmmmo.." \
  ".ommmmmmmmmmmmmmmmmmmo.." \
  ".ommmmmmmmmmmmmmmmmmmo.." \
  ".ommmmmmmmmmmmmmmmmmmo.." \
  ".ommmmoooooooooooooooooo" \
  ".ommmmollllllllllllllllo" \
  ".ommmoyyyyyyyyyyyyyyyyo." \
  ".ommmoyyyyyyyyyyyyyyyyo." \
  ".ommoyyyyyyyyyyyyyyyyo.." \
  ".ommoyyyyyyyyyyyyyyyyo.." \
  ".omoyyyyyyyyyyyyyyyyo..." \
  ".omoyyyyyyyyyyyyyyyyo..." \
  ".ooyyyyyyyyyyyyyyyyo...." \
  ".ooyyyyyyyyyyyyyyyyo...." \
  ".oooooooooooooooooo....."
render 24 tb_open
pix 0 0 "o=$YEL_D m=$YEL_M y=$YEL l=$YEL_L" \
  "................" \
  "................" \
  ".oooo..........." \
  "ommmmo.........." \
  "ommmmmoooooooo.." \
  "ommmmmmmmmmmmmo." \
  "ommmmmmmmmmmmmo." \
  "ommooooooooooooo" \
  "ommolllllllllllo" \
  "omoyyyyyyyyyyyo." \
  "omoyyyyyyyyyyyo." \
  "ooyyyyyyyyyyyo.." \
  "ooyyyyyyyyyyyo.." \
  "oooooooooooooo.."
render 16 tb_open
ico tb_open 24 16

# tb_save.ico: a floppy disk.
floppy() {  # S: 24 or 16
  if [ "$1" = 24 ]; then
    fill "$BLUE_D"; poly "2,2 19,2 21,4 21,21 2,21"
    fill "$BLUE";   poly "3,3 18,3 20,5 20,20 3,20"
    box "$STEEL_D" "$STEEL" 6 2 16 8
    fill "$BLUE_D"; rect 12 4 14 6
    box "$BLUE_D" "$PAGE" 5 12 18 21
    fill "$BLUE_L"; rect 7 14 16 14; rect 7 17 16 17
  else
    fill "$BLUE_D"; poly "1,1 13,1 14,2 14,14 1,14"
    fill "$BLUE";   poly "2,2 12,2 13,3 13,13 2,13"
    box "$STEEL_D" "$STEEL" 4 1 11 5
    fill "$BLUE_D"; rect 8 2 9 4
    box "$BLUE_D" "$PAGE" 3 8 12 14
    fill "$BLUE_L"; rect 5 10 10 10; rect 5 12 10 12
  fi
  render "$1" tb_save
}
floppy 24; floppy 16
ico tb_save 24 16

# tb_newitem.ico: a page of text with a green plus.
plus() {  # CX CY ARM (arm length from the centre bar) - bars are three pixels thick
  local cx=$1 cy=$2 a=$3
  fill "$GREEN_D"; rect $((cx - a - 1)) $((cy - 2)) $((cx + a + 1)) $((cy + 2)); rect $((cx - 2)) $((cy - a - 1)) $((cx + 2)) $((cy + a + 1))
  fill "$GREEN";   rect $((cx - a)) $((cy - 1)) $((cx + a)) $((cy + 1)); rect $((cx - 1)) $((cy - a)) $((cx + 1)) $((cy + a))
  fill "$GREEN_L"; rect $((cx - a)) $((cy - 1)) $((cx - 2)) $((cy - 1)); rect $((cx - 1)) $((cy - a)) $((cx - 1)) $((cy - 2))
}
page 2 1 17 22 5; textlines 5 14 9 18 3; textlines 5 10 6 6 3
plus 17 17 4
render 24 tb_newitem
page 1 0 12 14 4; textlines 3 9 6 12 2; textlines 3 6 4 4 2
plus 11 11 3
render 16 tb_newitem
ico tb_newitem 24 16

# tb_remove.ico: a bold red cross.
cross() {  # N W L: half-width W of the red bar and half-length L along the arm
  shape "h = N - 1; w = $2; L = $3
    for (x = 0; x < N; x++) for (y = 0; y < N; y++) {
      a = x - y; b = x + y - h; if (a < 0) a = -a; if (b < 0) b = -b
      if ((a <= w + 1 && b <= L + 1) || (b <= w + 1 && a <= L + 1)) c[x, y] = \"$RED_D\"
    }
    for (x = 0; x < N; x++) for (y = 0; y < N; y++) {
      a = x - y; b = x + y - h; if (a < 0) a = -a; if (b < 0) b = -b
      if ((a <= w && b <= L) || (b <= w && a <= L)) c[x, y] = \"$RED\"
    }" "$1"
  render "$1" tb_remove
}
cross 24 2 16; cross 16 1 11
ico tb_remove 24 16

# tb_properties.ico: a page of text with a blue "i" badge.
page 2 1 17 22 5; textlines 5 14 9 12 3; textlines 5 10 6 6 3; textlines 5 9 15 15 3
fill "$BLUE_D"; circ 17.5 17.5 6
fill "$BLUE";   circ 17.5 17.5 5
fill "$PAGE";   rect 17 14 18 15; rect 17 17 18 21
render 24 tb_properties
page 1 0 12 14 4; textlines 3 9 6 6 2; textlines 3 6 4 4 2; textlines 3 6 8 8 2
fill "$BLUE_D"; circ 11 11 4.5
fill "$BLUE";   circ 11 11 3.5
fill "$PAGE";   rect 11 8 11 8; rect 10 10 11 10; rect 11 11 11 13; rect 10 13 12 13
render 16 tb_properties
ico tb_properties 24 16

# ---------------------------------------------------------------- findings (16)
# error.ico and warning.ico: the level of a check's finding, a red disc with a white
# cross and a yellow triangle with a dark "!". overlay_error.ico and
# overlay_warning.ico are the same signs small, near the bottom-left corner of an
# otherwise empty icon, drawn over an item row's icon.
pix 1 1 "d=$RED_D r=$RED w=$PAGE" \
  "....ddddd...." "..ddrrrrrdd.." ".drrrrrrrrrd." ".drrwrrrwrrd." "drrwwwrwwwrrd" \
  "drrrwwwwwrrrd" "drrrrwwwrrrrd" "drrrwwwwwrrrd" "drrwwwrwwwrrd" ".drrwrrrwrrd." \
  ".drrrrrrrrrd." "..ddrrrrrdd.." "....ddddd...."
render 16 error
ico error 16
pix 0 1 "d=$YEL_D y=$YEL k=$INK" \
  ".......dd......." "......dyyd......" "......dyyd......" ".....dyyyyd....." \
  ".....dykkyd....." "....dyykkyyd...." "....dyykkyyd...." "...dyyykkyyyd..." \
  "...dyyykkyyyd..." "..dyyyyyyyyyyd.." "..dyyyykkyyyyd.." ".dyyyyykkyyyyyd." \
  ".dyyyyyyyyyyyyd." "dddddddddddddddd"
render 16 warning
ico warning 16
# The small signs have a white rim, so that they stand out from the icon below them.
shape "for (x = 0; x < N; x++) for (y = 0; y < N; y++) {
    d = (x - 5) * (x - 5) + (y - 10) * (y - 10); a = x - 5; b = y - 10
    if (a < 0) a = -a; if (b < 0) b = -b
    if (d <= 31) c[x, y] = \"$PAGE\"
    if (d <= 21) c[x, y] = \"$RED_D\"
    if (d <= 13) c[x, y] = \"$RED\"
    if (a == b && a <= 2) c[x, y] = \"$PAGE\"
  }" 16
render 16 overlay_error
ico overlay_error 16
shape "for (x = -1; x <= N; x++) for (y = 0; y <= N; y++)
    tri[x, y] = y >= 6 && y <= 14 && 2 * (x - 5) <= y - 6 && 2 * (5 - x) <= y - 6
  for (x = 0; x < N; x++) for (y = 0; y < N; y++) {
    if (tri[x, y]) {
      c[x, y] = \"$YEL\"
      if (!tri[x - 1, y] || !tri[x + 1, y] || y == 14) c[x, y] = \"$YEL_D\"
    } else if (tri[x - 1, y] || tri[x + 1, y] || tri[x, y + 1] || tri[x - 1, y + 1] || tri[x + 1, y + 1]) {
      c[x, y] = \"$PAGE\"
    }
  }
  c[5, 9] = c[5, 10] = c[5, 11] = c[5, 13] = \"$INK\"" 16
render 16 overlay_warning
ico overlay_warning 16

# ---------------------------------------------------------------- program icon (48, 32, 16)
# varnex.ico: a blue broom with green bristles sweeping up sparkles. The broom lies on
# the diagonal from the top-right corner to the bottom-left one, so every edge is a
# clean 45-degree step. a runs along the broom (positive towards the top right) and
# b across it.
# broom N HANDLE_END HANDLE_HALFWIDTH FERRULE_TOP FERRULE_BOTTOM FERRULE_HALFWIDTH
#       BRISTLE_END BRISTLE_HALFWIDTH STRAND_SPACING (0: no strands)
broom() {
  shape "h = N - 1; ht = $2; hw = $3; ft = $4; fb = $5; fw = $6; be = $7; bw = $8; sp = $9
    for (x = 0; x < N; x++) for (y = 0; y < N; y++) {
      a = x - y; b = x + y - h; ab = b < 0 ? -b : b
      # handle
      if (a > ft && a <= ht + 1 && ab <= hw + 1) c[x, y] = \"$BLUE_D\"
      if (a > ft && a <= ht && ab <= hw) c[x, y] = (b == -hw && hw > 0) ? \"$BLUE_L\" : \"$BLUE\"
      # bristles: widen linearly from the ferrule to the tips
      if (a < fb && a >= be) {
        w = int(fw + (bw - fw) * (fb - a) / (fb - be) + 0.5)
        if (ab <= w) {
          c[x, y] = \"$GREEN\"; head[x, y] = 1
          if (sp > 0 && ((b % sp) + sp) % sp == 0 && a < fb - 1 && a > be) c[x, y] = \"$GREEN_S\"
        }
      }
    }
    # one-pixel outline around the bristles, lit along their upper-left side
    for (x = 0; x < N; x++) for (y = 0; y < N; y++) {
      if (((x, y) in head) && !((x, y - 1) in head) && x + y - h < 0) c[x, y] = \"$GREEN_L\"
      if (!((x, y) in head) && (((x - 1, y) in head) || ((x + 1, y) in head) || ((x, y - 1) in head) || ((x, y + 1) in head)))
        c[x, y] = \"$GREEN_D\"
    }
    for (x = 0; x < N; x++) for (y = 0; y < N; y++) {
      a = x - y; b = x + y - h; ab = b < 0 ? -b : b
      # ferrule binding the bristles to the handle
      if (a >= fb && a <= ft && ab <= fw + 1) c[x, y] = \"$STEEL_D\"
      if (a > fb && a < ft && ab <= fw) c[x, y] = (b < 0) ? \"$PAGE\" : \"$STEEL\"
    }" "$1"
}
sparkle() {  # CX CY SIZE (2: 9x9, 1: 7x7, 0: 5x5), centred on CX,CY
  case $3 in
    2) pix $(($1 - 4)) $(($2 - 4)) "b=$BLUE l=$BLUE_L w=$PAGE" \
         "....b...." "....b...." "...blb..." "..blwlb.." "bblwwwlbb" "..blwlb.." "...blb..." "....b...." "....b...." ;;
    1) pix $(($1 - 3)) $(($2 - 3)) "b=$BLUE l=$BLUE_L w=$PAGE" \
         "...b..." "...b..." "..blb.." "bblwlbb" "..blb.." "...b..." "...b..." ;;
    *) pix $(($1 - 2)) $(($2 - 2)) "b=$BLUE l=$BLUE_L w=$PAGE" \
         "..b.." "..l.." "blwlb" "..l.." "..b.." ;;
  esac
}
broom 48 44 2 -3 -8 5 -30 16 4
sparkle 37 37 2; sparkle 44 26 0; sparkle 26 44 0
render 48 varnex
broom 32 29 1 -2 -5 3 -20 10 3
sparkle 24 24 1; sparkle 29 16 0
render 32 varnex
broom 16 14 0 1 -1 2 -8 5 0
sparkle 12 12 0
render 16 varnex
ico varnex 48 32 16
