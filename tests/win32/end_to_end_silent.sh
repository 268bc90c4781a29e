#!/usr/bin/env bash
# The sample under Wine without a window: installed with /SILENT from the
# disc labelled ZEPHRA into a folder given by /DIR, played by its desktop
# shortcut's command line with /SILENT (the test game records what it
# received), removed by its uninstall entry's command with /SILENT; the
# prefix's files and registry as before but for what is kept on purpose.
# Usage: end_to_end_silent.sh SetupTvx.exe tvxgame.exe Zephset.dll ARTIFACT_FOLDER
set -euo pipefail
export SETUP=$1 GAME=$2 LIBRARY=$3 ARTIFACTS=$4
source "$(dirname "$0")/end_to_end_common.sh"
root=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$ARTIFACTS"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export work

stage_sample_disc() {
  local disc=$work/disc
  stage_disc "$disc" "$SETUP"
  "$root/tools/sample-payload" "$disc" "$GAME"
  mkdir -p "$disc/Setup"
  cp "$LIBRARY" "$disc/Setup/Zephset.dll"
  printf 'Detail=High\r\n' >"$disc/Setup/Full.cfg"
  rm -f "$disc/InstData/Tvxins.dat"
}

inside() {
  drive_c=$WINEPREFIX/drive_c
  entry_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Zephra'
  shared_key='HKLM\Software\Microsoft\Windows\CurrentVersion\SharedDLLs'
  installed="$drive_c/Games/Zephra Gold"
  fails=0
  fail() { echo "  not so: $*"; fails=$((fails + 1)); }
  query() { wine reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^.*    REG_[A-Z_]*    //p"; }
  # What an earlier run stopped half-way may have left.
  forget() {
    local fonts='HKLM\Software\Microsoft\Windows\CurrentVersion\Fonts' name
    rm -rf "$drive_c/Games" "$drive_c/windows/Tarvex" "$drive_c/windows/Fonts/Zephra.ttf" \
      "$drive_c/windows/Fonts/Zephbold.ttf" "$drive_c/windows/system32/Zephcore.dll" \
      "$drive_c/users/"*/Desktop/*Zephra*.lnk "$drive_c/silent.log" "$drive_c/windows/tvxgame.log"
    find "$drive_c/users" -depth -name "Tarvex Games" -exec rm -rf {} \;
    for name in "Zephra Sans" "Zephra Sans Bold"; do wine reg delete "$fonts" /v "$name" /f >/dev/null 2>&1 || true; done
    for name in Zephcore svrapi secur32; do
      wine reg delete "$shared_key" /v "C:\\windows\\system32\\$name.dll" /f >/dev/null 2>&1 || true
    done
    wine reg delete "$entry_key" /f >/dev/null 2>&1 || true
    wine reg delete 'HKLM\Software\Tarvex' /f >/dev/null 2>&1 || true
    [ ! -f "$work/system.ini" ] || cp "$work/system.ini" "$drive_c/windows/system.ini"
  }
  record() {
    local log=$drive_c/windows/tvxgame.log i
    for i in $(seq 100); do grep -q "^mutex" "$log" 2>/dev/null && break; sleep 0.1; done
    [ ! -f "$log" ] || tr -d "\r" <"$log"
  }
  log_ends() { tr -d "\r" <"$drive_c/silent.log" | tail -1; }
}
INSIDE="$(declare -f inside prefix_snapshot prefix_unchanged); inside"
export INSIDE

silent_round_trip() {
  stage_sample_disc
  "$wine_tool" with --version win2k --cd "$work/disc" --label ZEPHRA --display --timeout 300 -- bash -c "$INSIDE"'
    forget
    wine reg add "$shared_key" /f >/dev/null
    cp "$drive_c/windows/system.ini" "$work/system.ini"
    sed -i "s/^\[drivers32\]\r\?$/&\nVIDC.IV32=ir32_32.dll/" "$drive_c/windows/system.ini"
    prefix_snapshot before

    status=0; wine "D:\\SetupTvx.exe" /SILENT "/DIR=C:\\Games\\Zephra Gold" "/LOG=C:\\silent.log" || status=$?
    echo "  install: exit code $status; log: $(log_ends)"
    [ $status = 0 ] || fail "the installation ends with 0"
    cmp -s "$work/disc/Program/Zephra.exe" "$installed/Zephra.exe" || fail "the game is not in C:\\Games\\Zephra Gold"
    [ "$(query "$entry_key" InstallLocation)" = "C:\\Games\\Zephra Gold\\" ] || fail "InstallLocation"
    grep -q "Read me" "$drive_c/silent.log" && fail "the README was offered"

    shortcut=$(ls "$drive_c/users/"*/Desktop/*Zephra*.lnk 2>/dev/null | head -1)
    [ -n "$shortcut" ] || fail "no desktop shortcut"
    target=$(lnkinfo "$shortcut" 2>/dev/null | sed -n "s/^\tLocal path[[:space:]]*: //p")
    arguments=$(lnkinfo "$shortcut" 2>/dev/null | sed -n "s/^\tCommand line arguments[[:space:]]*: //p")
    echo "  desktop shortcut: $target $arguments"
    # shellcheck disable=SC2086 # the arguments are words of a command line
    status=0; wine "$target" /SILENT $arguments || status=$?
    game=$(record)
    echo "  play: exit code $status; the game recorded:"
    echo "$game" | sed "s/^/    /"
    [ $status = 0 ] || fail "playing ends with 0"
    echo "$game" | grep -qx "command line: \"C:\\\\Games\\\\Zephra Gold\\\\Zephra.exe\" -l:English -cdrom:D" ||
      fail "the game command line"

    entry=$(query "$entry_key" UninstallString)
    program=${entry#\"}; program=${program%%\"*}; rest=${entry#\"*\"}
    echo "  uninstall entry: $entry"
    # shellcheck disable=SC2086 # the rest of the entry is words of a command line
    status=0; wine "$program" /SILENT "/LOG=C:\\silent.log" $rest || status=$?
    echo "  uninstall: exit code $status; log: $(log_ends)"
    [ $status = 0 ] || fail "the uninstallation ends with 0"
    tr -d "\r" <"$drive_c/silent.log" | grep -q "^silent run: .*SetupTvx.exe.\? /SILENT /LOG=C:.silent.log -uninstall Zephra$" ||
      fail "the uninstall command line"
    [ ! -e "$installed" ] || fail "C:\\Games\\Zephra Gold is still there"
    wine uninstaller --list | tr -d "\r" | grep -q "|||Zephra" && fail "still in the list of programs"
    cp "$drive_c/silent.log" "$ARTIFACTS/silent.log"
    rm -f "$drive_c/silent.log" "$drive_c/windows/tvxgame.log"
    wineserver -w
    prefix_snapshot after
    cp "$work/system.ini" "$drive_c/windows/system.ini"

    # Kept on purpose: the common folder, the fonts and their values, and
    # the shared libraries whose deletion questions default to No, with
    # their counts. The sample fonts are copies of the DejaVu faces: with
    # them in the Fonts folder, Wine drops its entries for the originals.
    kept="windows/Tarvex|windows/Fonts/Zeph|\"Zephra Sans( Bold)?\"=\"Zeph|system32/Zephcore.dll|SharedDLLs\] \"C:..windows..system32..(Zephcore|svrapi|secur32).dll\""
    kept="$kept|\"DejaVu Sans( Bold)? \(TrueType\)\"=\"Z:..usr..share..fonts"
    prefix_unchanged "$kept"
    forget
    echo "  $fails problem(s)"
    [ $fails = 0 ]'
}

check "the sample installs, plays and goes silently under Wine" silent_round_trip
finish
