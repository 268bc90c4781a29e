#!/usr/bin/env bash
# The no-match explanation and the details table on the real backend under
# Wine, for the sample disc on drive D: matched against what the real probes
# find: texts and list items read by the automation program, a selection
# changed, a test run again from its button, a screenshot of each kept.
# Usage: end_to_end_configuration_dialogs.sh tvx_configuration_demo.exe tvxauto.exe ARTIFACT_FOLDER DISC
set -euo pipefail
export DEMO=$1 AUTO=$2 ARTIFACTS=$3
disc=$4
source "$(dirname "$0")/end_to_end_common.sh"
mkdir -p "$ARTIFACTS"

# Runs a shell snippet on a fresh display, the disc on D:, with helpers. The
# strings and tvx.ini land in the prefix's common folder: it is put back.
on_display() {
  "$wine_tool" with --version win2k --cd "$disc" --label ZEPHRA --display --timeout 180 -- bash -c '
    source "$TVX_AUTO_HELPER"
    common="$WINEPREFIX/drive_c/windows/Tarvex"
    kept=$(mktemp -d)
    [ -e "$common" ] && cp -a "$common" "$kept/"
    restore() { rm -rf "$common"; [ -e "$kept/Tarvex" ] && cp -a "$kept/Tarvex" "$common"; rm -rf "$kept"; }
    trap restore EXIT
    # inside OUTER INNER: rectangle INNER lies within rectangle OUTER.
    inside() {
      read -r l t r b <<<"$1"; read -r il it ir ib <<<"$2"
      [ "$il" -ge "$l" ] && [ "$it" -ge "$t" ] && [ "$ir" -le "$r" ] && [ "$ib" -le "$b" ]
    }
    '"$1"
}

no_match() {
  on_display '
    out=$(mktemp)
    caption="Why configurations do not suit this computer"
    wine "$DEMO" no-match >"$out" & pid=$!
    auto wait "$caption" 60000 || { kill $pid; exit 1; }
    top=$(auto text "$caption" 1024); middle=$(auto text "$caption" 1025); ok=$(auto text "$caption" 1)
    configurations=$(auto items "$caption" 1019)
    first=$(auto items "$caption" 1020)
    import -window root "$ARTIFACTS/no-match-dialog.png" || true
    auto select "$caption" 1019 3
    sleep 1
    played=$(auto items "$caption" 1020)
    auto press "$caption" 1
    wait $pid || true
    answer=$(tr -d "\r" <"$out")
    printf "configurations:\n%s\nlacking for the first:\n%s\nlacking for the last:\n%s\n%s\n" \
      "$configurations" "$first" "$played" "$answer"
    [ "$top" = "The configurations of this product:" ] &&
      [ "$middle" = "What this computer lacks for the one selected:" ] && [ "$ok" = OK ] &&
      [ "$(wc -l <<<"$configurations")" = 4 ] &&
      grep -q "^\*Full installation for 3Dfx cards (~ [0-9]* MB)$" <<<"$configurations" &&
      grep -qx "Play from the CD-ROM" <<<"$configurations" &&
      grep -qx "3Dfx card" <<<"$first" && grep -qx "Windows 95" <<<"$first" && grep -qx "Windows 98" <<<"$first" &&
      grep -qx "not Windows NT" <<<"$played" && [ "$answer" = answer=1 ]'
}

details() {
  on_display '
    out=$(mktemp)
    caption="Details..."
    wine "$DEMO" details 0 >"$out" & pid=$!
    auto wait "$caption" 60000 || { kill $pid; exit 1; }
    texts() { for id in "$@"; do auto text "$caption" "$id"; done | paste -sd "|"; }
    heads=$(texts 1300 1301 1302 1303 1304)
    tests=$(texts 1200 1201 1202 1203 1204 1205)
    required=$(texts 1240 1241 1242 1243 1244 1245)
    components=$(texts 1260 1261 1262 1280 1281 1282)
    machine=$(texts 1220 1221 1222 1223 1224 1225)
    group=$(auto rect "$caption" 1005); cell=$(auto rect "$caption" 1245)
    software=$(auto rect "$caption" 1006); component=$(auto rect "$caption" 1282)
    window=$(auto rect "$caption")
    import -window root "$ARTIFACTS/details-dialog.png" || true
    auto press "$caption" 1203
    sleep 1
    retested=$(auto text "$caption" 1223)
    auto close "$caption"
    wait $pid || true
    answer=$(tr -d "\r" <"$out")
    printf "heads: %s\ntests: %s\nmachine: %s\nrequired: %s\ncomponents: %s\nwindow: %s\n%s\n" \
      "$heads" "$tests" "$machine" "$required" "$components" "$window" "$answer"
    read -r wl wt wr wb <<<"$window"
    [ "$heads" = "Test|This computer|Required|Test|Required" ] &&
      [ "$tests" = "Processor|Screen colours|Memory (MB)|3Dfx card|Sound card|CD-ROM drive speed" ] &&
      [ "$required" = "Pentium, Pentium MMX, Pentium Pro, AMD or Cyrix|Not required|32 MB|Yes|Yes|Not required" ] &&
      [ "$components" = "DirectX|Indeo video codec|Indeo 5 video codec|Yes|No|Yes" ] &&
      grep -q "^[^|]*|[^|]*|[0-9]* MB|No|" <<<"$machine" && [ "$retested" = No ] &&
      inside "$group" "$cell" && inside "$software" "$component" && [ $((wr - wl)) -le 640 ] &&
      [ "$answer" = answer=2 ]'
}

check "the no-match explanation lists the configurations and what the machine lacks for each" no_match
check "the details table shows the tests, the machine, the requirements and the components" details
finish
