# Sourced by the Wine helpers: the build tree's own prefix and a quiet Wine.
# Arguments: <bits: 32 or 64> <build dir>
vk_wine_env() {
  local bits=$1 build_dir=$2
  export WINEPREFIX="$build_dir/wineprefix$bits"
  export WINEDEBUG=${WINEDEBUG:--all}
  export WINEDLLOVERRIDES="winemenubuilder.exe=d;mscoree=d;mshtml=d"
  if [ "$bits" = 64 ]; then
    export WINEARCH=win64
    export WINELOADER=/usr/lib/wine/wine64
    VK_WINE=/usr/lib/wine/wine64
  else
    export WINEARCH=win32
    VK_WINE=/usr/lib/wine/wine
  fi
}
