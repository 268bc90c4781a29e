#!/usr/bin/env bash
# The sample installed under Wine from the disc labelled ZEPHRA, every
# dialog answered by the automation program and screenshotted, the result
# read back by the system's own readers (the prefix's files, "reg query",
# Wine's list of programs, GetPrivateProfileStringA, lnkinfo); then removed
# by its uninstall entry as Wine's uninstaller runs it, leaving the prefix's
# files and registry as before except what an installation keeps on purpose.
# The online-service client comes and goes with the product. On Windows 98
# the components come too: DirectX from a stand-in setup library beside the
# program, the Indeo codecs from stand-in codecs on the disc. On a 64-bit
# Windows 10 the product's keys are found in the 32-bit view
# (HKLM\Software\Wow6432Node) by the 64-bit "reg", its system library in
# SysWOW64 and its shortcuts in the folders all users share; Wine's own
# programs ("reg", "regedit", the uninstaller) run as 64-bit ones there.
# Usage: end_to_end_install.sh win2k|win98|win10-64 SetupTvx.exe tvxauto.exe tvxgame.exe Zephset.dll Dsetup.dll
#        CODEC_FOLDER ARTIFACT_FOLDER
set -euo pipefail
export VERSION=$1 SETUP=$2 AUTO=$3 GAME=$4 LIBRARY=$5 DSETUP=$6 CODECS=$7 ARTIFACTS=$8
source "$(dirname "$0")/end_to_end_common.sh"
root=$(cd "$(dirname "$0")/../.." && pwd)
mkdir -p "$ARTIFACTS"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export work

# The sample disc with its payload and its library. Its script gains a
# licence and loses SEQUENCE AUTO, so that every dialog of an installation
# shows; the video grows so that the progress box stays long enough to be
# seen.
stage_sample_disc() {
  local disc=$work/disc video=$((96 * 1024 * 1024))
  stage_disc "$disc" "$SETUP"
  "$root/tools/sample-payload" "$disc" "$GAME"
  mkdir -p "$disc/Setup"
  cp "$LIBRARY" "$disc/Setup/Zephset.dll"
  printf 'Detail=High\r\n' >"$disc/Setup/Full.cfg"
  printf 'Zephra licence\r\n1. You may play the game.\r\n2. You may not copy the disc.\r\n' >"$disc/License.txt"
  truncate -s $video "$disc/Video/Intro.avi"
  rm -f "$disc/InstData/Tvxins.dat"
  sed -i -e '/^\[SEQUENCE AUTO\]/d' -e 's/^\(English,.*,Readme.txt\)\r$/\1,License.txt\r/' \
    -e "s/^\(Intro.avi,Video,Video,\)[0-9]*/\1$video/" "$disc/InstData/tvx.ins"
  [ "$VERSION" = win98 ] || return 0
  # The codec installer takes its folder field as it is: it needs its
  # backslash.
  cp "$DSETUP" "$disc/Dsetup.dll"
  mkdir -p "$disc/Indeo"
  cp "$CODECS"/IR*.DLL "$disc/Indeo/"
  sed -i 's/^VFW Indeo,Indeo,/VFW Indeo,Indeo\\,/' "$disc/InstData/tvx.ins"
}

# Runs inside the prefix: helpers for the snippet below.
inside() {
  source "$TVX_AUTO_HELPER"
  drive_c=$WINEPREFIX/drive_c
  panel="Tarvex Setup - Zephra"
  # Where a 32-bit program's HKLM\Software and system folder are.
  software='HKLM\Software'
  system_files=$drive_c/windows/system32
  if [ "$VERSION" = win10-64 ]; then
    software='HKLM\Software\Wow6432Node'
    system_files=$drive_c/windows/syswow64
  fi
  entry_key="$software\Microsoft\Windows\CurrentVersion\Uninstall\Zephra"
  shared_key="$software\Microsoft\Windows\CurrentVersion\SharedDLLs"
  fonts_key="$software\Microsoft\Windows\CurrentVersion\Fonts"
  # The shell folders of every user, and those all users share.
  shell_folders=("$drive_c/users" "$drive_c/ProgramData")
  codec_key='HKLM\System\CurrentControlSet\control\MediaResources\icm'
  fails=0
  fail() { echo "  not so: $*"; fails=$((fails + 1)); }
  shot() { import -window root "$ARTIFACTS/install-$1.png" 2>/dev/null || true; }
  # What an earlier run stopped half-way may have left.
  forget() {
    local name
    rm -rf "$drive_c/Tarvex" "$drive_c/windows/Tarvex" "$drive_c/windows/Fonts/Zephra.ttf" \
      "$system_files/Zephcore.dll" "$drive_c/users/"*/Desktop/*Zephra*.lnk
    find "${shell_folders[@]}" -depth -name "Tarvex Games" -exec rm -rf {} \;
    for name in "Zephra Sans" "Zephra Sans Bold"; do "$TVX_WINE_NATIVE" reg delete "$fonts_key" /v "$name" /f >/dev/null 2>&1 || true; done
    for name in Zephcore svrapi secur32; do
      "$TVX_WINE_NATIVE" reg delete "$shared_key" /v "C:\\windows\\system32\\$name.dll" /f >/dev/null 2>&1 || true
    done
    "$TVX_WINE_NATIVE" reg delete "$entry_key" /f >/dev/null 2>&1 || true
    "$TVX_WINE_NATIVE" reg delete "$software\Tarvex" /f >/dev/null 2>&1 || true
    # The codecs, which no uninstallation takes back.
    [ ! -f "$work/system.ini" ] || cp "$work/system.ini" "$drive_c/windows/system.ini"
    find "$drive_c/windows/system32" -maxdepth 1 -iname "ir[34]?_32.*" -delete
    for name in IV41 IV32; do "$TVX_WINE_NATIVE" reg delete "$codec_key\\vidc.$name" /f >/dev/null 2>&1 || true; done
    # The codec keys' parents, when the run made them.
    if [ -f "$work/before.registry" ] && ! grep -q "Control.MediaResources\]" "$work/before.registry"; then
      "$TVX_WINE_NATIVE" reg delete "${codec_key%\\icm}" /f >/dev/null 2>&1 || true
    fi
  }
  # poll COMMAND...: tries it for up to 30 s.
  poll() {
    local i
    for i in $(seq 300); do "$@" >/dev/null 2>&1 && return 0; sleep 0.1; done
    return 1
  }
  query() { "$TVX_WINE_NATIVE" reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | sed -n "s/^.*    REG_[A-Z_]*    //p"; }
  play_enabled() { auto controls "$panel" | grep -qx '1002 Button ""'; }
  same() { cmp -s "$1" "$2" || fail "$2 is not a copy of $1"; }
  # The codec installer's two boxes, captioned with the product name: the
  # drivers it installs, then its end.
  codec_boxes() {
    local list
    step Zephra
    shot codec-drivers
    list=$(auto controls Zephra | tr "\n" " ")
    echo "  codec box: $list"
    case $list in *"The following drivers will be installed:"*"4.10.15.31"*"ir41_32.dll"*) ;; *) fail "the drivers box" ;; esac
    auto press Zephra 2 || auto press Zephra 1
    poll box_says "Setup is now complete" || fail "no completion box"
    shot codec-complete
    auto press Zephra 2 || auto press Zephra 1
  }
  # What the components left: the call of the setup library, the codecs,
  # their SYSTEM.INI lines and registry values.
  read_back_components() {
    local seen description
    seen=$(cat "$WINEPREFIX/tvx-cd/Dsetup.seen" 2>/dev/null || true)
    echo "    DirectX setup called: $seen"
    [ "$seen" = "window=set root=(null) flags=0x10018" ] || fail "the DirectX setup call"
    same "$work/disc/Indeo/IR41_32.DLL" "$drive_c/windows/system32/IR41_32.DLL"
    same "$work/disc/Indeo/IR32_32.DLL" "$drive_c/windows/system32/IR32_32.DLL"
    for name in IV41 IV32; do
      echo "    system.ini [drivers32] VIDC.$name=$(auto profile "C:\\windows\\system.ini" drivers32 VIDC.$name)"
      description=$(query "$codec_key\\vidc.$name" Description)
      echo "    $codec_key\\vidc.$name Description $description"
      case $description in "Indeo"*" by Intel") ;; *) fail "the description of vidc.$name" ;; esac
    done
    [ "$(auto profile "C:\\windows\\system.ini" drivers32 VIDC.IV41)" = ir41_32.dll ] || fail "VIDC.IV41"
    [ "$(query "$codec_key\\vidc.IV32" Driver)" = ir32_32.dll ] || fail "the driver of vidc.IV32"
    ls "$drive_c/windows/system32" | grep -qi "^ir[34]._32.sav$" && fail "a codec backup left"
  }
  box_says() { auto controls Zephra | grep -q "$1"; }
  # On a 64-bit Windows 10: nothing in the 64-bit view or folder, the
  # shortcuts in the folders all users share.
  read_back_views() {
    local native='HKLM\Software\Microsoft\Windows\CurrentVersion'
    "$TVX_WINE_NATIVE" reg query 'HKLM\Software\Tarvex' >/dev/null 2>&1 && fail "a maker key in the 64-bit view"
    "$TVX_WINE_NATIVE" reg query "$native\Uninstall\Zephra" >/dev/null 2>&1 && fail "an Uninstall entry in the 64-bit view"
    [ -z "$(query "$native\SharedDLLs" "C:\windows\system32\Zephcore.dll")" ] || fail "a 64-bit SharedDLLs value"
    [ -z "$(query "$native\Fonts" "Zephra Sans")" ] || fail "a 64-bit Fonts value"
    [ ! -e "$drive_c/windows/system32/Zephcore.dll" ] || fail "the library in the 64-bit system folder"
    echo "    the group in $(dirname "$group" | sed "s|^$drive_c|C:|")"
    [[ $group == "$drive_c/ProgramData/"* ]] || fail "the group is not in the common Programs folder"
    [ -f "$drive_c/users/Public/Desktop/Play Zephra.lnk" ] || fail "no Play shortcut on the common desktop"
  }
  # Answers the shared-library questions: the product's own library goes,
  # the system's libraries the client counted stay.
  shared_questions() {
    local text asked=""
    while auto wait "Shared file" 10000 >/dev/null; do
      text=$(auto controls "Shared file" | tr "\n" " ")
      case $text in
        *Zephcore.dll*) shot shared-file; auto press "Shared file" 6; asked="$asked Zephcore.dll" ;;
        *svrapi.dll*) auto press "Shared file" 7; asked="$asked svrapi.dll" ;;
        *secur32.dll*) auto press "Shared file" 7; asked="$asked secur32.dll" ;;
        *) fail "a question about another file: $text"; auto press "Shared file" 7 ;;
      esac
      auto gone "Shared file" 10000 || true
    done
    echo "    shared-file questions:$asked"
    [ "$asked" = " Zephcore.dll svrapi.dll secur32.dll" ] || fail "the shared-file questions"
  }
  # step CAPTION: waits for that window; without it the run stops there.
  step() {
    auto wait "$1" 30000 >/dev/null && return 0
    fail "no window \"$1\""
    auto list | grep -v "(hidden)" | sed "s/^/    /"
    kill "$pid" 2>/dev/null || true
    wineserver -k || true
    forget
    exit 1
  }
}
INSIDE="$(declare -f inside prefix_snapshot prefix_unchanged); inside"
export INSIDE

install_and_remove() {
  stage_sample_disc
  "$wine_tool" with --version "$VERSION" --cd "$work/disc" --label ZEPHRA --display --timeout 400 -- bash -c "$INSIDE"'
    forget
    # Every Windows has the table of shared libraries; a new prefix has not.
    "$TVX_WINE_NATIVE" reg add "$shared_key" /f >/dev/null
    cp "$drive_c/windows/system.ini" "$work/system.ini"
    # On Windows 2000 the codec the script asks for counts as installed, as
    # on a machine that has it.
    [ "$VERSION" = win98 ] || sed -i "s/^\[drivers32\]\r\?$/&\nVIDC.IV32=ir32_32.dll/" "$drive_c/windows/system.ini"
    prefix_snapshot before

    wine "D:\\SetupTvx.exe" & pid=$!
    step "Tarvex Installer - Language Choice"
    auto press "Tarvex Installer - Language Choice" 1
    step "$panel"
    auto press "$panel" 1000
    # The licence dialog is captioned like the panel: it is found by its
    # text box.
    poll auto text "$panel" 123456789 || fail "no licence"
    licence=$(auto text "$panel" 123456789 | head -1)
    shot licence
    auto press "$panel" 1
    step Configuration
    shot configuration
    auto press Configuration 1000
    step "Installation Directory"
    directory=$(auto text "Installation Directory" 1012)
    shot directory
    auto press "Installation Directory" 1
    step Installing
    shot progress
    progress=$(auto controls Installing | grep -c "^100[3-6] " || true)
    [ "$VERSION" != win98 ] || codec_boxes
    for dialog in "Web address" "Program Group"; do
      step "$dialog"
      auto press "$dialog" 1
    done
    step "Read me"
    offer=$(auto controls "Read me" | sed -n "s/^1017 Static \"\(.*\)\"/\1/p")
    shot readme-offer
    auto press "Read me" 1
    step "Readme.txt - Notepad"
    shot notepad
    auto close "Readme.txt - Notepad"
    auto gone "Readme.txt - Notepad" 10000 || fail "Notepad still open"
    poll play_enabled || fail "Play not enabled"
    focus=$(auto focus "$panel" || true)
    shot panel
    auto press "$panel" 2
    status=0; wait $pid || status=$?
    echo "  licence \"$licence\"; directory \"$directory\"; $progress group boxes in the progress box;"
    echo "  README offer \"$offer\"; focus on $focus; exit code $status"
    [ "$licence" = "Zephra licence" ] || fail "the licence text"
    [ "$directory" = "C:\\Tarvex\\Zephra\\" ] || fail "the proposed directory"
    [ "$progress" = 4 ] || fail "four group boxes in the progress box"
    [ "$offer" = "Do you want to read Readme.txt now?" ] || fail "the README offer"
    [ "$focus" = 1002 ] || fail "the focus on Play"
    [ $status = 0 ] || fail "ends with 0"

    echo "  read back:"
    installed=$drive_c/Tarvex/Zephra
    same "$work/disc/Program/Zephra.exe" "$installed/Zephra.exe"
    same "$work/disc/Config/Zephmin.cfg" "$installed/Zephra.cfg"
    same "$work/disc/Data/English/Min/Voices.dat" "$installed/Data/Voices.dat"
    same "$work/disc/Video/Intro.avi" "$installed/Video/Intro.avi"
    same "$work/disc/System/Zephcore.dll" "$system_files/Zephcore.dll"
    same "$work/disc/Fonts/Zephra.ttf" "$drive_c/windows/Fonts/Zephra.ttf"
    same "$SETUP" "$drive_c/windows/Tarvex/SetupTvx.exe"
    [ ! -e "$installed/setup.log" ] || fail "setup.log left behind"
    (cd "$installed" && find . -type f | sort | sed "s|^\./|    C:\\\\Tarvex\\\\Zephra\\\\|; s|/|\\\\|g")
    entry=$(query "$entry_key" UninstallString)
    echo "    UninstallString $entry"
    [ "$entry" = "\"C:\\windows\\Tarvex\\SetupTvx.exe\" -uninstall Zephra" ] || fail "the UninstallString"
    for value in DisplayName DisplayVersion InstallLocation EstimatedSize; do
      echo "    $value $(query "$entry_key" $value)"
    done
    [ "$(query "$entry_key" DisplayVersion)" = 1.02 ] || fail "DisplayVersion"
    [ "$(query "$entry_key" InstallLocation)" = "C:\\Tarvex\\Zephra\\" ] || fail "InstallLocation"
    "$TVX_WINE_NATIVE" uninstaller --list | tr -d "\r" | grep -q "|||Zephra" || fail "not in the list of programs"
    count=$(query "$shared_key" "C:\\windows\\system32\\Zephcore.dll")
    echo "    SharedDLLs C:\\windows\\system32\\Zephcore.dll $count"
    [ "$count" = 0x1 ] || fail "the shared count"
    font=$(query "$fonts_key" "Zephra Sans")
    [ "$font" = Zephra.ttf ] || fail "the Fonts value ($font)"
    ini="C:\\windows\\Tarvex\\tvx.ini"
    for key in Directory VolumeName Configuration Language; do
      echo "    tvx.ini [Zephra] $key=$(auto profile "$ini" Zephra $key)"
    done
    [ "$(auto profile "$ini" Zephra Directory)" = "C:\\Tarvex\\Zephra\\" ] || fail "the recorded directory"
    [ "$(auto profile "$ini" Zephra VolumeName)" = ZEPHRA ] || fail "the recorded volume"
    group=$(find "${shell_folders[@]}" -type d -name "Tarvex Games" | head -1)
    [ -n "$group" ] || fail "no program group"
    target=$(lnkinfo "$group/Zephra/Zephra.lnk" 2>/dev/null | sed -n "s/^\tLocal path[[:space:]]*: //p")
    echo "    shortcut Tarvex Games\\Zephra\\Zephra.lnk -> $target"
    [ "$target" = "C:\\Tarvex\\Zephra\\Zephra.exe" ] || fail "the target of the game shortcut"
    client=$drive_c/windows/Tarvex/NVC
    same "$work/disc/Online/Startup.exe" "$client/Startup.exe"
    same "$work/disc/Online/Client.exe" "$client/Client.exe"
    [ -d "$client/Zephra" ] || fail "no product folder in the client"
    for value in StartupVersion ClientVersion; do
      echo "    $software\\Tarvex\\NVC $value $(query "$software\\Tarvex\\NVC" $value)"
      [ "$(query "$software\\Tarvex\\NVC" $value)" = 1.0 ] || fail "the client value $value"
    done
    echo "    tvx.ini [NVC] Directory=$(auto profile "$ini" NVC Directory)"
    [ "$(auto profile "$ini" NVC Directory)" = "C:\\windows\\Tarvex\\NVC\\" ] || fail "the client folder recorded"
    [ "$(query "$shared_key" "C:\\windows\\system32\\secur32.dll")" = 0x1 ] || fail "the count of secur32.dll"
    [ "$VERSION" != win98 ] || read_back_components
    [ "$VERSION" != win10-64 ] || read_back_views

    echo "  removed by the entry, as the uninstaller of Wine runs it:"
    "$TVX_WINE_NATIVE" uninstaller --remove Zephra & pid=$!
    step Uninstall
    question=$(auto text Uninstall 1017 | tr "\n" " ")
    shot uninstall-question
    auto press Uninstall 1
    shared_questions
    status=0; wait $pid || status=$?
    echo "    question \"$question\"; exit code $status"
    [ "$question" = "Do you really want to uninstall Zephra : every file it installed will be removed. " ] ||
      fail "the question"
    [ ! -e "$installed" ] || fail "C:\\Tarvex\\Zephra is still there"
    "$TVX_WINE_NATIVE" uninstaller --list | tr -d "\r" | grep -q "|||Zephra" && fail "still in the list of programs"
    [ -z "$(auto profile "$ini" Zephra Directory)" ] || fail "the record is still there"
    [ ! -e "$client" ] || fail "the client folder is still there"
    [ -z "$(auto profile "$ini" NVC Directory)" ] || fail "the client record is still there"
    "$TVX_WINE_NATIVE" reg query "$software\\Tarvex\\NVC" >/dev/null 2>&1 && fail "the client key is still there"
    prefix_snapshot after
    cp "$work/system.ini" "$drive_c/windows/system.ini"

    # Kept on purpose: the common folder (the program, its strings, the
    # product registry with the test results of the machine), the fonts (a
    # font may be in use) and their Fonts values, the counts of the system
    # libraries the client uses (the questions were answered No); and the
    # codecs with their registration, which no uninstallation takes back.
    kept="windows/Tarvex|windows/Fonts/Zephra.ttf|\"Zephra Sans\"=\"Zephra.ttf\"|SharedDLLs\] \"C:..windows..system32..(svrapi|secur32).dll\""
    [ "$VERSION" != win98 ] || kept="$kept|windows/system.ini|system32/IR(41|32)_32.DLL|Control.MediaResources"
    # A 64-bit prefix has no 32-bit Fonts key until the fonts make it; it
    # stays with their values.
    [ "$VERSION" != win10-64 ] || kept="$kept|Wow6432Node.Microsoft.Windows.CurrentVersion.Fonts\]$"
    # Notepad, opened by the README offer, keeps its own settings.
    kept="$kept|Software.Microsoft.Notepad"
    prefix_unchanged "$kept"
    forget
    echo "  $fails problem(s)"
    [ $fails = 0 ]'
}

check "the sample installs from its disc under Wine and its uninstall entry removes it" install_and_remove
finish
