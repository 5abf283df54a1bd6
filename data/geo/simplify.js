'use strict';
// Visvalingam-Whyatt simplification of many polylines at once, repaired so that the
// simplified lines neither cross nor touch where the originals did not, and so that
// no ring moves to the other side of another ring. Repairs add back, span by span,
// the original point farthest from the simplified segment.
//
// Each line is { pts: [[x, y], ...] } with integer coordinates; a ring repeats its
// first point at the end. The result is, per line, the sorted indexes of the points kept.

// The triangle area below which a point is dropped, in squared tolerances.
const AREA_FACTOR = 2;

function segDist2(p, a, b) {
  const dx = b[0] - a[0], dy = b[1] - a[1];
  const len2 = dx * dx + dy * dy;
  let t = len2 ? ((p[0] - a[0]) * dx + (p[1] - a[1]) * dy) / len2 : 0;
  if (t < 0) t = 0; else if (t > 1) t = 1;
  const ex = a[0] + t * dx - p[0], ey = a[1] + t * dy - p[1];
  return ex * ex + ey * ey;
}

// Index of the point between i and j farthest from the chord i-j, or -1.
function farthest(pts, i, j) {
  let best = -1, bestD = -1;
  for (let k = i + 1; k < j; k++) {
    const d = segDist2(pts[k], pts[i], pts[j]);
    if (d > bestD) { bestD = d; best = k; }
  }
  return [best, bestD];
}

function isRing(pts) {
  const a = pts[0], b = pts[pts.length - 1];
  return pts.length > 3 && a[0] === b[0] && a[1] === b[1];
}

// Visvalingam-Whyatt: drops, smallest first, the points whose triangle with their
// neighbours is smaller than minArea; the ends (and a ring's far point) stay.
function visvalingam(pts, keep, minArea) {
  const n = pts.length;
  const prev = new Int32Array(n), next = new Int32Array(n), area = new Float64Array(n);
  for (let i = 0; i < n; i++) { prev[i] = i - 1; next[i] = i + 1; }
  const tri = (i) => {
    const a = pts[prev[i]], b = pts[i], c = pts[next[i]];
    return Math.abs((b[0] - a[0]) * (c[1] - a[1]) - (c[0] - a[0]) * (b[1] - a[1])) / 2;
  };
  // Binary heap of point indexes by area, ties by index.
  const heap = [], pos = new Int32Array(n).fill(-1);
  const less = (i, j) => area[heap[i]] < area[heap[j]] || (area[heap[i]] === area[heap[j]] && heap[i] < heap[j]);
  const swap = (i, j) => { const t = heap[i]; heap[i] = heap[j]; heap[j] = t; pos[heap[i]] = i; pos[heap[j]] = j; };
  const up = (i) => { while (i > 0) { const p = (i - 1) >> 1; if (!less(i, p)) break; swap(i, p); i = p; } };
  const down = (i) => {
    for (;;) {
      const l = 2 * i + 1, r = l + 1;
      let m = i;
      if (l < heap.length && less(l, m)) m = l;
      if (r < heap.length && less(r, m)) m = r;
      if (m === i) break;
      swap(i, m); i = m;
    }
  };
  const remove = (i) => {
    const last = heap.length - 1;
    if (i !== last) swap(i, last);
    heap.pop();
    if (i < heap.length) { up(i); down(i); }
  };
  for (let i = 1; i < n - 1; i++) {
    if (keep[i]) continue;
    area[i] = tri(i);
    pos[i] = heap.length; heap.push(i); up(heap.length - 1);
  }
  while (heap.length) {
    const i = heap[0];
    if (area[i] >= minArea) break;
    remove(0);
    pos[i] = -1;
    const p = prev[i], q = next[i];
    next[p] = q; prev[q] = p;
    for (const j of [p, q]) {
      if (pos[j] < 0) continue;
      // A neighbour never gets a smaller area than the point just dropped.
      area[j] = Math.max(tri(j), area[i]);
      up(pos[j]); down(pos[j]);
    }
  }
  for (let i = 1; i < n - 1; i++) if (pos[i] >= 0) keep[i] = 1;
}

function initialKeep(pts, tol) {
  const n = pts.length;
  const keep = new Uint8Array(n);
  keep[0] = 1; keep[n - 1] = 1;
  if (isRing(pts)) {
    let m = 1, best = -1;
    for (let k = 1; k < n - 1; k++) {
      const d = (pts[k][0] - pts[0][0]) ** 2 + (pts[k][1] - pts[0][1]) ** 2;
      if (d > best) { best = d; m = k; }
    }
    keep[m] = 1;
    visvalingam(pts, keep, AREA_FACTOR * tol * tol);
    // A ring keeps at least three distinct corners.
    let count = 0;
    for (let k = 0; k < n - 1; k++) count += keep[k];
    if (count < 3) {
      const [k1, d1] = farthest(pts, 0, m);
      const [k2, d2] = farthest(pts, m, n - 1);
      if (d1 >= d2 && k1 >= 0) keep[k1] = 1; else if (k2 >= 0) keep[k2] = 1;
    }
  } else {
    visvalingam(pts, keep, AREA_FACTOR * tol * tol);
  }
  return keep;
}

function orient(a, b, c) {
  const v = (b[0] - a[0]) * (c[1] - a[1]) - (b[1] - a[1]) * (c[0] - a[0]);
  return v > 0 ? 1 : v < 0 ? -1 : 0;
}

function onSegment(a, b, p) {
  return Math.min(a[0], b[0]) <= p[0] && p[0] <= Math.max(a[0], b[0]) &&
         Math.min(a[1], b[1]) <= p[1] && p[1] <= Math.max(a[1], b[1]);
}

// True when the closed segments a-b and c-d share any point.
function segmentsMeet(a, b, c, d) {
  const o1 = orient(a, b, c), o2 = orient(a, b, d), o3 = orient(c, d, a), o4 = orient(c, d, b);
  if (o1 !== o2 && o3 !== o4) return true;
  if (o1 === 0 && onSegment(a, b, c)) return true;
  if (o2 === 0 && onSegment(a, b, d)) return true;
  if (o3 === 0 && onSegment(c, d, a)) return true;
  if (o4 === 0 && onSegment(c, d, b)) return true;
  return false;
}

// Even-odd point in ring test over the given points (indexes idx, or all points).
function insideRing(pts, idx, p) {
  let inside = false;
  const n = idx ? idx.length : pts.length;
  for (let i = 0, j = n - 1; i < n; j = i++) {
    const a = pts[idx ? idx[i] : i], b = pts[idx ? idx[j] : j];
    if ((a[1] > p[1]) !== (b[1] > p[1]) &&
        p[0] < (b[0] - a[0]) * (p[1] - a[1]) / (b[1] - a[1]) + a[0]) inside = !inside;
  }
  return inside;
}

function bboxOf(pts) {
  let x1 = Infinity, y1 = Infinity, x2 = -Infinity, y2 = -Infinity;
  for (const [x, y] of pts) {
    if (x < x1) x1 = x; if (x > x2) x2 = x;
    if (y < y1) y1 = y; if (y > y2) y2 = y;
  }
  return [x1, y1, x2, y2];
}

// The end point that two consecutive segments of one line share, or null.
function sharedEnd(s, u) {
  if (u.t === s.t + 1 || (s.ring && s.t === s.n - 1 && u.t === 0)) return s.b;
  if (s.t === u.t + 1 || (s.ring && u.t === s.n - 1 && s.t === 0)) return s.a;
  return null;
}

function boxesMeet(a, b) { return a[0] <= b[2] && b[0] <= a[2] && a[1] <= b[3] && b[1] <= a[3]; }

// lines: array of { pts }. area: [x1, y1, x2, y2], the only region where the
// topology is repaired (segments wholly outside it are not checked).
function simplifyLines(lines, tol, area, cell = 256) {
  const keeps = lines.map((l) => initialKeep(l.pts, tol));
  const boxes = lines.map((l) => bboxOf(l.pts));

  const keptIndexes = (li) => {
    const out = [];
    const k = keeps[li];
    for (let i = 0; i < k.length; i++) if (k[i]) out.push(i);
    return out;
  };

  // Adds back the farthest original point inside the span a..b of line li.
  const refine = (li, a, b) => {
    if (b - a < 2) return false;
    const [k] = farthest(lines[li].pts, a, b);
    if (k < 0 || keeps[li][k]) return false;
    keeps[li][k] = 1;
    return true;
  };

  const repairCrossings = () => {
    let changed = true, rounds = 0, total = 0;
    while (changed && rounds < 60) {
      changed = false; rounds++;
      const grid = new Map();
      const segs = [];
      lines.forEach((l, li) => {
        if (!boxesMeet(boxes[li], area)) return;
        const idx = keptIndexes(li);
        const ring = isRing(l.pts);
        for (let t = 0; t + 1 < idx.length; t++) {
          const a = l.pts[idx[t]], b = l.pts[idx[t + 1]];
          const sb = [Math.min(a[0], b[0]), Math.min(a[1], b[1]), Math.max(a[0], b[0]), Math.max(a[1], b[1])];
          if (!boxesMeet(sb, area)) continue;
          const s = { li, t, n: idx.length - 1, i0: idx[t], i1: idx[t + 1], a, b, ring };
          const id = segs.length;
          segs.push(s);
          for (let gx = Math.floor(sb[0] / cell); gx <= Math.floor(sb[2] / cell); gx++) {
            for (let gy = Math.floor(sb[1] / cell); gy <= Math.floor(sb[3] / cell); gy++) {
              const key = gx * 100003 + gy;
              let list = grid.get(key);
              if (!list) grid.set(key, (list = []));
              list.push(id);
            }
          }
        }
      });
      const bad = new Set();
      for (const list of grid.values()) {
        for (let p = 0; p < list.length; p++) {
          const s = segs[list[p]];
          for (let q = p + 1; q < list.length; q++) {
            const u = segs[list[q]];
            if (s.li === u.li) {
              if (s.t === u.t) continue;
              const shared = sharedEnd(s, u);
              if (shared) {
                // Neighbours share one end; they only fail when they fold back on each other.
                const p = shared === s.a ? s.b : s.a;
                const q = (u.a[0] === shared[0] && u.a[1] === shared[1]) ? u.b : u.a;
                const dot = (p[0] - shared[0]) * (q[0] - shared[0]) + (p[1] - shared[1]) * (q[1] - shared[1]);
                if (orient(shared, p, q) !== 0 || dot <= 0) continue;
              }
            }
            if (segmentsMeet(s.a, s.b, u.a, u.b)) { bad.add(list[p]); bad.add(list[q]); }
          }
        }
      }
      for (const id of bad) {
        const s = segs[id];
        if (refine(s.li, s.i0, s.i1)) { changed = true; total++; }
      }
    }
    return total;
  };

  // A ring that now lies on the other side of another ring gets that ring's
  // simplified segments near it refined.
  const repairSides = () => {
    let fixes = 0;
    const rings = [];
    lines.forEach((l, li) => { if (isRing(l.pts) && boxesMeet(boxes[li], area)) rings.push(li); });
    for (const ai of rings) {
      const p = lines[ai].pts[0];
      for (const bi of rings) {
        if (bi === ai) continue;
        const bb = boxes[bi];
        if (p[0] < bb[0] || p[0] > bb[2] || p[1] < bb[1] || p[1] > bb[3]) continue;
        const before = insideRing(lines[bi].pts, null, p);
        const after = insideRing(lines[bi].pts, keptIndexes(bi), p);
        if (before === after) continue;
        const near = boxes[ai].slice();
        near[0] -= 4 * tol; near[1] -= 4 * tol; near[2] += 4 * tol; near[3] += 4 * tol;
        const idx = keptIndexes(bi);
        const pts = lines[bi].pts;
        for (let t = 0; t + 1 < idx.length; t++) {
          const a = pts[idx[t]], b = pts[idx[t + 1]];
          const sb = [Math.min(a[0], b[0]), Math.min(a[1], b[1]), Math.max(a[0], b[0]), Math.max(a[1], b[1])];
          if (!boxesMeet(sb, near)) continue;
          // Put back every original point of the span: this part is then exact.
          for (let k = idx[t] + 1; k < idx[t + 1]; k++) keeps[bi][k] = 1;
          fixes++;
        }
      }
    }
    return fixes;
  };

  let guard = 0;
  for (;;) {
    repairCrossings();
    if (!repairSides() || ++guard > 10) break;
  }
  return lines.map((l, li) => keptIndexes(li));
}

module.exports = { simplifyLines, segmentsMeet, insideRing, bboxOf, segDist2 };
