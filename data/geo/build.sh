#!/usr/bin/env bash
# Rebuilds data/items/geo2.txt and data/items/wt1.txt from the Natural Earth data
# of the npm packages pinned in package-lock.json.
set -euo pipefail
cd "$(dirname "$0")"
. ../lib.sh

need_node npm

if [ ! -d node_modules ]; then
  npm ci --no-audit --no-fund
fi

node build.js ../items
