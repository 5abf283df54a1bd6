#!/usr/bin/env bash
# Draws the options dialog's region thumbnails (vureg1..4.png: colour, grey,
# near-white and membership looks) from the stored atlas with the program's own
# renderer. Run after the items change; any argument is the year drawn.
set -euo pipefail
cd "$(dirname "$0")/../.."
BUILD=${BUILD:-build}
[ -f "$BUILD/CMakeCache.txt" ] || cmake -S . -B "$BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build "$BUILD" --target quillmere-thumbnails -j "$(nproc 2>/dev/null || echo 2)"
"$BUILD/tools/quillmere-thumbnails" data/pictures "$@"
