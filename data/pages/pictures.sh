#!/usr/bin/env bash
# Draws the pictures of the narrative and help pages into data/items/im:
# screenshots of the program's own windows, the map of the year 1000 and the
# two drawn illustrations (see data/README.md). Run after the pages, the text
# items and the region thumbnails change; names given as arguments draw only
# those pictures (for example: date.png timectl.png).
set -euo pipefail
cd "$(dirname "$0")/../.."
. data/lib.sh
build_tool quillmere-page-pictures
"$BUILD/tools/quillmere-page-pictures" data/items "$@"
