#!/usr/bin/env bash
# The application manifest of SetupTvx.exe, read back by tools that are not
# the build's: wrestool finds the resource, xmllint parses it and checks each
# element by its namespace. With "version", the version probe built with and
# without the same manifest runs in a prefix reporting Windows 10.
# Usage: embedded_manifest.sh elements SetupTvx.exe version_probe_manifested.exe
#        embedded_manifest.sh version version_probe.exe version_probe_manifested.exe
set -euo pipefail
mode=$1
source "$(dirname "$0")/end_to_end_common.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

asm=urn:schemas-microsoft-com:asm.v1
v3=urn:schemas-microsoft-com:asm.v3
compat=urn:schemas-microsoft-com:compatibility.v1
# Vista, 7, 8, 8.1, 10 and 11 (which shares 10's id).
supported="{1f676c76-80e1-4239-95bb-83d0f6d0da78}
{35138b9a-5d96-4fbd-8e2d-a2440225f93a}
{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}
{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}
{e2011457-1546-43c5-a5fe-008deee3d3f0}"

el() { echo "*[local-name()='$1' and namespace-uri()='$2']"; }
xpath() { xmllint --xpath "$1" "$work/manifest.xml" 2>/dev/null; }
count_is() { # count_is N XPATH
  local found
  found=$(xpath "count($2)")
  [ "$found" = "$1" ] || { echo "  $found, not $1: $2"; return 1; }
}

extract() {
  wrestool -x --raw -t 24 -n 1 "$1" >"$work/manifest.xml"
  [ -s "$work/manifest.xml" ] || { echo "  no manifest in $1"; return 1; }
}

one_manifest_as_resource_1() {
  local listed
  listed=$(wrestool -l -t 24 "$SETUP")
  echo "  $listed"
  [ "$(echo "$listed" | wc -l)" = 1 ] && [[ $listed == *"--type=24 --name=1 "* ]]
}

well_formed() { extract "$SETUP" && xmllint --noout "$work/manifest.xml"; }

as_invoker() {
  count_is 1 "/$(el assembly $asm)[@manifestVersion='1.0']" &&
    count_is 1 "/*/$(el trustInfo $v3)/$(el security $v3)/$(el requestedPrivileges $v3)/$(el requestedExecutionLevel $v3)[@level='asInvoker' and @uiAccess='false']" &&
    count_is 1 "//*[local-name()='requestedExecutionLevel']"
}

supported_systems() {
  local ids
  ids=$(xpath "/*/$(el compatibility $compat)/$(el application $compat)/$(el supportedOS $compat)/@Id" |
    sed 's/^ *Id="\(.*\)"$/\1/' | sort)
  echo "$ids" | sed 's/^/  /'
  [ "$ids" = "$supported" ] && count_is 5 "//*[local-name()='supportedOS']"
}

# Common controls 6 would change the dialogs' look, DPI awareness the
# panel's size.
nothing_that_changes_the_look() {
  count_is 0 "//*[local-name()='dependency' or local-name()='dependentAssembly']" &&
    count_is 0 "//*[local-name()='dpiAware' or local-name()='dpiAwareness' or local-name()='windowSettings']"
}

# Each element in the one namespace it declares as a default: no prefixes,
# which older parsers refuse.
one_namespace_per_element() {
  ! grep -q 'xmlns:' "$work/manifest.xml" &&
    count_is 0 "//*[name() != local-name()]" &&
    count_is 0 "//*[namespace-uri() != '$asm' and namespace-uri() != '$v3' and namespace-uri() != '$compat']"
}

probe_has_the_same_manifest() {
  wrestool -x --raw -t 24 -n 1 "$PROBE_MANIFESTED" | cmp -s - "$work/manifest.xml"
}

reads_version() { # reads_version PROBE PREFIX_VERSION EXPECTED_START
  local said
  said=$("$wine_tool" run --version "$2" --timeout 60 -- "$1" | tr -d '\r')
  echo "  $(basename "$1") on $2: $said"
  [[ $said == "$3"* ]]
}

case $mode in
  elements)
    export SETUP=$2 PROBE_MANIFESTED=$3
    check "one manifest, resource 1" one_manifest_as_resource_1
    check "well-formed XML" well_formed
    check "asInvoker without UI access" as_invoker
    check "supported from Vista to Windows 10/11" supported_systems
    check "no common controls 6, no DPI awareness" nothing_that_changes_the_look
    check "one namespace per element" one_namespace_per_element
    check "the version probe carries the same manifest" probe_has_the_same_manifest
    ;;
  version)
    check "without the manifest Windows 10 reads 6.2" reads_version "$2" win10 "6.2.9200 2"
    check "with the manifest Windows 10 reads 10.0" reads_version "$3" win10 "10.0."
    check "with the manifest Windows XP still reads 5.1" reads_version "$3" winxp "5.1.2600 2"
    ;;
  *) echo "embedded_manifest.sh: unknown mode $mode" >&2; exit 2 ;;
esac
finish
