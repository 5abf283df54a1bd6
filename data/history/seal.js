'use strict';
// The proof that the drawn map seals its territories: at every date where
// anything changes, two faces that meet off the shore and show different
// colours (or one colour and none) are parted by an active border along
// every piece of their common edge; and every seed of a fill point lies
// inside one of the faces that point colours.
const { insidePolygon } = require('./polygon');

// Map units: a pixel at the closest zoom.
const GAP = 4;

// Faces of faces.wkt ("id POLYGON ((...))" or MULTIPOLYGON) as lists of polygons of rings.
function readFaces(text) {
  const out = [];
  for (const line of text.split('\n')) {
    const sp = line.indexOf(' ');
    if (sp < 0) continue;
    const id = Number(line.slice(0, sp));
    const polys = [];
    // Each "((" opens a polygon, each "(" inside it a ring.
    for (const poly of line.slice(sp + 1).split(/\)\s*\)\s*,\s*\(\s*\(/)) {
      const rings = poly.split(/\)\s*,\s*\(/).map((r) => r.replace(/[A-Z()]/g, '').trim().split(/\s*,\s*/)
        .map((p) => p.split(/\s+/).map(Number)));
      polys.push(rings);
    }
    out[id] = polys.map((rings) => ({ rings, box: boxOf(rings[0]) }));
  }
  return out;
}

function boxOf(ring) {
  let x1 = Infinity, y1 = Infinity, x2 = -Infinity, y2 = -Infinity;
  for (const [x, y] of ring) {
    x1 = Math.min(x1, x); y1 = Math.min(y1, y); x2 = Math.max(x2, x); y2 = Math.max(y2, y);
  }
  return [x1, y1, x2, y2];
}

function inFace(polys, x, y) {
  return polys.some((p) => x >= p.box[0] && x <= p.box[2] && y >= p.box[1] && y <= p.box[3] && insidePolygon(p.rings, x, y));
}

function segDist(px, py, ax, ay, bx, by) {
  const dx = bx - ax, dy = by - ay, len = dx * dx + dy * dy;
  const t = len > 0 ? Math.max(0, Math.min(1, ((px - ax) * dx + (py - ay) * dy) / len)) : 0;
  return Math.hypot(ax + t * dx - px, ay + t * dy - py);
}

// Grade of each border (0 absent, 1 thin, 2 thick) at each of the dates.
function gradesAt(borders, dates) {
  const W = { i: 1, o: -1, s: 2, k: -2, u: 1, d: -1 };
  return borders.map((b) => {
    const toks = b.tokens.split(' ').map((t) => [Number(t.slice(1)), W[t[0]]]);
    const out = new Uint8Array(dates.length);
    let g = 0, k = 0;
    dates.forEach((d, j) => {
      while (k < toks.length && toks[k][0] <= d) g += toks[k++][1];
      out[j] = g;
    });
    return out;
  });
}

// Segments listed by the cells of CELL map units their boxes meet: add(tag,
// ax, ay, bx, by); visit(x, y, reach, f) calls f(tag, ax, ay, bx, by) for every
// listing in the cells within reach of (x, y), column by column.
function segmentGrid() {
  const CELL = 64;
  const grid = new Map();
  const cellKey = (gx, gy) => gx * 100000 + gy;
  return {
    add(tag, ax, ay, bx, by) {
      for (let gx = Math.floor(Math.min(ax, bx) / CELL); gx <= Math.floor(Math.max(ax, bx) / CELL); ++gx)
        for (let gy = Math.floor(Math.min(ay, by) / CELL); gy <= Math.floor(Math.max(ay, by) / CELL); ++gy) {
          const k = cellKey(gx, gy);
          if (!grid.has(k)) grid.set(k, []);
          grid.get(k).push([tag, ax, ay, bx, by]);
        }
    },
    visit(x, y, reach, f) {
      for (let gx = Math.floor((x - reach) / CELL); gx <= Math.floor((x + reach) / CELL); ++gx)
        for (let gy = Math.floor((y - reach) / CELL); gy <= Math.floor((y + reach) / CELL); ++gy)
          for (const s of grid.get(cellKey(gx, gy)) || []) f(...s);
    },
  };
}

// adjacency: [{ a, b, p: [x, y], q: [x, y] }], a face and the face across a
// segment off the shore (b -1 when none); colourAt(face, j) the colour index
// shown at dates[j] (0 for none); borders: [{ tokens, pts }]; points: [{ faces,
// seeds }]. Returns the faults found, each { date, a, b, ca, cb, at } or { seed, point }.
function prove({ adjacency, faces, colourAt, borders, dates, points }) {
  const grades = gradesAt(borders, dates);
  // Border segments on a grid, for the borders that hold each edge segment.
  const grid = segmentGrid();
  borders.forEach((b, bi) => {
    for (let i = 1; i < b.pts.length; ++i) grid.add(bi, ...b.pts[i - 1], ...b.pts[i]);
  });
  const holders = (x, y) => {
    const out = new Set();
    grid.visit(x, y, 0, (bi, ax, ay, bx, by) => {
      if (segDist(x, y, ax, ay, bx, by) < 1) out.add(bi);
    });
    return [...out];
  };
  // Unsealed segments by the two faces and the date; a run of them shorter than
  // GAP is under a pixel at the closest zoom and closed by the lines at its ends.
  const open = new Map();
  for (const e of adjacency) {
    if (e.b < 0) continue;
    const mx = (e.p[0] + e.q[0]) / 2, my = (e.p[1] + e.q[1]) / 2;
    const held = holders(mx, my);
    for (let j = 0; j < dates.length; ++j) {
      const ca = colourAt(e.a, j), cb = colourAt(e.b, j);
      if (ca === cb || held.some((bi) => grades[bi][j] > 0)) continue;
      const key = `${e.a} ${e.b} ${j}`;
      if (!open.has(key)) open.set(key, []);
      open.get(key).push({ e, ca, cb, j, held });
    }
  }
  const faults = [];
  const seen = new Set();
  for (const segs of open.values()) {
    // Runs: segments joined at shared ends.
    const root = segs.map((_, i) => i);
    const find = (i) => (root[i] === i ? i : (root[i] = find(root[i])));
    const ends = new Map();
    segs.forEach((s, i) => {
      for (const p of [s.e.p, s.e.q]) {
        const k = `${p[0]},${p[1]}`;
        if (ends.has(k)) root[find(i)] = find(ends.get(k));
        else ends.set(k, i);
      }
    });
    const length = new Map();
    segs.forEach((s, i) => {
      const r = find(i);
      length.set(r, (length.get(r) || 0) + Math.hypot(s.e.q[0] - s.e.p[0], s.e.q[1] - s.e.p[1]));
    });
    for (const [r, len] of length) {
      if (len < GAP) continue;
      const { e, ca, cb, j, held } = segs[r];
      const key = `${Math.min(ca, cb)} ${Math.max(ca, cb)} ${j}`;
      if (seen.has(key)) continue;
      seen.add(key);
      const at = [Math.round((e.p[0] + e.q[0]) / 2), Math.round((e.p[1] + e.q[1]) / 2)];
      faults.push({ date: dates[j], a: e.a, b: e.b, ca, cb, at, held: held.map((bi) => bi + 1) });
    }
  }
  points.forEach((pt, pi) => {
    for (const s of pt.seeds)
      if (!pt.faces.some((f) => faces[f] && inFace(faces[f], s[0], s[1])))
        faults.push({ seed: s, point: pi + 1 });
  });
  return faults;
}

module.exports = { prove, readFaces, inFace, segDist, segmentGrid };
