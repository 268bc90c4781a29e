#!/usr/bin/env bash
# The question and language dialogs on the real backend under Wine: texts
# and labels read, lists selected and buttons pressed by the automation
# program, a screenshot of each kept.
# Usage: end_to_end_dialogs.sh tvx_dialog_demo.exe tvxauto.exe ARTIFACT_FOLDER
set -euo pipefail
export DEMO=$1 AUTO=$2 ARTIFACTS=$3
source "$(dirname "$0")/end_to_end_common.sh"
mkdir -p "$ARTIFACTS"

# Runs a shell snippet on a fresh display with helpers: auto, centred.
on_display() {
  "$wine_tool" with --version win98 --display --timeout 120 -- bash -c '
    source "$TVX_AUTO_HELPER"
    # centred NAME ID: the control'"'"'s centre is within 4 pixels of the window'"'"'s.
    centred() {
      read -r l t r b < <(auto rect "$1"); read -r cl ct cr cb < <(auto rect "$1" "$2")
      d=$(( (l + r) - (cl + cr) )); [ ${d#-} -le 8 ]
    }
    # on_screen_centre NAME: the window'"'"'s centre is within a pixel of the screen'"'"'s.
    on_screen_centre() {
      read -r l t r b < <(auto rect "$1"); read -r w h < <(auto screen)
      dx=$(( (l + r) - w )); dy=$(( (t + b) - h )); [ ${dx#-} -le 2 ] && [ ${dy#-} -le 2 ]
    }
    '"$1"
}

two_button_question() {
  on_display '
    out=$(mktemp)
    wine "$DEMO" question "No configuration suits this machine." "Zephra Question" >"$out" & pid=$!
    auto wait "Zephra Question" 30000 || { kill $pid; exit 1; }
    text=$(auto text "Zephra Question" 1017); yes=$(auto text "Zephra Question" 1); no=$(auto text "Zephra Question" 2)
    on_screen_centre "Zephra Question" && placed=centred || placed="off-centre: $(auto rect "Zephra Question")"
    import -window root "$ARTIFACTS/question-dialog.png" || true
    auto press "Zephra Question" 2
    wait $pid || true
    answer=$(tr -d "\r" <"$out")
    echo "text=\"$text\" buttons=\"$yes\",\"$no\" on screen $placed $answer"
    [ "$placed" = centred ] && [ "$text" = "No configuration suits this machine." ] && [ "$yes" = Yes ] && [ "$no" = No ] && [ "$answer" = answer=7 ]'
}

one_button_notice() {
  on_display '
    out=$(mktemp)
    wine "$DEMO" notice "The files were copied." "Zephra Notice" >"$out" & pid=$!
    auto wait "Zephra Notice" 30000 || { kill $pid; exit 1; }
    label=$(auto text "Zephra Notice" 1); hidden=$(auto controls "Zephra Notice" | grep -c "^2 .*(hidden)" || true)
    centred "Zephra Notice" 1 && placed=centred || placed=off-centre
    import -window root "$ARTIFACTS/question-one-button.png" || true
    auto press "Zephra Notice" 1
    wait $pid || true
    answer=$(tr -d "\r" <"$out")
    echo "label=\"$label\" second-hidden=$hidden $placed $answer"
    [ "$label" = Close ] && [ "$hidden" = 1 ] && [ $placed = centred ] && [ "$answer" = answer=6 ]'
}

language_choice() {
  on_display '
    out=$(mktemp)
    caption="Tarvex Installer - Language Choice"
    wine "$DEMO" language >"$out" & pid=$!
    auto wait "$caption" 30000 || { kill $pid; exit 1; }
    shown=$(auto text "$caption" 1009); ok=$(auto text "$caption" 1); label=$(auto controls "$caption" | grep -c "\"Choose a language\"" || true)
    on_screen_centre "$caption" && placed=centred || placed="off-centre: $(auto rect "$caption")"
    import -window root "$ARTIFACTS/language-dialog.png" || true
    auto select "$caption" 1009 2 && auto press "$caption" 1
    wait $pid || true
    answer=$(tr -d "\r" <"$out")
    echo "opened on \"$shown\", ok=\"$ok\", label=$label, on screen $placed; $answer"
    [ "$placed" = centred ] && [ "$shown" = English ] && [ "$ok" = OK ] && [ "$label" = 1 ] && [ "$answer" = "answer=1 selected=2 product=zephra.deu" ]'
}

# The snippets' helper keeps the automation program's status: a wait that
# times out fails (it once answered with the status of the filter behind it).
auto_tells_a_failure() {
  on_display '
    if auto wait "No such window" 300; then echo "a wait for no window passed"; exit 1; fi
    auto list >/dev/null'
}

check "auto answers with the automation program's status" auto_tells_a_failure
check "the question dialog, centred on the screen, shows its text and Yes/No, and No answers 7" two_button_question
check "a one-button question centres its single button, which answers 6" one_button_notice
check "the language dialog, centred on the screen, opens on the system language and takes the choice" language_choice
finish
