#!/usr/bin/env bash
# The licence dialog and the installation-directory dialog on the real
# backend under Wine: the licence text box placed between the two texts by
# its rule, the directory dialog's width and controls placed by theirs, read
# back by the automation program; a screenshot of each kept.
# Usage: end_to_end_install_dialogs.sh tvx_install_dialogs_demo.exe tvxauto.exe ARTIFACT_FOLDER
set -euo pipefail
export DEMO=$1 AUTO=$2 ARTIFACTS=$3
source "$(dirname "$0")/end_to_end_common.sh"
mkdir -p "$ARTIFACTS"

# Runs a shell snippet on a fresh display with helpers: auto; run_demo
# ARGS... (the demo in the background, its output in $out, its id in $pid);
# answer (the demo's output in $result once it ended); rect CAPTION [ID]
# (sets l t r b); and the metrics: frame_x frame_y caption size.
on_display() {
  "$wine_tool" with --version win98 --display --timeout 180 -- bash -c '
    source "$TVX_AUTO_HELPER"
    out=$(mktemp)
    run_demo() { wine "$DEMO" "$@" >"$out" & pid=$!; }
    answer() { wait $pid || true; result=$(tr -d "\r" <"$out"); }
    rect() { read -r l t r b < <(auto rect "$@"); }
    read -r frame_x frame_y caption size < <(wine "$DEMO" metrics | tr -d "\r")
    '"$1"
}

license_dialog() {
  local text_file
  text_file="$(dirname "$DEMO")/TvxLicense.txt"
  printf '1. You may play the game.\r\n2. You may not copy the disc.\r\n3. Have fun.\r\n' >"$text_file"
  on_display '
    title="License Agreement - Zephra"
    run_demo license TvxLicense.txt
    auto wait "$title" 30000 || { kill $pid; exit 1; }
    rect "$title"; wl=$l; wt=$t; wr=$r
    rect "$title" 1044; upper_bottom=$b
    rect "$title" 1045; lower_top=$t
    rect "$title" 123456789; el=$l; et=$t; er=$r; eb=$b
    shown=$(auto text "$title" 123456789 | head -1)
    upper=$(auto text "$title" 1044); ok=$(auto text "$title" 1); cancel=$(auto text "$title" 2)
    import -window root "$ARTIFACTS/license-dialog.png" || true
    auto press "$title" 1
    answer
    # The rule in client coordinates, the client area starting one frame
    # and one caption below and right of the outer corner.
    cl=$((wl + frame_x)); ct=$((wt + frame_y + caption))
    want="$((cl + 10)) $((upper_bottom - wt - caption + ct)) $((cl + wr - wl - 10)) $((lower_top - wt - caption - 5 + ct))"
    echo "text box $el $et $er $eb, rule $want; between $upper_bottom and $lower_top; \"$shown\"; $ok/$cancel; $result"
    [ "$el $et $er $eb" = "$want" ] && [ "$et" -ge "$upper_bottom" ] && [ "$eb" -le "$lower_top" ] &&
      [ "$shown" = "1. You may play the game." ] && [ "$ok" = Accept ] && [ "$cancel" = Decline ] &&
      [ "$upper" = "Please read the following license agreement carefully." ] && [ "$result" = accepted=1 ]'
  local status=$?
  rm -f "$text_file"
  return $status
}

# The dialog on a long path: as wide as the path and 140 pixels, the
# controls placed from that width, each keeping its place from the top.
directory_dialog() {
  on_display '
    caption_text="Installation Directory"
    path="C:\\Tarvex\\Games\\Zephra Collection\\Second Edition\\Zephra\\"
    run_demo directory "$path"
    auto wait "$caption_text" 30000 || { kill $pid; exit 1; }
    shown=$(auto text "$caption_text" 1012); group_text=$(auto text "$caption_text" 1009)
    rect "$caption_text"; wl=$l; wt=$t; w=$((r - l)); h=$((b - t))
    cl=$((wl + frame_x)); ct=$((wt + frame_y + caption))
    layout=""
    for id in 1009 1012 1010 1 2; do rect "$caption_text" $id; layout="$layout $id:$((l - cl)),$((t - ct)),$((r - l))x$((b - t))"; done
    import -window root "$ARTIFACTS/directory-dialog.png" || true
    auto press "$caption_text" 1
    answer
    echo "window ${w}x$h; shows \"$shown\" under \"$group_text\";$layout; $result"
    set -- $layout
    ok_w=$(echo "$4" | sed "s/.*,\([0-9]*\)x.*/\1/")
    [ "$shown" = "$path" ] && [ "$group_text" = "Install Zephra in this directory" ] && [ "$w" -gt 400 ] &&
      # The tops stay where the template puts them (7, 22 and 56 dialog
      # units at 13 pixels an 8 units high).
      echo "$1" | grep -q "^1009:10,11,$((w - 20))x" &&
      echo "$2" | grep -q "^1012:20,36,$((w - 120))x" &&
      echo "$3" | grep -q "^1010:$((w - 90)),36,70x" &&
      echo "$4" | grep -q "^1:$((w / 2 - ok_w - 5)),91," &&
      echo "$5" | grep -q "^2:$((w / 2 + 5)),91," &&
      [ "$result" = "answer=$path" ]'
}

# A drive root refused as an invalid path, the dialog left open, then
# cancelled.
drive_root_refused() {
  on_display '
    caption_text="Installation Directory"; refusal="Not an Installation Directory"
    run_demo directory "C:\\"
    auto wait "$caption_text" 30000 && auto press "$caption_text" 1 && auto wait "$refusal" 30000 || { kill $pid; exit 1; }
    told=$(auto controls "$refusal" | grep -c "\"This is not a valid installation directory.\"" || true)
    import -window root "$ARTIFACTS/directory-dialog-refusal.png" || true
    auto press "$refusal" 1 && auto gone "$refusal" 10000 || { kill $pid; exit 1; }
    still=$(auto text "$caption_text" 1012)
    auto press "$caption_text" 2
    answer
    echo "refusal told=$told; field \"$still\"; $result"
    [ "$told" = 1 ] && [ "$still" = "C:\\" ] && [ "$result" = "answer=none" ]'
}

check "the licence dialog puts its text box between the two texts by its rule" license_dialog
check "the directory dialog fits its width to a long path and places its controls" directory_dialog
check "the directory dialog refuses a drive root" drive_root_refused
finish
