#!/usr/bin/env bash
# Runs one case of the setup's end-to-end tests under Wine in a fresh prefix
# and home of its own, on a display of its own.
# run-setup-e2e.sh <32|64> <build dir> <case name> <test program> [gtest args...]
# VORKEL_WINDOWS_VERSION (win7, win10, ...) sets the Windows version Wine reports.
set -u
here=$(cd "$(dirname "$0")" && pwd)
bits=$1 build=$2 name=$3
shift 3
work="$build/setup-e2e/$name"
rm -rf "$work"
mkdir -p "$work/home"
# Wine links the prefix's Desktop and documents to the home folder: a home of
# the case's own keeps the shortcuts it makes out of the real one.
export HOME="$work/home"
"$here/../../cmake/wine-boot.sh" "$bits" "$work" >/dev/null || exit 1
. "$here/../../cmake/wine-env.sh"
vk_wine_env "$bits" "$work"
if [ -n "${VORKEL_WINDOWS_VERSION:-}" ]; then
  "$VK_WINE" reg add 'HKCU\Software\Wine' /v Version /d "$VORKEL_WINDOWS_VERSION" /f >/dev/null 2>&1
  wineserver -w
fi
export VORKEL_SCREENS_PREFIX="$name"
status=0
xvfb-run -a -s "-screen 0 1024x768x24" "$VK_WINE" "$@" || status=$?
# Whatever a failed case left running in this prefix ends with it.
wineserver -k 2>/dev/null || true
wineserver -w 2>/dev/null || true
# A prefix takes about a gigabyte: only a failed case's is kept, to look into.
[ $status -eq 0 ] && rm -rf "$work"
exit $status
