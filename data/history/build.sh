#!/usr/bin/env bash
# Rebuilds the political history items (borders, fill points, palette, click
# names, labels, membership) in data/items from the source in src/.
set -euo pipefail
cd "$(dirname "$0")"
. ../lib.sh

need=()
command -v geos-config >/dev/null 2>&1 || need+=(libgeos-dev)
command -v ogr2ogr >/dev/null 2>&1 || need+=(gdal-bin)
[ -f /usr/share/qgis/resources/data/world_map.gpkg ] || need+=(qgis-common)
command -v node >/dev/null 2>&1 || need+=(nodejs)
command -v g++ >/dev/null 2>&1 || need+=(g++ make)
install_debian "${need[@]}"

make -s -C geom

# Natural Earth admin-1 provinces (public domain), as shipped by Debian's qgis-common.
mkdir -p .cache
if [ ! -s .cache/provinces.json ]; then
  ogr2ogr -f GeoJSON -spat -50.1 -9.5 108.1 83 .cache/provinces.json \
    /usr/share/qgis/resources/data/world_map.gpkg states_provinces
fi

node compile.js .cache/provinces.json ../items .cache/work
