'use strict';
// Geometry helpers in map units: clipping to the map box and point classification.

const MAP_MIN = 1;
const MAP_MAX = 35900;

function inBox(p) { return p[0] >= MAP_MIN && p[0] <= MAP_MAX && p[1] >= MAP_MIN && p[1] <= MAP_MAX; }

// Liang-Barsky: the part of segment a-b inside the map box as [t0, t1], or null.
function clipSegment(a, b) {
  let t0 = 0, t1 = 1;
  const dx = b[0] - a[0], dy = b[1] - a[1];
  const tests = [[-dx, a[0] - MAP_MIN], [dx, MAP_MAX - a[0]], [-dy, a[1] - MAP_MIN], [dy, MAP_MAX - a[1]]];
  for (const [p, q] of tests) {
    if (p === 0) { if (q < 0) return null; continue; }
    const r = q / p;
    if (p < 0) { if (r > t1) return null; if (r > t0) t0 = r; } else { if (r < t0) return null; if (r < t1) t1 = r; }
  }
  return [t0, t1];
}

// A point on segment a-b at t, rounded, snapped onto the box edge it lies on.
function pointAt(a, b, t) {
  const x = a[0] + t * (b[0] - a[0]), y = a[1] + t * (b[1] - a[1]);
  const snap = (v) => {
    if (Math.abs(v - MAP_MIN) < 1e-6) return MAP_MIN;
    if (Math.abs(v - MAP_MAX) < 1e-6) return MAP_MAX;
    return Math.min(MAP_MAX, Math.max(MAP_MIN, Math.round(v)));
  };
  return [snap(x), snap(y)];
}

function pushPoint(run, p) {
  const last = run[run.length - 1];
  if (!last || last[0] !== p[0] || last[1] !== p[1]) run.push(p);
}

// Cuts a polyline (a ring when its ends are equal) to the map box. Returns
// { closed: true, pts } for a ring wholly inside, else the inside runs, each an open
// line whose cut ends lie exactly on the box edge.
function clipToBox(pts) {
  const ring = pts.length > 3 && pts[0][0] === pts[pts.length - 1][0] && pts[0][1] === pts[pts.length - 1][1];
  if (pts.every(inBox)) return ring ? [{ closed: true, pts }] : [{ closed: false, pts }];
  let seq = pts;
  if (ring) {
    // Start at a point outside so that no run wraps around the ring's start.
    const k = pts.findIndex((p) => !inBox(p));
    seq = pts.slice(k, pts.length - 1).concat(pts.slice(0, k + 1));
  }
  const runs = [];
  let run = null;
  for (let i = 0; i + 1 < seq.length; i++) {
    const a = seq[i], b = seq[i + 1];
    const c = clipSegment(a, b);
    if (!c) { if (run) { runs.push(run); run = null; } continue; }
    const [t0, t1] = c;
    if (!run) { run = []; pushPoint(run, t0 > 0 ? pointAt(a, b, t0) : a); }
    pushPoint(run, t1 < 1 ? pointAt(a, b, t1) : b);
    if (t1 < 1) { runs.push(run); run = null; }
  }
  if (run) runs.push(run);
  return runs.filter((r) => r.length >= 2).map((r) => ({ closed: false, pts: r }));
}

// Even-odd classification of points against a set of rings, indexed by bands of y.
class RingSet {
  constructor(rings, band = 64) {
    this.band = band;
    this.bands = new Map();
    for (const pts of rings) {
      for (let i = 0; i + 1 < pts.length; i++) {
        const a = pts[i], b = pts[i + 1];
        if (a[1] === b[1]) continue;
        const y1 = Math.min(a[1], b[1]), y2 = Math.max(a[1], b[1]);
        for (let k = Math.floor(y1 / band); k <= Math.floor(y2 / band); k++) {
          let list = this.bands.get(k);
          if (!list) this.bands.set(k, (list = []));
          list.push(a[0], a[1], b[0], b[1]);
        }
      }
    }
  }

  contains(x, y) {
    const list = this.bands.get(Math.floor(y / this.band));
    if (!list) return false;
    let inside = false;
    for (let i = 0; i < list.length; i += 4) {
      const ax = list[i], ay = list[i + 1], bx = list[i + 2], by = list[i + 3];
      if ((ay > y) !== (by > y) && x < (bx - ax) * (y - ay) / (by - ay) + ax) inside = !inside;
    }
    return inside;
  }

  // Sorted x positions where row y crosses the rings (for scanline filling).
  crossings(y) {
    const list = this.bands.get(Math.floor(y / this.band));
    const xs = [];
    if (!list) return xs;
    for (let i = 0; i < list.length; i += 4) {
      const ax = list[i], ay = list[i + 1], bx = list[i + 2], by = list[i + 3];
      if ((ay > y) !== (by > y)) xs.push((bx - ax) * (y - ay) / (by - ay) + ax);
    }
    return xs.sort((p, q) => p - q);
  }
}

function ringArea(pts) {
  let a = 0;
  for (let i = 0; i + 1 < pts.length; i++) a += pts[i][0] * pts[i + 1][1] - pts[i + 1][0] * pts[i][1];
  return Math.abs(a / 2);
}

module.exports = { MAP_MIN, MAP_MAX, inBox, clipToBox, clipSegment, RingSet, ringArea };
