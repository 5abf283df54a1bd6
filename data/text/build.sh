#!/usr/bin/env bash
# Rebuilds the language items of the atlas text (interface strings, people,
# events, headlines, cities, view regions) from the UTF-8 sources here.
set -euo pipefail
cd "$(dirname "$0")"
. ../lib.sh

need_node

node build.js --items ../items
