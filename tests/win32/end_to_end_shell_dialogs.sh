#!/usr/bin/env bash
# The folder browser in both modes and the program-group dialog on the real
# backend under Wine: the tree expanded and a folder chosen by the
# automation program, the path the program took checked, a screenshot of
# each kept. Folders made for the run are removed again.
# Usage: end_to_end_shell_dialogs.sh tvx_shell_dialogs_demo.exe tvxauto.exe ARTIFACT_FOLDER
set -euo pipefail
export DEMO=$1 AUTO=$2 ARTIFACTS=$3
source "$(dirname "$0")/end_to_end_common.sh"
mkdir -p "$ARTIFACTS"

# Runs a shell snippet on a fresh display with helpers: auto; run_demo
# ARGS... (the demo in the background, its output in $out, its id in $pid);
# answer (the demo's output in $result once it ended: not in a subshell,
# which could not wait for it); and, made for the snippet and
# removed after it, the groups "Tarvex Games\Zephra" and "Arcade" in the
# Programs folder and the folder C:\TvxBrowse\Inner.
on_display() {
  "$wine_tool" with --version win98 --display --timeout 180 -- bash -c '
    source "$TVX_AUTO_HELPER"
    out=$(mktemp)
    run_demo() { wine "$DEMO" "$@" >"$out" & pid=$!; }
    answer() { wait $pid || true; result=$(tr -d "\r" <"$out"); }
    programs=$(wine "$DEMO" programs | tr -d "\r")
    programs_unix=$(winepath -u "$programs" 2>/dev/null | tr -d "\r")
    browse_unix=$(winepath -u "C:\\TvxBrowse" 2>/dev/null | tr -d "\r")
    [ -d "$programs_unix" ] || { echo "no Programs folder: \"$programs\""; exit 1; }
    cleanup() { rm -rf "$programs_unix/Tarvex Games" "$programs_unix/Arcade" "$browse_unix"; }
    trap cleanup EXIT
    mkdir -p "$programs_unix/Tarvex Games/Zephra" "$programs_unix/Arcade" "$browse_unix/Inner/Deeper"
    '"$1"
}

programs_mode() {
  on_display '
    caption="Choose a program group"
    run_demo browse-programs ""
    auto wait "$caption" 30000 || { kill $pid; exit 1; }
    opened=$(auto text "$caption" 1029)
    auto expand "$caption" 1028 Programs && auto expand "$caption" 1028 "Programs\\Tarvex Games" &&
      auto select-item "$caption" 1028 "Programs\\Tarvex Games\\Zephra" || { kill $pid; exit 1; }
    shown=$(auto text "$caption" 1029); tree=$(auto tree "$caption" 1028)
    import -window root "$ARTIFACTS/folder-browser-programs.png" || true
    auto press "$caption" 1
    answer
    echo "opened on \"$opened\"; shows \"$shown\"; $result"
    echo "$tree"
    [ "$opened" = "Programs\\" ] && [ "$shown" = "Programs\\Tarvex Games\\Zephra" ] &&
      echo "$tree" | grep -qx "  +Tarvex Games" && echo "$tree" | grep -qx "    \*Zephra" &&
      echo "$tree" | grep -qx "  Arcade" && [ "$result" = "answer=1 path=$programs\\Tarvex Games\\Zephra\\" ]'
}

drives_mode() {
  on_display '
    caption="Choose a folder"
    run_demo browse-drives
    auto wait "$caption" 30000 || { kill $pid; exit 1; }
    auto expand "$caption" 1028 "NoLabel [C:]" && auto expand "$caption" 1028 "NoLabel [C:]\\TvxBrowse" &&
      auto select-item "$caption" 1028 "NoLabel [C:]\\TvxBrowse\\Inner" || { kill $pid; exit 1; }
    shown=$(auto text "$caption" 1029); tree=$(auto tree "$caption" 1028)
    import -window root "$ARTIFACTS/folder-browser-drives.png" || true
    auto press "$caption" 1
    answer
    echo "shows \"$shown\"; $result"
    echo "$tree" | grep -A3 "TvxBrowse"
    # Inner was read one level ahead when TvxBrowse opened: it has its child.
    [ "$shown" = "C:\\TvxBrowse\\Inner" ] && echo "$tree" | grep -qx "  +TvxBrowse" &&
      echo "$tree" | grep -qx "    \*Inner" && echo "$tree" | grep -qx "      Deeper" &&
      [ "$result" = "answer=1 path=C:\\TvxBrowse\\Inner\\" ]'
}

# Browse in the group dialog: the Startup folder refused with the refusal
# text, then a group taken, and OK ends the dialog with it.
group_dialog() {
  on_display '
    caption="Program Group"; browser="Choose a program group"; refusal="Not a Program Group"
    run_demo group
    auto wait "$caption" 30000 || { kill $pid; exit 1; }
    default=$(auto text "$caption" 1012); label=$(auto text "$caption" 1009)
    import -window root "$ARTIFACTS/group-dialog.png" || true
    auto press "$caption" 1010 && auto wait "$browser" 30000 || { kill $pid; exit 1; }
    browsed=$(auto text "$browser" 1029)
    auto expand "$browser" 1028 Programs && auto select-item "$browser" 1028 "Programs\\StartUp" &&
      auto press "$browser" 1 && auto wait "$refusal" 30000 || { kill $pid; exit 1; }
    told=$(auto controls "$refusal" | grep -c "\"Choose a group inside the Programs menu.\"" || true)
    import -window root "$ARTIFACTS/group-dialog-refusal.png" || true
    auto press "$refusal" 1 && auto gone "$refusal" 10000 || { kill $pid; exit 1; }
    after_refusal=$(auto text "$caption" 1012)
    auto press "$caption" 1010 && auto wait "$browser" 30000 &&
      auto expand "$browser" 1028 Programs && auto select-item "$browser" 1028 "Programs\\Arcade" &&
      auto press "$browser" 1 && auto gone "$browser" 10000 || { kill $pid; exit 1; }
    chosen=$(auto text "$caption" 1012)
    auto press "$caption" 1
    answer
    echo "default \"$default\" label \"$label\"; browser on \"$browsed\"; refusal told=$told, then \"$after_refusal\"; chosen \"$chosen\"; $result"
    [ "$default" = "Tarvex Games\\" ] && [ "$label" = "Program group of the shortcuts" ] &&
      [ "$browsed" = "Programs\\Tarvex Games\\" ] && [ "$told" = 1 ] &&
      [ "$after_refusal" = "Tarvex Games\\" ] && [ "$chosen" = "Arcade\\" ] &&
      [ "$result" = "answer=1 group=$programs\\Arcade\\" ]'
}

check "the browser in Programs mode opens a group's level and takes the chosen group" programs_mode
check "the browser in drive mode reads one level ahead and takes the chosen folder" drives_mode
check "the group dialog browses, refuses the Startup folder and takes a group" group_dialog
finish
