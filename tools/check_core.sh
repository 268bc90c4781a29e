#!/usr/bin/env bash
# Keeps the portable core away from the operating system: platform headers,
# C file and environment calls and clocks belong to src/platform/<backend>/.
set -euo pipefail
src=${1:-$(dirname "$0")/../src}
pattern='#include *<(windows|winbase|winuser|shlobj|shellapi|mmsystem|unistd|fcntl|dirent|pthread|dlfcn)\.h>|#include *<sys/|#include *<(filesystem|fstream|chrono|thread|ctime|time\.h)>|\b(fopen|getenv|system|popen|time|clock|rand)\s*\(|std::filesystem|std::chrono'
hits=$(grep -rnE "$pattern" "$src" --include='*.h' --include='*.cpp' \
  | grep -vE "^$src/platform/(host|win32)/|^$src/app/" || true)
if [ -n "$hits" ]; then
  echo "The core reaches the platform directly; go through the platform seam instead:"
  echo "$hits"
  exit 1
fi
echo "core stays portable"
