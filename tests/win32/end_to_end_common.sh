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
