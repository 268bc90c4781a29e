#!/usr/bin/env bash
# SetupTvx.exe's first steps under Wine, watched by the automation program:
# the refusal on NT 3.51 (read, answered, photographed), the accepted systems
# going on to look for the script (the box owned by the main window), a
# second copy while the setup mutex is held, and the web link.
# Usage: end_to_end_startup.sh SetupTvx.exe tvxauto.exe ARTIFACT_FOLDER
set -euo pipefail
export SETUP=$1 AUTO=$2 ARTIFACTS=$3
source "$(dirname "$0")/end_to_end_common.sh"
mkdir -p "$ARTIFACTS"

refusal_on_nt351() {
  "$wine_tool" with --version nt351 --display --timeout 90 -- bash -c '
    source "$TVX_AUTO_HELPER"
    wine "$SETUP" & pid=$!
    auto wait SetupTvx 30000 || { echo "no message box"; kill $pid; exit 1; }
    text=$(auto text SetupTvx 65535)
    import -window root "$ARTIFACTS/nt351-refusal.png" || true
    auto press SetupTvx 1
    status=0; wait $pid || status=$?
    echo "box: $text; exit code $status"
    [ "$text" = "This program does not support Windows NT Workstation Version ) 3 . 51" ] && [ $status = 1 ]'
}

# Past the system check the program looks for its script beside itself;
# there is none here, so it says so.
accepted_on() {
  "$wine_tool" with --version "$1" --display --timeout 90 -- bash -c '
    source "$TVX_AUTO_HELPER"
    wine "$SETUP" & pid=$!
    auto wait Error 30000 || { echo "no message box"; kill $pid; exit 1; }
    text=$(auto text Error 65535)
    owner=$(auto owner Error)
    auto press Error 1
    status=0; wait $pid || status=$?
    echo "box: ${text%%$'"'"'\n'"'"'*}...; owned by \"$owner\"; exit code $status"
    case $text in "Script not loaded !"*"Could not open the file"*"\InstData\tvx.ins") ;; *) exit 1 ;; esac
    # Start-up runs as the main window is created: that hidden window owns the box.
    [ "$owner" = SetupTvx ] && [ $status = 3 ]'
}

second_copy_ends_silently() {
  "$wine_tool" with --version win98 --display --timeout 90 -- bash -c '
    source "$TVX_AUTO_HELPER"
    log=$(mktemp)
    wine "$AUTO" hold-mutex SetupTvx.exe 20000 >"$log" & holder=$!
    for i in $(seq 100); do grep -q held "$log" && break; sleep 0.1; done
    status=0; timeout 30 wine "$SETUP" || status=$?
    windows=$(auto list | grep -c "SetupTvx" || true)
    kill $holder 2>/dev/null || true
    echo "exit code $status, setup windows $windows"; [ $status = 2 ] && [ "$windows" = 0 ]'
}

web_link_opens_its_argument() {
  local folder
  folder=$(mktemp -d)
  printf '@echo opened> "Z:%s\\mark.txt"\r\n' "${folder//\//\\}" >"$folder/mark.bat"
  export MARK_BAT="Z:${folder//\//\\}\\mark.bat" MARK=$folder/mark.txt
  "$wine_tool" with --version win2k --timeout 90 -- bash -c '
    status=0; wine "$SETUP" -http "$MARK_BAT" || status=$?
    for i in $(seq 100); do [ -f "$MARK" ] && break; sleep 0.1; done
    echo "exit code $status, mark: $(cat "$MARK" 2>/dev/null | tr -d "\r")"
    [ $status = 0 ] && [ -f "$MARK" ]'
  rm -rf "$folder"
}

check "NT 3.51 is refused with its version text" refusal_on_nt351
for version in win95 win98 nt40 win2k winxp win10; do check "$version passes the system check" accepted_on "$version"; done
check "a second copy ends silently" second_copy_ends_silently
check "-http opens its argument" web_link_opens_its_argument
finish
