#!/usr/bin/env bash
# The front panel of the sample disc under Wine, started from the disc on
# CD-ROM drive D: labelled ZEPHRA: the language choice, the panel centred
# with its buttons where the script puts them and enabled as the machine
# allows, pictures and guide following the pointer, a display change, Quit
# or the close box; on an 8-bit display too; and the question, owned by the
# panel, when nothing suits the machine.
# Usage: end_to_end_panel.sh SetupTvx.exe tvxauto.exe ARTIFACT_FOLDER
set -euo pipefail
export SETUP=$1 AUTO=$2 ARTIFACTS=$3
source "$(dirname "$0")/end_to_end_common.sh"
mkdir -p "$ARTIFACTS"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Shell helpers for the snippets: auto, region (a screen area as a picture),
# differ (two pictures are not the same).
export HELPERS='
source "$TVX_AUTO_HELPER"
region() { read -r l t r b < <(auto rect "$PANEL" "$1"); import -window root -crop "$((r - l))x$((b - t))+$l+$t" "$2"; }
differ() { [ "$(compare -metric AE "$1" "$2" null: 2>&1 || true)" != 0 ]; }
PANEL="Tarvex Setup - Zephra"'

panel_on() {  # panel_on VERSION DEPTH SCREENSHOT "DISABLED IDS" HOVERED_ID press|close
  stage_disc "$work/disc" "$SETUP"
  export SHOT=$3 DISABLED=$4 HOVER=$5 TVX_DEPTH=$2 ENDING=$6
  export work=$work
  "$wine_tool" with --version "$1" --depth "$2" --cd "$work/disc" --label ZEPHRA --display --timeout 180 -- bash -c "$HELPERS"'
    wine "D:\\SetupTvx.exe" & pid=$!
    auto wait "Tarvex Installer - Language Choice" 30000 || { echo "no language choice"; exit 1; }
    auto press "Tarvex Installer - Language Choice" 1
    auto wait "$PANEL" 30000 || { echo "no panel"; exit 1; }
    sleep 1
    import -window root "$ARTIFACTS/$SHOT"
    fails=0; fail() { echo "  not so: $*"; fails=$((fails + 1)); }
    [ "$(auto rect "$PANEL")" = "80 60 720 540" ] || fail "640 x 480 centred on 800 x 600: $(auto rect "$PANEL")"
    # The splash showed while the machine was tested; the panel hid it.
    auto list | grep -q "#32770 \"\" 637x245 (hidden)$" || fail "the splash, hidden behind the panel"
    controls=$(auto controls "$PANEL")
    for id in 1000 1003 1002 2 1004 1007; do
      case " $DISABLED " in *" $id "*) state=" (disabled)" ;; *) state="" ;; esac
      grep -q "^$id Button \"\"$state$" <<<"$controls" || fail "$id${state:- enabled}"
    done
    read -r il it _ _ < <(auto rect "$PANEL" 1000); read -r pl pt _ _ < <(auto rect "$PANEL" 1002)
    [ "$pl" = "$il" ] && [ $((pt - it)) = 60 ] || fail "Play 60 pixels below Install, as the script says"
    region 1007 "$work/guide-before.png"; region "$HOVER" "$work/button-before.png"
    auto hover "$PANEL" "$HOVER"; sleep 0.5
    region 1007 "$work/guide-after.png"; region "$HOVER" "$work/button-after.png"
    # Wine shows an 8-bit display through a fixed colour cube, and a screen
    # copy reads it back through the default palette: the button faces still
    # differ there, but the guide reads back the same, hovered or not.
    if [ "$TVX_DEPTH" = 24 ]; then
      differ "$work/guide-before.png" "$work/guide-after.png" || fail "the guide follows the pointer to $HOVER"
    else
      echo "  [WINE] at 8 bits the guide reads back the same before and after the pointer comes"
      differ "$work/guide-before.png" "$work/guide-after.png" &&
        fail "Wine now shows the guide change at 8 bits: compare it there too"
    fi
    differ "$work/button-before.png" "$work/button-after.png" || fail "$HOVER shows its focus picture"
    import -window root "$ARTIFACTS/hover-$SHOT"
    auto display-change "$PANEL" || fail "display change delivered"
    sleep 0.5
    region "$HOVER" "$work/button-reloaded.png"
    differ "$work/button-after.png" "$work/button-reloaded.png" && fail "pictures not the same after a display change"
    if [ "$ENDING" = close ]; then auto close "$PANEL"; else auto press "$PANEL" 2; fi
    status=0; wait $pid || status=$?
    [ $status = 0 ] || fail "$ENDING ends with 0, not $status"
    echo "  $TVX_WINE_VERSION: $fails problem(s)"; [ $fails = 0 ]'
}

# A script whose one configuration needs more memory than any machine has.
no_match_question() {
  stage_disc "$work/disc" "$SETUP"
  printf '%s\r\n' "[APPLICATION NAME]" Zephra "[VOLUME NAME]" ZEPHRA "[IMAGE]" Panel.pcx \
    "[LANGUAGES]" "English,English,strings.eng,zephra.eng," "[END LANGUAGES]" \
    "[BUTTONS POSITION]" 440,130 440,250 440,190 440,310 \
    "[CONFIG]" "[HARDWARE COMPONENTS]" "Memory > 30000" "[END CONFIG]" "[END SCRIPT]" >"$work/disc/InstData/tvx.ins"
  "$wine_tool" with --version win2k --cd "$work/disc" --label ZEPHRA --display --timeout 180 -- bash -c "$HELPERS"'
    wine "D:\\SetupTvx.exe" & pid=$!
    auto wait Zephra 30000 || { echo "no question"; exit 1; }
    question=$(auto text Zephra 1017)
    owner=$(auto owner Zephra)
    import -window root "$ARTIFACTS/no-match-question.png"
    auto press Zephra 1
    why="Why configurations do not suit this computer"
    auto wait "$why" 30000 || { echo "no explanation"; exit 1; }
    lines=$(auto items "$why" 1020)
    import -window root "$ARTIFACTS/no-match-from-panel.png"
    auto press "$why" 1
    status=0; wait $pid || status=$?
    echo "  question: $question"; echo "  owned by: $owner"; echo "  lacks: $lines"; echo "  exit code $status"
    case $question in "No configuration of Zephra suits this computer."*"Do you want to see why?") ;; *) exit 1 ;; esac
    # The panel owns what it asks, though it shows only after.
    [ "$owner" = "$PANEL" ] || exit 1
    case $lines in *Memory*) ;; *) exit 1 ;; esac
    [ $status = 3 ]'
}

check "the panel on Windows 98, true colour" panel_on win98 24 panel-win98.png "1003 1007" 1002 press
check "the panel on Windows 98, an 8-bit display" panel_on win98 8 panel-win98-8bit.png "1003 1007" 1002 press
check "the panel on Windows 2000: nothing to play from the disc; closed" panel_on win2k 24 panel-win2k.png \
  "1003 1002 1007" 2 close
check "nothing suits: the question, the explanation, the end" no_match_question
finish
