#!/usr/bin/env bash
# Runs the end-to-end test program under Wine in a prefix of its own, on a
# display of its own (large enough for an enlarged main window), so the
# programs it starts meet no other test's windows.
# run-e2e.sh <32|64> <build dir> <test program> [gtest args...]
# The prefix is the build's e2e folder, or VK_E2E_PREFIX's folder there.
set -u
here=$(cd "$(dirname "$0")" && pwd)
bits=$1 build=$2
shift 2
prefix=$build/${VK_E2E_PREFIX:-e2e}
mkdir -p "$prefix"
"$here/../../cmake/wine-boot.sh" "$bits" "$prefix" || exit 1
. "$here/../../cmake/wine-env.sh"
vk_wine_env "$bits" "$prefix"
status=0
xvfb-run -a -s "-screen 0 1600x1200x24" "$VK_WINE" "$@" || status=$?
# Whatever a failed case left running in this prefix ends with it.
wineserver -k 2>/dev/null || true
exit $status
