#!/usr/bin/env bash
# Builds Vorkel.exe and starts it under Wine in a program folder of your
# choice (the program keeps Data, Hist and vorkel.cfg beside itself).
#
#   scripts/run.sh [--shop] [program folder]
#
# The folder defaults to run/ in the build tree. A folder without vorkel.cfg
# gets one without a password, as the setup program writes it; --shop fills
# an empty Data with 30 products and their movements first.
# With a display ($DISPLAY) the program opens there and the script waits for
# it to end. Without one it runs on a virtual display: the script saves a
# screenshot of the main window, says where, and ends the program.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

shop=0
if [ "${1:-}" = "--shop" ]; then shop=1; shift; fi

scripts/install-deps.sh windows >/dev/null
# The shipped 32-bit build where this machine runs 32-bit code, else the
# x86_64 build of the same sources.
if scripts/can-run-win32.sh; then preset=windows bits=32; else preset=wintest bits=64; fi
cmake --preset "$preset" -DVK_TESTS=ON >/dev/null
cmake --build --preset "$preset" -j3 --target Vorkel VkFill
build=$root/build/$preset

folder=${1:-$build/run}
mkdir -p "$folder"
folder=$(cd "$folder" && pwd)
cp "$build/Source/Vorkel.exe" "$folder/Vorkel.exe"

. cmake/wine-env.sh
vk_wine_env "$bits" "$build"
cmake/wine-boot.sh "$bits" "$build" >/dev/null
# Settings as the setup program writes them, when the folder has none; with
# --shop an empty Data filled with 30 goods.
fill=()
if [ "$shop" = 1 ] && [ ! -e "$folder/Data/store.dat" ]; then fill=(small); fi
if [ ! -f "$folder/vorkel.cfg" ] || [ ${#fill[@]} -gt 0 ]; then
  cp "$build/tests/e2e/VkFill.exe" "$folder/VkFill.exe"
  (cd "$folder" && "$VK_WINE" VkFill.exe . "${fill[@]}")
  rm -f "$folder/VkFill.exe"
fi

if [ -n "${DISPLAY:-}" ]; then
  echo "Vorkel.exe runs in $folder"
  cd "$folder" && exec "$VK_WINE" Vorkel.exe
fi

# No display: a virtual one, a screenshot, and the end.
for n in $(seq 200 299); do [ -e "/tmp/.X11-unix/X$n" ] || break; done
Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
export DISPLAY=":$n"
program=
cleanup() {
  [ -n "$program" ] && kill "$program" 2>/dev/null || true
  wineserver -k 2>/dev/null || true
  kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT
sleep 1
(cd "$folder" && exec "$VK_WINE" Vorkel.exe >/dev/null 2>&1) &
program=$!
shown=0
for _ in $(seq 1 120); do
  if xdotool search --name "^Vorkel - " >/dev/null 2>&1; then shown=1; break; fi
  sleep 0.5
done
if [ "$shown" = 0 ]; then
  echo "The main window did not appear within a minute." >&2
  exit 1
fi
sleep 2
mkdir -p "$build/artifacts"
shot="$build/artifacts/run-$(date +%Y%m%d-%H%M%S).png"
import -window root "$shot"
echo "Vorkel.exe ran in $folder on a virtual display; screenshot of the main window: $shot"
