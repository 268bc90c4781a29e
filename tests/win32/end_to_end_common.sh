# Shared by the end-to-end scripts under Wine (sourced, not run).
# Provides: wine_tool, check NAME COMMAND..., the failures count, and
# finish (the script's status). Snippets run through wine_tool get auto()
# from tools/wine/auto.sh: source "$TVX_AUTO_HELPER".
wine_tool=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../tools/wine" && pwd)/tvxwine
failures=0

check() {  # check NAME COMMAND...
  local name=$1
  shift
  if "$@"; then echo "ok   $name"; else echo "FAIL $name"; failures=$((failures + 1)); fi
}

# stage_disc FOLDER SETUP_EXE [DISC]: a disc (the sample disc by default)
# with the program at its root.
stage_disc() {
  rm -rf "$1"
  mkdir -p "$1"
  cp -r "${3:-$(dirname "${BASH_SOURCE[0]}")/../../examples/disc}/." "$1/"
  cp "$2" "$1/SetupTvx.exe"
}

finish() { [ "$failures" = 0 ]; }

# For the snippets run inside a prefix (add them with declare -f), where
# drive_c, work and fail are defined:
# prefix_snapshot NAME: every file of drive C: with its size and time, every
# folder, and the whole registry as regedit exports it.
prefix_snapshot() {
  (cd "$drive_c" && find . \( -path ./windows/temp -o -path "./users/*/Temp" \) -prune -o \
    -type d -printf "d %p\n" -o -printf "%y %p %s %T@\n" | sed 's/\.[0-9]*$//' | sort) >"$work/$1.files"
  "$TVX_WINE_NATIVE" regedit /E "Z:${work//\//\\}\\$1.reg"
  # One line a value, after its key; the keys Wine rewrites for the
  # display at each start left out.
  iconv -f UTF-16 -t UTF-8 "$work/$1.reg" | tr -d '\r' | awk '
    /^\[/ { key = $0; volatile = key ~ /^\[HKEY_LOCAL_MACHINE\\(Hardware|System\\CurrentControlSet\\(Enum|Hardware Profiles|Control\\(Class|DeviceClasses|Video|ServiceCurrent)))/ ||
            key ~ /\\Software\\Wine\\Temporary System Parameters/; if (!volatile) print key; next }
    !volatile && NF { print key " " $0 }' >"$work/$1.registry"
}

# prefix_unchanged KEPT: fails unless the "after" snapshot is the "before"
# one but for lines matching the pattern KEPT.
prefix_unchanged() {
  diff "$work/before.files" "$work/after.files" | grep "^[<>]" | grep -vE "$1" >"$work/changed" || true
  diff "$work/before.registry" "$work/after.registry" | grep "^[<>]" | grep -vE "$1" >>"$work/changed" || true
  if [ -s "$work/changed" ]; then fail "the prefix differs:"; sed "s/^/    /" "$work/changed" | head -40; fi
}
