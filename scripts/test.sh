#!/usr/bin/env bash
# Builds everything and runs every test: natively (gcc, ASan+UBSan) and the
# Windows build under Wine, plus short runs of the fuzz targets. Installs what
# is missing from Debian's packages first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh all
# The spreadsheet that reads our CSV files back; its test skips without it.
scripts/install-deps.sh peers || echo "the spreadsheet is not installed: the test that reads CSV files with it skips"

# Every CTest run's summary is kept to add up the counts at the end.
summary=$(mktemp)
trap 'rm -f "$summary"' EXIT
run_tests() { "$@" 2>&1 | tee -a "$summary"; }

echo "== native: build and test"
run_tests cmake --workflow --preset native

echo "== windows (i686, the shipped programs): build"
cmake --preset windows
cmake --build --preset windows

# One display for every Windows test that opens a window.
if [ -z "${DISPLAY:-}" ]; then
  for n in $(seq 90 120); do [ -e /tmp/.X11-unix/X$n ] || break; done
  Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
  xvfb_pid=$!
  trap 'kill $xvfb_pid 2>/dev/null || true; rm -f "$summary"' EXIT
  export DISPLAY=":$n"
  sleep 1
fi

if scripts/can-run-win32.sh; then
  echo "== windows (i686): tests under 32-bit Wine"
  # A Wine process now and then fails to start under load; such a test gets one more run.
  run_tests ctest --preset windows --repeat until-pass:2
else
  # This kernel cannot execute 32-bit code, so 32-bit Wine cannot start here:
  # the same code is built for x86_64 and its tests run under 64-bit Wine.
  echo "== windows (x86_64 build of the same code): tests under 64-bit Wine"
  cmake --preset wintest
  cmake --build --preset wintest
  run_tests ctest --preset wintest --repeat until-pass:2
fi

echo "== fuzz targets: build and short runs"
run_tests cmake --workflow --preset fuzz

echo "== benchmarks: build"
cmake --preset bench
cmake --build --preset bench
# CTest prints "100% tests passed, 0 tests failed out of N" per run.
total=$(grep -Eo 'tests failed out of [0-9]+' "$summary" | awk '{s += $5} END {print s + 0}')
failed=$(grep -Eo '[0-9]+ tests failed out of' "$summary" | awk '{s += $1} END {print s + 0}')
echo "$((total - failed)) passed, $failed failed"
