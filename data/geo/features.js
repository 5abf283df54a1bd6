'use strict';
// Chooses, simplifies and cuts the geography features of the map.
const { landRings, lakeRings, riverLines, project } = require('./sources');
const { simplifyLines, bboxOf } = require('./simplify');
const { MAP_MIN, MAP_MAX, clipToBox, RingSet, ringArea, clipSegment } = require('./geometry');
const { segDist2 } = require('./simplify');

const TOLERANCE = 12;          // map units (3 km): the scale of detail the simplification keeps
const MAX_FEATURES = 401;      // ids 0..400
const LAKE_MIN_AREA = 4000;    // map units squared (250 km2)
const MAX_LAKES = 44;
const RIVER_MIN_LENGTH = 500;  // map units, measured inside the map
const MAX_RIVERS = 83;
const ISLAND_MIN_AREA = 600;   // map units squared (about 40 km2)
const RIVER_MIN_PIECE = 40;    // map units; shorter pieces left after cutting are dropped

const AREA = [MAP_MIN - 400, MAP_MIN - 400, MAP_MAX + 400, MAP_MAX + 400];

function meetsMap(box) { return box[0] <= MAP_MAX && box[2] >= MAP_MIN && box[1] <= MAP_MAX && box[3] >= MAP_MIN; }

// Islands far from the atlas's core (the Atlantic, Africa south of the Sahara,
// Arabia's outer coasts, Asia east of the Caspian) count for less.
function islandWeight(lon, lat) {
  if (lat < 24 || lon > 60 || lon < -20) return 0.25;
  return 1;
}

// Narrow straits drawn as water lines, so they show at zooms where their coasts merge.
// Each is a rough centreline (lon, lat) that is pulled into the middle of the strait.
const STRAITS = {
  Bosporus: [[29.14, 41.25], [29.10, 41.20], [29.06, 41.15], [29.05, 41.10], [29.02, 41.05], [29.00, 41.00]],
  Dardanelles: [[26.70, 40.45], [26.62, 40.39], [26.52, 40.32], [26.40, 40.22], [26.35, 40.12], [26.25, 40.04], [26.15, 39.99]],
  Kerch: [[36.55, 45.45], [36.60, 45.35], [36.62, 45.25], [36.60, 45.12], [36.53, 45.05]],
  Oresund: [[12.62, 56.12], [12.65, 56.02], [12.72, 55.90], [12.80, 55.75], [12.75, 55.60], [12.70, 55.45]],
  LittleBelt: [[9.95, 55.65], [9.78, 55.55], [9.72, 55.48], [9.70, 55.35], [9.75, 55.20]],
  Messina: [[15.66, 38.30], [15.63, 38.23], [15.60, 38.15], [15.57, 38.05]],
  Gibraltar: [[-5.95, 35.95], [-5.75, 35.97], [-5.55, 35.97], [-5.40, 36.00], [-5.25, 36.05]],
};

function pathLength(pts) {
  let s = 0;
  for (let i = 1; i < pts.length; i++) s += Math.hypot(pts[i][0] - pts[i - 1][0], pts[i][1] - pts[i - 1][1]);
  return s;
}

function lengthInMap(pts) {
  let s = 0;
  for (let i = 1; i < pts.length; i++) {
    const c = clipSegment(pts[i - 1], pts[i]);
    if (c) s += (c[1] - c[0]) * Math.hypot(pts[i][0] - pts[i - 1][0], pts[i][1] - pts[i - 1][1]);
  }
  return s;
}

// Land rings that reach into the map. (Rings far off it, Antarctica above all, are
// distorted by the projection and must not be used.)
function mapLandRings() {
  return landRings().map((r) => ({ ...r, box: bboxOf(r.pts) }))
    .filter((r) => meetsMap(r.box) && clipToBox(r.pts).length > 0);
}

function selectLand() {
  const rings = mapLandRings();
  for (const r of rings) r.area = ringArea(r.pts);
  const outers = rings.filter((r) => !r.hole).sort((a, b) => b.area - a.area);
  const mainland = outers[0];
  const holes = rings.filter((r) => r.hole);
  const islands = outers.slice(1)
    .map((r) => ({ ...r, score: r.area * islandWeight(r.lonlat[0], r.lonlat[1]) }))
    .filter((r) => r.score >= ISLAND_MIN_AREA)
    .sort((a, b) => b.score - a.score || a.pts[0][0] - b.pts[0][0]);
  return { mainland, holes, islands };
}

// Whether a simplified lake reaches this far from its shore somewhere: a water
// seed lies at least 20 map units (5 km) from every line, and a lake without one
// would be drawn dry.
const LAKE_MIN_DEPTH = 20;
function holdsSeed(pts) {
  const shore = new SegmentIndex([pts], 64);
  const ring = new RingSet([pts]);
  const [x1, y1, x2, y2] = bboxOf(pts);
  for (let y = y1 + 2; y < y2; y += 4)
    for (let x = x1 + 2; x < x2; x += 4)
      if (ring.contains(x, y) && shore.distance([x, y], LAKE_MIN_DEPTH) >= LAKE_MIN_DEPTH) return true;
  return false;
}

// Lakes far from the atlas's core count for a tenth: the core's lakes of 250 km2
// and more come before them.
function selectLakes() {
  return lakeRings()
    .map((r) => ({ ...r, box: bboxOf(r.pts), area: ringArea(r.pts) }))
    .map((r) => ({ ...r, score: r.area * (islandWeight(r.lonlat[0], r.lonlat[1]) < 1 ? 0.1 : 1) }))
    .filter((r) => meetsMap(r.box) && r.score >= LAKE_MIN_AREA)
    .sort((a, b) => b.score - a.score || a.pts[0][0] - b.pts[0][0])
    .slice(0, MAX_LAKES);
}

function riverWeight(pts) {
  const [x, y] = pts[Math.floor(pts.length / 2)];
  // The core of the atlas: Europe, the Mediterranean and the Near East.
  return x > 2000 && x < 25000 && y > 2000 && y < 21000 ? 1 : 0.4;
}

function selectRivers() {
  return riverLines()
    .map((r) => ({ ...r, len: lengthInMap(r.pts) }))
    .map((r) => ({ ...r, score: r.len * riverWeight(r.pts) }))
    .filter((r) => r.score >= RIVER_MIN_LENGTH)
    .sort((a, b) => b.score - a.score || a.pts[0][0] - b.pts[0][0])
    .slice(0, MAX_RIVERS);
}

// Points where segment a-b crosses any of the given segments, as parameters t.
function crossingParams(a, b, index) {
  const ts = [];
  for (const [c, d] of index.near(a, b)) {
    const r = [b[0] - a[0], b[1] - a[1]], s = [d[0] - c[0], d[1] - c[1]];
    const den = r[0] * s[1] - r[1] * s[0];
    if (den === 0) continue;
    const t = ((c[0] - a[0]) * s[1] - (c[1] - a[1]) * s[0]) / den;
    const u = ((c[0] - a[0]) * r[1] - (c[1] - a[1]) * r[0]) / den;
    if (t > 0 && t < 1 && u >= 0 && u <= 1) ts.push(t);
  }
  return ts.sort((p, q) => p - q);
}

class SegmentIndex {
  constructor(lines, cell = 256) {
    this.cell = cell;
    this.grid = new Map();
    for (const pts of lines) {
      for (let i = 0; i + 1 < pts.length; i++) this.add(pts[i], pts[i + 1]);
    }
  }

  add(a, b) {
    const c = this.cell;
    for (let gx = Math.floor(Math.min(a[0], b[0]) / c); gx <= Math.floor(Math.max(a[0], b[0]) / c); gx++) {
      for (let gy = Math.floor(Math.min(a[1], b[1]) / c); gy <= Math.floor(Math.max(a[1], b[1]) / c); gy++) {
        const key = gx * 100003 + gy;
        let list = this.grid.get(key);
        if (!list) this.grid.set(key, (list = []));
        list.push([a, b]);
      }
    }
  }

  near(a, b, pad = 0) {
    const c = this.cell, seen = new Set(), out = [];
    for (let gx = Math.floor((Math.min(a[0], b[0]) - pad) / c); gx <= Math.floor((Math.max(a[0], b[0]) + pad) / c); gx++) {
      for (let gy = Math.floor((Math.min(a[1], b[1]) - pad) / c); gy <= Math.floor((Math.max(a[1], b[1]) + pad) / c); gy++) {
        const list = this.grid.get(gx * 100003 + gy);
        if (!list) continue;
        for (const s of list) if (!seen.has(s)) { seen.add(s); out.push(s); }
      }
    }
    return out;
  }

  // Distance from p to the nearest segment, searched out to at most maxDist.
  distance(p, maxDist) {
    let best = maxDist * maxDist;
    let r = this.cell;
    for (;;) {
      for (const [a, b] of this.near(p, p, r)) {
        const d = segDist2(p, a, b);
        if (d < best) best = d;
      }
      if (Math.sqrt(best) <= r || r >= maxDist) return Math.sqrt(best);
      r *= 2;
    }
  }
}

// Cuts simplified river lines to where they run over land and outside lakes.
function cutRivers(rivers, shoreIndex, isLandNotLake) {
  const out = [];
  for (const line of rivers) {
    let run = [];
    const flush = () => {
      if (run.length >= 2 && pathLength(run) >= RIVER_MIN_PIECE) out.push(run);
      run = [];
    };
    for (let i = 0; i + 1 < line.length; i++) {
      const a = line[i], b = line[i + 1];
      const ts = [0, ...crossingParams(a, b, shoreIndex), 1];
      for (let k = 0; k + 1 < ts.length; k++) {
        const tm = (ts[k] + ts[k + 1]) / 2;
        const mid = [a[0] + tm * (b[0] - a[0]), a[1] + tm * (b[1] - a[1])];
        const at = (t) => [Math.round(a[0] + t * (b[0] - a[0])), Math.round(a[1] + t * (b[1] - a[1]))];
        if (isLandNotLake(mid[0], mid[1])) {
          const p0 = at(ts[k]), p1 = at(ts[k + 1]);
          const last = run[run.length - 1];
          if (!last || last[0] !== p0[0] || last[1] !== p0[1]) run.push(p0);
          if (p1[0] !== p0[0] || p1[1] !== p0[1]) run.push(p1);
        } else {
          flush();
        }
      }
    }
    flush();
  }
  return out;
}

// Moves each point of a rough strait centreline, across the strait, to the middle
// of the water channel nearest to it; points with no water near them are dropped.
const STRAIT_REACH = 80;   // map units searched on either side

function centreLine(lonlats, isWater) {
  const rough = lonlats.map(project);
  const out = [];
  rough.forEach((p, i) => {
    const a = rough[Math.max(0, i - 1)], b = rough[Math.min(rough.length - 1, i + 1)];
    const len = Math.hypot(b[0] - a[0], b[1] - a[1]);
    const nx = -(b[1] - a[1]) / len, ny = (b[0] - a[0]) / len;
    // Water runs along the normal, as [from, to] in half units.
    const runs = [];
    let start = null;
    for (let s = -2 * STRAIT_REACH; s <= 2 * STRAIT_REACH + 1; s++) {
      const wet = s <= 2 * STRAIT_REACH && isWater(p[0] + nx * s / 2, p[1] + ny * s / 2);
      if (wet && start === null) start = s;
      if (!wet && start !== null) { runs.push([start, s - 1]); start = null; }
    }
    if (!runs.length) return;
    const off = (r) => (r[0] <= 0 && r[1] >= 0 ? 0 : Math.min(Math.abs(r[0]), Math.abs(r[1])));
    runs.sort((u, v) => off(u) - off(v));
    const [from, to] = runs[0];
    // A run that reaches the end of the search is open water: the point stays.
    const open = from === -2 * STRAIT_REACH || to === 2 * STRAIT_REACH;
    const t = open ? (off(runs[0]) === 0 ? 0 : (from + to) / 4) : (from + to) / 4;
    const r = [Math.round(p[0] + nx * t), Math.round(p[1] + ny * t)];
    const last = out[out.length - 1];
    if (!last || last[0] !== r[0] || last[1] !== r[1]) out.push(r);
  });
  return out;
}

function buildFeatures(log = () => {}) {
  const { mainland, holes, islands } = selectLand();
  const lakes = selectLakes();
  const rivers = selectRivers();
  log(`selected: ${islands.length} islands, ${holes.length} inland seas, ${lakes.length} lakes, ${rivers.length} rivers`);

  const ringSources = [
    { kind: 'C', src: mainland },
    ...holes.map((r) => ({ kind: 'L', src: r })),
    ...islands.map((r) => ({ kind: 'I', src: r })),
    ...lakes.map((r) => ({ kind: 'L', src: r })),
  ];
  const kept = simplifyLines(ringSources.map((r) => ({ pts: r.src.pts })), TOLERANCE, AREA);
  const simplified = ringSources.map((r, i) => ({ kind: r.kind, pts: kept[i].map((k) => r.src.pts[k]), area: r.src.area, score: r.src.score }));

  // Rings, in the order mainland, inland seas, islands by importance, lakes.
  const landSet = new RingSet(simplified.filter((r, i) => i <= holes.length || r.kind === 'I').map((r) => r.pts));
  const lakeList = simplified.filter((r, i) => i > holes.length && r.kind === 'L' && holdsSeed(r.pts));
  const lakeSet = new RingSet(lakeList.map((r) => r.pts));
  const isLandNotLake = (x, y) => landSet.contains(x, y) && !lakeSet.contains(x, y);

  const shoreIndex = new SegmentIndex(simplified.map((r) => r.pts));
  const riverPts = rivers.map((r) => {
    const kp = simplifyLines([{ pts: r.pts }], TOLERANCE, [0, 0, 0, 0])[0];
    return kp.map((k) => r.pts[k]);
  });
  const riverPieces = cutRivers(riverPts, shoreIndex, isLandNotLake)
    .map((pts) => ({ kind: 'R', pts, len: pathLength(pts) }));

  const isWater = (x, y) => !landSet.contains(x, y) || lakeSet.contains(x, y);
  const straits = Object.values(STRAITS).map((ll) => ({ kind: 'E', pts: centreLine(ll, isWater) }))
    .filter((s) => s.pts.length >= 2);

  // Cut everything to the map box; the frame closes land and sea at the map edge.
  const frame = { kind: 'C', pts: [[MAP_MIN, MAP_MIN], [MAP_MAX, MAP_MIN], [MAP_MAX, MAP_MAX], [MAP_MIN, MAP_MAX], [MAP_MIN, MAP_MIN]] };
  const cut = (f) => clipToBox(f.pts).map((part) => ({ kind: f.kind, pts: part.pts, closed: part.closed }));

  const fixed = [frame, ...cut(simplified[0]), ...simplified.slice(1, 1 + holes.length).flatMap(cut)];
  const islandParts = simplified.slice(1 + holes.length).filter((r) => r.kind === 'I').map(cut);
  const lakeParts = lakeList.map(cut);
  const riverParts = riverPieces.map(cut);
  const straitParts = straits.flatMap(cut);

  // Fill the feature budget: all lakes and straits, then rivers and islands by rank.
  let budget = MAX_FEATURES - fixed.length - straitParts.length - lakeParts.flat().length;
  const riversTaken = [];
  for (const parts of riverParts) {
    if (riversTaken.length + parts.length > MAX_RIVERS || budget - parts.length < 0) continue;
    riversTaken.push(...parts);
  }
  budget -= riversTaken.length;
  const islandsTaken = [];
  for (const parts of islandParts) {
    if (parts.length > budget - islandsTaken.length) continue;
    islandsTaken.push(...parts);
  }
  const features = [...fixed, ...islandsTaken, ...lakeParts.flat(), ...riversTaken, ...straitParts];

  // The classification the water seeds rely on: the simplified rings actually drawn.
  const drawnIslands = new Set(islandsTaken.map((f) => f.pts));
  const isIslandKept = (r) => islandParts[simplified.slice(1 + holes.length).filter((x) => x.kind === 'I').indexOf(r)]
    .some((part) => drawnIslands.has(part.pts));
  const landRingsDrawn = [simplified[0].pts, ...simplified.slice(1, 1 + holes.length).map((r) => r.pts),
    ...simplified.slice(1 + holes.length).filter((r) => r.kind === 'I' && isIslandKept(r)).map((r) => r.pts)];
  log(`features: ${features.length} (${islandsTaken.length} island parts, ${lakeParts.flat().length} lake parts, ${riversTaken.length} river pieces, ${straitParts.length} straits)`);
  return {
    features,
    landSet: new RingSet(landRingsDrawn),
    lakeSet,
    sources: { mainland, holes, islands, lakes },
  };
}

module.exports = { buildFeatures, mapLandRings, selectLakes, SegmentIndex, TOLERANCE };
