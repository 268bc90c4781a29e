#!/usr/bin/env bash
# Every panel button stays on screen while the pointer goes from one to the
# next, under Wine, for a disc whose guides sit beside their buttons and are
# erased as the guide moves, and whose button faces differ in size: each
# hover repaints part of the panel. Also with DO NOT ERASE BUTTON GUIDES,
# where every guide picture shown stays, and with a guide picture missing,
# where the panel stays as the guide attempt left it.
# Usage: end_to_end_panel_paint.sh SetupTvx.exe tvxauto.exe ARTIFACT_FOLDER DISC
set -euo pipefail

PANEL="Tarvex Setup - Zephra"
BUTTONS="1000 1003 1002 2 1004"
declare -A BASE=([1000]=Install [1003]=Uninst [1002]=Play [2]=Quit [1004]=Web)
# Where the disc's script puts each button and each guide picture.
declare -A BUTTON_AT=([1000]="420 130" [1003]="420 250" [1002]="420 190" [2]="420 310" [1004]="420 370")
declare -A GUIDE_AT=([1000]="178 134" [1003]="178 254" [1002]="178 194" [2]="178 314")
declare -A GUIDE_PICTURE=([1000]=_i [1003]=_u [1002]=_s [2]=_e)

# ---- under Wine: each case below runs this file again with "inside" -------------

fail() { echo "  not so: $*"; fails=$((fails + 1)); }
rect_of() { auto rect "$PANEL" "$1"; }
crop() {  # crop SCREENSHOT "LEFT TOP RIGHT BOTTOM" OUT
  local l t r b
  read -r l t r b <<<"$2"
  convert "$1" -crop "$((r - l))x$((b - t))+$l+$t" +repage "$3"
}
same() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" = 0 ]; }
# The picture a file shows at 24 bits: its colours are the panel palette's.
picture() { convert "$DISC_COPY/InstData/$1" -define png:color-type=2 "$2"; }
background_at() {  # background_at "LEFT TOP RIGHT BOTTOM" OUT: the plain panel there
  local l t r b
  read -r l t r b <<<"$1"
  convert "$DISC_COPY/InstData/Panel.pcx" -crop "$((r - l))x$((b - t))+$((l - origin_x))+$((t - origin_y))" \
    +repage -define png:color-type=2 "$2"
}

# A button shows the picture of a face (u, f, x) at its place now.
shows_face() {  # shows_face SHOT ID FACE
  crop "$1" "$(rect_of "$2")" "$work/seen.png"
  picture "${BASE[$2]}$3.pcx" "$work/face.png"
  same "$work/seen.png" "$work/face.png"
}

check_others() {  # check_others HOVERED: every other button as it was before
  local id
  for id in $BUTTONS; do
    [ "$id" = "$1" ] && continue
    [ "$(rect_of "$id")" = "${rest[$id]}" ] || fail "hovering $1 moved $id: $(rect_of "$id")"
    crop "$work/after.png" "${rest[$id]}" "$work/other-after.png"
    same "$work/before-$id.png" "$work/other-after.png" || fail "hovering $1 changed button $id"
  done
}

check_hovered() {  # check_hovered ID
  if [ "$TVX_DEPTH" = 24 ]; then
    shows_face "$work/after.png" "$1" "${hover_face[$1]}" || fail "$1 shows its ${hover_face[$1]} face when hovered"
  elif [ "${hover_face[$1]}" = f ]; then
    # Wine shows an 8-bit display through a fixed colour cube, and a screen
    # copy reads it back through the default palette: only pictures whose
    # colours differ much are told apart.
    crop "$work/after.png" "${rest[$1]}" "$work/hovered.png"
    if same "$work/before-$1.png" "$work/hovered.png"; then fail "$1 shows its focus face when hovered"; fi
  fi
}

# The guide moves to the hovered button's picture; where it was is panel
# again, or, when the script keeps guides, still shows the pictures shown.
check_guide() {  # check_guide ID
  local was=$guide_rect now
  now=$(rect_of 1007)
  if [ -z "${GUIDE_AT[$1]:-}" ] || [ "${hover_face[$1]}" != f ]; then
    [ "$now" = "$was" ] || fail "hovering $1 moved the guide"
    return 0
  fi
  local x y
  read -r x y <<<"${GUIDE_AT[$1]}"
  [ "$now" = "$((origin_x + x)) $((origin_y + y)) $((origin_x + x + 230)) $((origin_y + y + 36))" ] ||
    fail "the guide of $1 at ${GUIDE_AT[$1]}: $now"
  crop "$work/after.png" "$now" "$work/guide.png"
  picture "Guide${GUIDE_PICTURE[$1]}.pcx" "$work/guide-file.png"
  same "$work/guide.png" "$work/guide-file.png" || fail "the guide shows Guide${GUIDE_PICTURE[$1]}.pcx"
  if [ "$guide" = kept ]; then
    local place
    for place in "${!kept[@]}"; do
      crop "$work/after.png" "$place" "$work/old-guide.png"
      picture "${kept[$place]}" "$work/guide-file.png"
      same "$work/old-guide.png" "$work/guide-file.png" || fail "hovering $1 kept ${kept[$place]}"
    done
    kept[$now]=Guide${GUIDE_PICTURE[$1]}.pcx
  elif [ "$was" != "$now" ]; then
    crop "$work/after.png" "$was" "$work/old-guide.png"
    background_at "$was" "$work/panel-there.png"
    same "$work/old-guide.png" "$work/panel-there.png" || fail "the guide before $1 erased"
  fi
  guide_rect=$now
}

inside() {  # inside CASE "DISABLED IDS" shown|kept|hidden EXIT_CODE
  source "$TVX_AUTO_HELPER"
  local name=$1 disabled=$2 guide=$3 code=$4 id
  fails=0
  work=$(mktemp -d)
  wine "D:\\SetupTvx.exe" & pid=$!
  if [ "$guide" = hidden ]; then
    auto wait SetupTvx 30000 || { echo "  no message for the missing guide picture"; kill $pid; exit 1; }
    text=$(auto text SetupTvx 65535)
    [ "$text" = "Can't open D:\InstData\Guide_s.pcx !!" ] || fail "the message: $text"
    auto press SetupTvx 1
  fi
  auto wait "$PANEL" 30000 || { echo "  no panel"; kill $pid; exit 1; }
  sleep 1
  import -window root "$ARTIFACTS/panel-paint-$name-start.png"
  controls=$(auto controls "$PANEL")
  declare -A rest hover_face kept
  read -r origin_x origin_y _ _ < <(rect_of 1000)
  origin_x=$((origin_x - 420)) origin_y=$((origin_y - 130))
  for id in $BUTTONS; do
    case " $disabled " in *" $id "*) state=" (disabled)" hover_face[$id]=x ;; *) state="" hover_face[$id]=f ;; esac
    grep -q "^$id Button \"\"$state$" <<<"$controls" || fail "$id${state:- enabled}"
  done
  grep -q "^1007 Button \"\" (disabled)$" <<<"$controls" || [ "$guide" = hidden ] || fail "the guide shown"
  grep -q "^1007 .*(hidden)$" <<<"$controls" || [ "$guide" != hidden ] || fail "the guide hidden"

  # The first button has the keyboard focus and its focus face; the pointer
  # over it and away leaves every button at rest.
  auto hover "$PANEL" 1000
  auto point $((origin_x + 20)) $((origin_y + 300))
  sleep 0.5
  import -window root "$work/before.png"
  cp "$work/before.png" "$ARTIFACTS/panel-paint-$name-before.png"
  for id in $BUTTONS; do
    rest[$id]=$(rect_of "$id")
    read -r x y <<<"${BUTTON_AT[$id]}"
    case ${rest[$id]} in "$((origin_x + x)) $((origin_y + y)) "*) ;; *) fail "$id at $x,$y: ${rest[$id]}" ;; esac
    crop "$work/before.png" "${rest[$id]}" "$work/before-$id.png"
    local face=u
    [ "${hover_face[$id]}" = x ] && face=x
    if [ "$TVX_DEPTH" = 24 ]; then shows_face "$work/before.png" "$id" $face || fail "$id shows its $face face"; fi
  done
  guide_rect=$(rect_of 1007)
  if [ "$guide" != hidden ] && [ "$TVX_DEPTH" = 24 ]; then
    crop "$work/before.png" "$guide_rect" "$work/guide.png"
    picture Guide_i.pcx "$work/guide-file.png"
    same "$work/guide.png" "$work/guide-file.png" || fail "the guide shows Guide_i.pcx"
    kept[$guide_rect]=Guide_i.pcx
  fi

  for id in $BUTTONS; do
    auto hover "$PANEL" "$id"
    sleep 0.7
    import -window root "$work/after.png"
    cp "$work/after.png" "$ARTIFACTS/panel-paint-$name-hover-$id.png"
    check_others "$id"
    check_hovered "$id"
    if [ "$guide" != hidden ] && [ "$TVX_DEPTH" = 24 ]; then check_guide "$id"; fi
  done

  auto press "$PANEL" 2
  status=0; wait $pid || status=$?
  [ $status = "$code" ] || fail "Quit ends with $code, not $status"
  rm -rf "$work"
  echo "  $TVX_WINE_VERSION, $TVX_DEPTH bits: $fails problem(s)"
  [ $fails = 0 ]
}

if [ "${1:-}" = inside ]; then
  shift
  inside "$@"
  exit
fi

# ---- the cases -----------------------------------------------------------------

export SETUP=$1 AUTO=$2 ARTIFACTS=$3 DISC=$4
source "$(dirname "$0")/end_to_end_common.sh"
mkdir -p "$ARTIFACTS"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT
export DISC_COPY=$stage/disc
self=$(cd "$(dirname "$0")" && pwd)/$(basename "$0")

panel_paint() {  # panel_paint VERSION DEPTH CASE "DISABLED IDS" shown|kept|hidden EXIT_CODE [MISSING_PICTURE]
  stage_disc "$DISC_COPY" "$SETUP" "$DISC"
  [ -z "${7:-}" ] || rm "$DISC_COPY/InstData/$7"
  [ "$5" != kept ] || sed -i 's/^\[LANGUAGES\]\r$/[DO NOT ERASE BUTTON GUIDES]\r\n&/' "$DISC_COPY/InstData/tvx.ins"
  TVX_DEPTH=$2 "$wine_tool" with --version "$1" --depth "$2" --cd "$DISC_COPY" --label ZEPHRA --display \
    --timeout 180 -- "$self" inside "$3" "$4" "$5" "$6"
}

check "guides beside the buttons, faces of four sizes: Windows 98, true colour" \
  panel_paint win98 24 win98 "1003" shown 0
check "guides beside the buttons, faces of four sizes: Windows 98, an 8-bit display" \
  panel_paint win98 8 win98-8bit "1003" shown 0
check "DO NOT ERASE BUTTON GUIDES: every guide shown stays (Windows 98, true colour)" \
  panel_paint win98 24 keep-guides "1003" kept 0
check "a guide picture missing: every button still shows (Windows 2000)" \
  panel_paint win2k 24 guide-missing "" hidden 3 Guide_s.pcx
finish
