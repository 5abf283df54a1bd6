#!/usr/bin/env bash
# Rebuilds the narrative and help pages (data/items/en, data/items/el) and the
# narrative anchors (data/items/hta1.txt) from data/pages. Needs Node.js only.
set -euo pipefail
cd "$(dirname "$0")"

if ! command -v node >/dev/null 2>&1; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  $sudo apt-get install -y nodejs
fi

node build.js "$@"
