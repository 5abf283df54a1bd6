#!/usr/bin/env bash
# Rebuilds the language items of the atlas text (interface strings, people,
# events, headlines, cities, view regions) from the UTF-8 sources here.
set -euo pipefail
cd "$(dirname "$0")"

if ! command -v node >/dev/null 2>&1; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  $sudo apt-get install -y nodejs
fi

node build.js --items ../items
