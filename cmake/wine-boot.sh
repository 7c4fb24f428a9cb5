#!/usr/bin/env bash
# Creates and boots the build tree's Wine prefix once, before the tests.
# wine-boot.sh <32|64> <build dir>
set -eu
here=$(cd "$(dirname "$0")" && pwd)
. "$here/wine-env.sh"
vk_wine_env "$1" "$2"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  "$VK_WINE" wineboot -i >/dev/null 2>&1 || true
  # Without a window manager Wine waits on every hide of a framed window;
  # unmanaged windows are drawn with their frames and hide at once.
  "$VK_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 || true
fi
# Wine from Debian looks for its own fonts (fonts-wine: Tahoma, and Marlett
# for the caption buttons) in a folder that the 64-bit loader does not find;
# fonts in the prefix's Fonts folder are always found.
fonts="$WINEPREFIX/drive_c/windows/Fonts"
if [ -d /usr/share/wine/fonts ] && [ -d "$fonts" ]; then
  cp -n /usr/share/wine/fonts/*.ttf "$fonts/" 2>/dev/null || true
fi
wineserver -w
test -f "$WINEPREFIX/system.reg"
