#!/usr/bin/env bash
# Installs, from Debian's packages only, what the build and the tests need.
# Usage: scripts/install-deps.sh [native|windows|peers|all]   (default: all)
# peers: other programs the tests read our files with (a spreadsheet); large,
# so not part of all; the tests that need them skip where they are missing.
# Packages already present are skipped, so a second run costs nothing.
set -euo pipefail

want=${1:-all}
sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

native_pkgs=(g++ cmake make ninja-build googletest libgtest-dev libbenchmark-dev libsqlite3-dev clang libclang-rt-14-dev)
# A headless spreadsheet, without the desktop parts.
peer_pkgs=(libreoffice-calc-nogui)
windows_pkgs=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine32:i386 wine64 fonts-wine xvfb xauth xdotool imagemagick cups printer-driver-cups-pdf libcups2 libcups2:i386 poppler-utils)

pkgs=()
case "$want" in
  native) pkgs=("${native_pkgs[@]}") ;;
  windows) pkgs=("${windows_pkgs[@]}") ;;
  peers) pkgs=("${peer_pkgs[@]}") ;;
  all) pkgs=("${native_pkgs[@]}" "${windows_pkgs[@]}") ;;
  *) echo "unknown set: $want" >&2; exit 2 ;;
esac

missing=()
for p in "${pkgs[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "installing: ${missing[*]}"
if printf '%s\n' "${missing[@]}" | grep -q ':i386$'; then
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${sudo_cmd[@]}" dpkg --add-architecture i386
  fi
fi
export DEBIAN_FRONTEND=noninteractive
# A mirror caught mid-sync fails one list now and then; the others are still
# fresh, and the install says so itself if a package cannot be had.
"${sudo_cmd[@]}" apt-get update -qq || echo "some package lists could not be refreshed; installing from those at hand"
if "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"; then exit 0; fi
# An i386 list left stale by such a mirror pins the 32-bit packages to older
# versions than their 64-bit siblings, which apt then refuses. Without them
# the tests run the x86_64 build under 64-bit Wine (scripts/test.sh).
native_arch=()
for p in "${missing[@]}"; do [[ "$p" == *:i386 ]] || native_arch+=("$p"); done
[ ${#native_arch[@]} -lt ${#missing[@]} ] || exit 1
echo "the 32-bit packages cannot be installed now; installing the others: ${native_arch[*]}"
"${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${native_arch[@]}"
