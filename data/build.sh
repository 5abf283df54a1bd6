#!/usr/bin/env bash
# Rebuilds the stored items under data/items from their sources.
set -euo pipefail
cd "$(dirname "$0")"
for part in geo history text pages pictures; do
  if [ -x "$part/build.sh" ]; then
    echo "== data: $part"
    "./$part/build.sh"
  fi
done
# The page pictures last: they show the pages, the text items and the thumbnails.
if [ -x pages/pictures.sh ]; then
  echo "== data: page pictures"
  ./pages/pictures.sh
fi
