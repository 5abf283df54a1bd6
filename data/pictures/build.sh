#!/usr/bin/env bash
# Draws the options dialog's region thumbnails (vureg1..4.png: colour, grey,
# near-white and membership looks) from the stored atlas with the program's own
# renderer. Run after the items change; any argument is the year drawn.
set -euo pipefail
cd "$(dirname "$0")/../.."
. data/lib.sh
build_tool quillmere-thumbnails
"$BUILD/tools/quillmere-thumbnails" data/pictures "$@"
