#!/usr/bin/env bash
# Exit 0 when 32-bit Wine can start on this machine (the kernel runs i386 code).
/usr/lib/wine/wine --version >/dev/null 2>&1
