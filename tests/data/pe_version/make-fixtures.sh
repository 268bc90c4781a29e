#!/usr/bin/env bash
# Makes the small PE libraries whose version resources the tests read:
# tests/data/pe_version/make-fixtures.sh (needs mingw-w64 i686).
# Each is a library with no code but a VERSIONINFO resource.
set -euo pipefail
cd "$(dirname "$0")"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# library FILE "a,b,c,d" [RESOURCE-ID]
library() {
  local file=$1 version=$2 id=${3:-1}
  cat >"$work/version.rc" <<RC
$id VERSIONINFO
FILEVERSION $version
PRODUCTVERSION $version
FILEOS 0x4
FILETYPE 0x2
BEGIN
  BLOCK "StringFileInfo"
  BEGIN
    BLOCK "040904E4"
    BEGIN
      VALUE "FileVersion", "${version//,/.}\\0"
    END
  END
  BLOCK "VarFileInfo"
  BEGIN
    VALUE "Translation", 0x409, 1252
  END
END
RC
  i686-w64-mingw32-windres "$work/version.rc" -O coff -o "$work/version.res"
  i686-w64-mingw32-gcc -shared -nostdlib -s -Wl,--entry=0 -o "$file" "$work/version.res"
}

library ir41_32-4.11.15.91.dll "4,11,15,91"
library ir41_32-4.2.0.0.dll "4,2,0,0"
library ir50_32-5.6.2.15.dll "5,6,2,15"
library highest-65535.dll "65535,65535,65535,65535"
# Windows looks for the version resource by the number 1 only.
library named-2-1.2.3.4.dll "1,2,3,4" 2
# No resource at all.
printf 'int kNothing;\n' >"$work/empty.c"
i686-w64-mingw32-gcc -shared -nostdlib -s -Wl,--entry=0 -o no-version.dll "$work/empty.c"
