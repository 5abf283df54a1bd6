#!/usr/bin/env bash
# Rebuilds data/items/geo2.txt and data/items/wt1.txt from the Natural Earth data
# of the npm packages pinned in package-lock.json.
set -euo pipefail
cd "$(dirname "$0")"

if ! command -v node >/dev/null 2>&1 || ! command -v npm >/dev/null 2>&1; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  $sudo apt-get install -y nodejs npm
fi

if [ ! -d node_modules ]; then
  npm ci --no-audit --no-fund
fi

node build.js ../items
