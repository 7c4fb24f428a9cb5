#!/usr/bin/env bash
# Runs one Windows program under Wine with the build tree's own prefix.
# Used as CMAKE_CROSSCOMPILING_EMULATOR: wine-run.sh <32|64> <program> [args...]
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
bits=$1
shift
d=$(cd "$(dirname "$1")" && pwd)
while [ "$d" != "/" ] && [ ! -f "$d/CMakeCache.txt" ]; do d=$(dirname "$d"); done
vk_wine_env "$bits" "${VK_BUILD_DIR:-$d}"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$VK_WINE" "$@"
fi
exec "$VK_WINE" "$@"
