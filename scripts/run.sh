#!/usr/bin/env bash
# Builds the Windows programs (32-bit) and starts the main program under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh windows
cmake --preset windows -DVK_TESTS=OFF
cmake --build --preset windows

exe=build/windows/Source/Vorkel.exe
if [ ! -f "$exe" ]; then
  echo "Built the Windows libraries under build/windows; the main program Vorkel.exe does not exist yet."
  find build/windows -maxdepth 3 -name '*.a' -o -maxdepth 3 -name '*.exe' | sort
  exit 0
fi
. cmake/wine-env.sh
if scripts/can-run-win32.sh; then
  vk_wine_env 32 "$PWD/build/windows"
else
  echo "This kernel cannot run 32-bit code; 32-bit Wine cannot start Vorkel.exe here." >&2
  exit 1
fi
exec "$VK_WINE" "$exe"
