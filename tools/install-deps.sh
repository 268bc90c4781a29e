#!/usr/bin/env bash
# Installs what the builds and tests need on Debian 12, only when missing.
# Run as root. Groups: host, win32, fuzz (default: all three).
set -euo pipefail

host_packages="cmake make ninja-build g++ libgtest-dev googletest nlohmann-json3-dev libcli11-dev libbenchmark-dev clang-format libpng-dev liblnk-utils fonts-dejavu-core"
win32_packages="g++-mingw-w64-i686 wine wine32:i386 wine64 xvfb xauth imagemagick icoutils libxml2-utils"
fuzz_packages="clang-14 libclang-rt-14-dev"

wanted=""
for group in ${@:-host win32 fuzz}; do
  case $group in
    host) wanted="$wanted $host_packages" ;;
    win32) wanted="$wanted $win32_packages" ;;
    fuzz) wanted="$wanted $fuzz_packages" ;;
    *) echo "install-deps: unknown group '$group'" >&2; exit 2 ;;
  esac
done

missing=""
for package in $wanted; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "ok installed" || missing="$missing $package"
done
[ -n "$missing" ] || exit 0

if [ "$(id -u)" != 0 ]; then
  echo "install-deps: missing packages:$missing (run as root to install them)" >&2
  exit 1
fi
echo "install-deps: installing$missing"
case $missing in *:i386*) dpkg --add-architecture i386 ;; esac
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends $missing >/dev/null
