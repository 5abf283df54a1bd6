#!/usr/bin/env bash
# Rebuilds the narrative and help pages (data/items/en, data/items/el) and the
# narrative anchors (data/items/hta1.txt) from data/pages. Needs Node.js only.
set -euo pipefail
cd "$(dirname "$0")"
. ../lib.sh

need_node

node build.js "$@"
