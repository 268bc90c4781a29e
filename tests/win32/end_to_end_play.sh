#!/usr/bin/env bash
# Playing under Wine with the project's test game as the product's program:
# what the game receives with and without the disc labelled ZEPHRA on D:,
# from "-play" and from the panel's Play button; an install folder with
# blanks beside a planted C:\Program.exe; and the boxes of the ways a start
# fails: nothing to play, too little memory, a missing program or folder,
# a file that is not a program.
# Usage: end_to_end_play.sh SetupTvx.exe tvxauto.exe tvxgame.exe ARTIFACT_FOLDER
set -euo pipefail
export SETUP=$1 AUTO=$2 GAME=$3 ARTIFACTS=$4
source "$(dirname "$0")/end_to_end_common.sh"
mkdir -p "$ARTIFACTS"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export work

# Helpers, handed to the snippets, which run inside the prefix:
#   script FILE TOP CONFIG   a script with one configuration any machine
#                            takes; TOP and CONFIG are "|"-separated lines,
#                            PROGRAM the program's name (Zephra.exe),
#                            WORKDIR its working directory (.)
#   install_product DIR TOP CONFIG   the product recorded in "tvx.ini" as installed
#                            in DIR (C:\..., ending "\"), the game as its program
#   record                   what the game wrote down, once it has
#   forget                   takes out of the prefix all the above put in
script() {
  local IFS="|"
  # shellcheck disable=SC2086 # the lines split on "|"
  printf "%s\r\n" "[APPLICATION NAME]" Zephra "[VOLUME NAME]" ZEPHRA "[IMAGE]" Panel.pcx $2 \
    "[LANGUAGES]" "English,English,strings.eng,zephra.eng," "[END LANGUAGES]" \
    "[BUTTONS POSITION]" 440,130 440,250 440,190 440,310 \
    "[CONFIG]" "[TYPE CONFIG]" Full $3 "[PROGRAM NAME]" "${PROGRAM:-Zephra.exe}" "[WORKING DIRECTORY]" "${WORKDIR:-.}" \
    "[END CONFIG]" "[END SCRIPT]" >"$1"
}
unix_path() {
  local p=${1#C:\\}
  p=${p//\\//}
  echo "$WINEPREFIX/drive_c/${p%/}"
}
install_product() {
  local dir
  dir=$(unix_path "$1")
  mkdir -p "$dir/InstData" "$WINEPREFIX/drive_c/windows/Tarvex"
  cp "$work/disc/InstData/"*.pcx "$work/disc/InstData/"*.eng "$dir/InstData/"
  script "$dir/InstData/tvx.ins" "$2" "$3"
  cp "$GAME" "$dir/Zephra.exe"
  printf "%s\r\n" "[INSTALLED PRODUCTS]" Zephra "" "[Zephra]" "Directory=$1" "SrcDataPath=\\" \
    "VolumeName=ZEPHRA" "Configuration=0" "Language=English" >"$WINEPREFIX/drive_c/windows/Tarvex/tvx.ini"
}
record() {
  local log=$WINEPREFIX/drive_c/windows/tvxgame.log i
  for i in $(seq 50); do grep -q "^mutex" "$log" 2>/dev/null && break; sleep 0.1; done
  [ ! -f "$log" ] || tr -d "\r" <"$log"
}
forget() {
  local c=$WINEPREFIX/drive_c
  [ -n "$WINEPREFIX" ] || return 1
  rm -rf "$c/Tarvex" "$c/Program Files/Zephra" "$c/Program.exe" "$c/windows/Tarvex" "$c/windows/tvxgame.log"
}
HELPERS="$(declare -f script unix_path install_product record forget)"'
source "$TVX_AUTO_HELPER"
drive_c=$WINEPREFIX/drive_c
fails=0; fail() { echo "  not so: $*"; fails=$((fails + 1)); }
done_with() { forget; echo "  $fails problem(s)"; [ $fails = 0 ]; }
forget'
export HELPERS

# The disc: the sample's pictures and strings with the one-configuration
# script, the program at its root.
stage_play_disc() {
  stage_disc "$work/disc" "$SETUP"
  rm -f "$work/disc/InstData/Tvxins.dat"
  PROGRAM=Zephra.exe script "$work/disc/InstData/tvx.ins" "" ""
}

# play_mode WINDOWS_DIRECTORY WITH_DISC EXPECTED_COMMAND_LINE
play_mode() {
  stage_play_disc
  export DIRECTORY=$1 EXPECTED=$3 WITH_DISC=$2
  local cd=()
  [ "$2" = yes ] && cd=(--cd "$work/disc" --label ZEPHRA)
  "$wine_tool" with --version win98 "${cd[@]}" --display --timeout 120 -- bash -c "$HELPERS"'
    install_product "$DIRECTORY" "" ""
    cp "$GAME" "$drive_c/Program.exe"
    cp "$SETUP" "$(unix_path "$DIRECTORY")/SetupTvx.exe"
    setup="D:\\SetupTvx.exe"; [ "$WITH_DISC" = yes ] || setup="${DIRECTORY}SetupTvx.exe"
    status=0; timeout 60 wine "$setup" -play Zephra || status=$?
    got=$(record)
    echo "$got" | sed "s/^/  /"
    [ $status = 0 ] || fail "ends with 0, not $status"
    grep -qxF "run ${DIRECTORY}Zephra.exe" <<<"$got" || fail "the game ran"
    grep -qxF "command line: $EXPECTED" <<<"$got" || fail "command line $EXPECTED"
    grep -qxF "current directory: ${DIRECTORY%\\}" <<<"$got" || fail "in its folder"
    grep -qxF "mutex ZEPHRAEXE: taken" <<<"$got" || fail "the product mutex was closed before"
    grep -q "^run C:\\\\Program.exe" <<<"$got" && fail "the planted C:\\Program.exe ran"
    done_with'
}

from_the_panel() {
  stage_play_disc
  "$wine_tool" with --version win98 --cd "$work/disc" --label ZEPHRA --display --timeout 120 -- bash -c "$HELPERS"'
    install_product "C:\\Tarvex\\Zephra\\" "" ""
    panel="Tarvex Setup - Zephra"
    wine "D:\\SetupTvx.exe" & pid=$!
    auto wait "$panel" 30000 || { echo "no panel"; forget; exit 1; }
    auto press "$panel" 1002
    status=0; wait $pid || status=$?
    got=$(record)
    echo "$got" | sed "s/^/  /"
    [ $status = 0 ] || fail "ends with 0, not $status"
    grep -qxF "command line: \"C:\\Tarvex\\Zephra\\Zephra.exe\" -l:English -cdrom:D" <<<"$got" || fail "started"
    grep -qxF "mutex ZEPHRAEXE: taken" <<<"$got" || fail "the product mutex was closed before"
    auto list | grep -q "$panel" && fail "the panel is gone"
    done_with'
}

# A playable configuration on the disc plays from there without installing.
from_the_disc() {
  stage_play_disc
  PROGRAM="Program\Zephra.exe" WORKDIR=Program \
    script "$work/disc/InstData/tvx.ins" "" "[PLAYABLE CONFIG]|[WITHOUT COMMON FILES]|[EXE IS ON CD]"
  mkdir -p "$work/disc/Program"
  cp "$GAME" "$work/disc/Program/Zephra.exe"
  "$wine_tool" with --version win98 --cd "$work/disc" --label ZEPHRA --display --timeout 120 -- bash -c "$HELPERS"'
    status=0; timeout 60 wine "D:\\SetupTvx.exe" -play Zephra || status=$?
    got=$(record)
    echo "$got" | sed "s/^/  /"
    [ $status = 0 ] || fail "ends with 0, not $status"
    grep -qxF "command line: \"D:\Program\Zephra.exe\" -l:English -cdrom:D" <<<"$got" || fail "started"
    grep -qxF "current directory: D:\Program" <<<"$got" || fail "in its folder on the disc"
    grep -qxF "mutex ZEPHRAEXE: taken" <<<"$got" || fail "the product mutex was closed before"
    [ ! -e "$drive_c/windows/Tarvex/tvx.ini" ] || ! grep -q "INSTALLED" "$drive_c/windows/Tarvex/tvx.ini" ||
      fail "nothing recorded as installed"
    done_with'
}

# The game stays on the disc and the disc is not in: the prompt comes
# again after OK, and Cancel starts nothing.
disc_prompt() {
  stage_play_disc
  "$wine_tool" with --version win98 --display --timeout 120 -- bash -c "$HELPERS"'
    install_product "C:\\Tarvex\\Zephra\\" "" "[EXE IS ON CD]"
    cp "$SETUP" "$drive_c/Tarvex/Zephra/SetupTvx.exe"
    wine "C:\\Tarvex\\Zephra\\SetupTvx.exe" -play Zephra & pid=$!
    prompts=0
    for answer in 1 2; do
      auto wait Zephra 30000 || { fail "no prompt"; break; }
      text=$(auto text Zephra 65535)
      [ "$text" = "Please insert the disc labelled ZEPHRA in the CD-ROM drive, then choose OK." ] || fail "text: $text"
      prompts=$((prompts + 1))
      auto press Zephra $answer
      sleep 0.5
    done
    status=0; wait $pid || status=$?
    echo "  $prompts prompt(s); exit code $status"
    [ $status = 0 ] || fail "ends with 0, not $status"
    [ -z "$(record)" ] || fail "nothing started"
    done_with'
}

# a_box CAPTION EXPECTED_TEXT INSTALLED TOP CONFIG [PROGRAM [GAME_BYTES]]: "-play"
# shows that box, starts nothing and ends. With wine_text set, Wine is held
# to that text instead and wine_says names the difference.
wine_text="" wine_says=""
a_box() {
  stage_play_disc
  export CAPTION=$1 TEXT=$2 INSTALLED=$3 TOP=$4 CONFIG=$5 PROGRAM=${6:-Zephra.exe} BYTES=${7:-}
  export WINE_TEXT=$wine_text WINE_SAYS=$wine_says
  wine_text="" wine_says=""
  "$wine_tool" with --version win98 --cd "$work/disc" --label ZEPHRA --display --timeout 120 -- bash -c "$HELPERS"'
    if [ "$INSTALLED" = yes ]; then install_product "C:\\Tarvex\\Zephra\\" "$TOP" "$CONFIG"; fi
    dir=$drive_c/Tarvex/Zephra
    [ -z "$BYTES" ] || printf "%s" "$BYTES" >"$dir/Zephra.exe"
    wine "D:\\SetupTvx.exe" -play Zephra & pid=$!
    auto wait "$CAPTION" 30000 || { echo "no box \"$CAPTION\""; kill $pid; forget; exit 1; }
    text=$(auto text "$CAPTION" 65535)
    auto press "$CAPTION" 1
    status=0; wait $pid || status=$?
    echo "  box: $text; exit code $status"
    if [ -n "$WINE_TEXT" ]; then
      echo "  [WINE] $WINE_SAYS"
      [ "$text" = "$TEXT" ] && fail "Wine now answers as Windows does: expect it there too"
      [ "$text" = "$WINE_TEXT" ] || fail "the text"
    else
      [ "$text" = "$TEXT" ] || fail "the text"
    fi
    [ -z "$(record)" ] || fail "nothing started"
    done_with'
}

for row in "C:\\Tarvex\\Zephra\\|yes|\"C:\\Tarvex\\Zephra\\Zephra.exe\" -l:English -cdrom:D" \
  "C:\\Tarvex\\Zephra\\|no|\"C:\\Tarvex\\Zephra\\Zephra.exe\" -l:English" \
  "C:\\Program Files\\Zephra\\|yes|\"C:\\Program Files\\Zephra\\Zephra.exe\" -l:English -cdrom:D"; do
  IFS="|" read -r directory disc expected <<<"$row"
  check "-play, installed in $directory, disc $disc: $expected" play_mode "$directory" "$disc" "$expected"
done
check "the panel's Play starts the game and closes" from_the_panel
check "a playable configuration plays from the disc" from_the_disc
check "the game on the disc: asked for it, OK, asked again, Cancel" disc_prompt
check "nothing to play" a_box "Error in launching 'exe' file" $'Invalid configuration !\nPlease install this product...' \
  no "" ""
check "not enough memory" a_box "Zephra cannot start" \
  "There is not enough memory to play Zephra. Close other programs, then try again." yes "[SPACE REQUIRED]|999999" ""
check "a missing program" a_box "Zephra cannot start" \
  "The game's program cannot be found: install the product again." yes "" "" Gone.exe
# Windows answers 3 (path not found) for a program in a missing folder;
# Wine answers 2, so the user reads string 263 there.
wine_text="The game's program cannot be found: install the product again."
wine_says="a program in a missing folder: WinExec answers 2 (file not found), not 3 (path not found)"
check "a missing folder" a_box "Zephra cannot start" \
  "The game's folder cannot be found: install the product again." yes "" "" "Bin\\Zephra.exe"
check "a file that is not a program" a_box "Zephra cannot start" \
  "The game's program is damaged: install the product again." yes "" "" Zephra.exe "not a program"
finish
