#!/usr/bin/env bash
# Draws the options dialog's region thumbnails (vureg1..4.png: colour, grey,
# near-white and membership looks) from the stored atlas with the program's own
# renderer, then the program's icons from the colour thumbnail. Run after the
# items change; any argument is the year drawn.
set -euo pipefail
cd "$(dirname "$0")/../.."
. data/lib.sh
build_tool quillmere-thumbnails
"$BUILD/tools/quillmere-thumbnails" data/pictures "$@"
build_tool quillmere-icon
"$BUILD/tools/quillmere-icon" data/pictures/vureg1.png dist/icons
