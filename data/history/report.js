'use strict';
// Reports for the authors of the history, and the colour rule: nations that
// meet, by land or across a short sea crossing, and whose colours are hard to
// tell apart; the nations on the map at the dates the atlas is checked at.
const { ownerAt } = require('./history');
const { inFace } = require('./seal');

const CHECK_DATES = [1000, 1100, 1200, 1300, 1400, 1453, 1500, 1600, 1648, 1700, 1750, 1789, 1812, 1815, 1871,
  1914, 1920, 1939, 1950, 2003].map((y) => y * 10);

// The colour the map shows: the source colour through the gamma 0.7, cut to
// integers as the program does.
function shown(rgb) {
  return rgb.map((c) => Math.trunc(255 * Math.pow(c / 255, 1 / 0.7)));
}

// CIE Lab (D65) of a colour as drawn (0..255 a channel).
function labOfDrawn(rgb) {
  const lin = rgb.map((c) => {
    const g = c / 255;
    return g <= 0.04045 ? g / 12.92 : Math.pow((g + 0.055) / 1.055, 2.4);
  });
  const x = (0.4124 * lin[0] + 0.3576 * lin[1] + 0.1805 * lin[2]) / 0.95047;
  const y = 0.2126 * lin[0] + 0.7152 * lin[1] + 0.0722 * lin[2];
  const z = (0.0193 * lin[0] + 0.1192 * lin[1] + 0.9505 * lin[2]) / 1.08883;
  const f = (t) => (t > 0.008856 ? Math.cbrt(t) : 7.787 * t + 16 / 116);
  return [116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))];
}

// CIE Lab of a source colour as the map shows it.
function lab(rgb) {
  return labOfDrawn(shown(rgb));
}

// CIEDE2000 colour difference of two Lab colours.
function ciede2000([L1, a1, b1], [L2, a2, b2]) {
  const rad = Math.PI / 180;
  const C7 = (c) => Math.sqrt(Math.pow(c, 7) / (Math.pow(c, 7) + Math.pow(25, 7)));
  const G = 0.5 * (1 - C7((Math.hypot(a1, b1) + Math.hypot(a2, b2)) / 2));
  const ap1 = (1 + G) * a1, ap2 = (1 + G) * a2;
  const Cp1 = Math.hypot(ap1, b1), Cp2 = Math.hypot(ap2, b2);
  const hue = (b, a) => (a === 0 && b === 0 ? 0 : (Math.atan2(b, a) / rad + 360) % 360);
  const hp1 = hue(b1, ap1), hp2 = hue(b2, ap2);
  const dL = L2 - L1, dC = Cp2 - Cp1;
  let dh = 0;
  if (Cp1 * Cp2 !== 0) dh = Math.abs(hp2 - hp1) <= 180 ? hp2 - hp1 : hp2 - hp1 > 180 ? hp2 - hp1 - 360 : hp2 - hp1 + 360;
  const dH = 2 * Math.sqrt(Cp1 * Cp2) * Math.sin((dh / 2) * rad);
  const Lm = (L1 + L2) / 2, Cm = (Cp1 + Cp2) / 2;
  let hm = hp1 + hp2;
  if (Cp1 * Cp2 !== 0) hm = Math.abs(hp1 - hp2) <= 180 ? hm / 2 : hm < 360 ? (hm + 360) / 2 : (hm - 360) / 2;
  const T = 1 - 0.17 * Math.cos((hm - 30) * rad) + 0.24 * Math.cos(2 * hm * rad) + 0.32 * Math.cos((3 * hm + 6) * rad) -
    0.2 * Math.cos((4 * hm - 63) * rad);
  const SL = 1 + (0.015 * (Lm - 50) ** 2) / Math.sqrt(20 + (Lm - 50) ** 2);
  const SC = 1 + 0.045 * Cm, SH = 1 + 0.015 * Cm * T;
  const RT = -2 * C7(Cm) * Math.sin(60 * Math.exp(-(((hm - 275) / 25) ** 2)) * rad);
  return Math.sqrt((dL / SL) ** 2 + (dC / SC) ** 2 + (dH / SH) ** 2 + RT * (dC / SC) * (dH / SH));
}

// How far apart two source colours look on the map (CIEDE2000 of the drawn colours).
function colourDistance(a, b) {
  return ciede2000(lab(a), lab(b));
}

// Neighbours must differ by this much; the grey and near-white schemes are pale by design.
const CONTRAST = 12;
// A short sea crossing: map units (250 m each) of open water between two coasts.
const SEA_CROSSING = 1200;

// The near-white colours of non-members in the membership view (no gamma).
const NEAR_WHITE = [];
for (let a = -3; a <= 3; ++a) for (let b = -3; b <= 3; ++b) for (let c = -3; c <= 3; ++c)
  if (NEAR_WHITE.length < 256) NEAR_WHITE.push(labOfDrawn([232 + a, 232 + b, 232 + c]));

function chainLength(pts) {
  let n = 0;
  for (let i = 1; i < pts.length; ++i) n += Math.hypot(pts[i][0] - pts[i - 1][0], pts[i][1] - pts[i - 1][1]);
  return n;
}

// How far a colour looks from the nearest near-white of the membership view.
function nearWhiteDistance(rgb) {
  const c = lab(rgb);
  return Math.min(...NEAR_WHITE.map((w) => ciede2000(c, w)));
}

// Faces that lie across open water from each other, within reach: for each
// pair, the nearest two points on their shores whose straight line crosses no
// land. facePolys: faces as lists of polygons ({ rings, box }). Returns
// [{ a, b, at: [x, y], len }] (len the crossing's length).
function seaCrossings(facePolys, reach) {
  // Shore segments: those no other face shares.
  const count = new Map();
  const key = (p, q) => (p[0] < q[0] || (p[0] === q[0] && p[1] < q[1]) ? `${p} ${q}` : `${q} ${p}`);
  facePolys.forEach((polys) => {
    if (!polys) return;
    for (const p of polys) for (const r of p.rings) for (let i = 1; i < r.length; ++i) {
      const k = key(r[i - 1], r[i]);
      count.set(k, (count.get(k) || 0) + 1);
    }
  });
  const cell = reach;
  const grid = new Map();
  const ck = (gx, gy) => gx * 100000 + gy;
  facePolys.forEach((polys, fi) => {
    if (!polys) return;
    for (const p of polys) for (const r of p.rings) for (let i = 1; i < r.length; ++i) {
      if (count.get(key(r[i - 1], r[i])) !== 1) continue;
      const [x, y] = r[i];
      const k = ck(Math.floor(x / cell), Math.floor(y / cell));
      if (!grid.has(k)) grid.set(k, []);
      grid.get(k).push([fi, x, y]);
    }
  });
  // The nearest shore points of each pair of faces, a few of them.
  const KEEP = 6;
  const near = new Map();
  for (const [k, list] of grid) {
    const gx = Math.floor(k / 100000), gy = k - gx * 100000;
    for (let dx = -1; dx <= 1; ++dx) for (let dy = -1; dy <= 1; ++dy) {
      const other = grid.get(ck(gx + dx, gy + dy));
      if (!other) continue;
      for (const [fa, xa, ya] of list) for (const [fb, xb, yb] of other) {
        if (fb <= fa) continue;
        const d = Math.hypot(xb - xa, yb - ya);
        if (d > reach) continue;
        const pk = `${fa} ${fb}`;
        if (!near.has(pk)) near.set(pk, []);
        const best = near.get(pk);
        if (best.length === KEEP && d >= best[KEEP - 1][0]) continue;
        best.push([d, xa, ya, xb, yb]);
        best.sort((u, v) => u[0] - v[0]);
        if (best.length > KEEP) best.pop();
      }
    }
  }
  // Land faces by the cells their boxes meet, for the water test.
  const LAND = 256;
  const land = new Map();
  facePolys.forEach((polys, fi) => {
    if (!polys) return;
    for (const p of polys)
      for (let gx = Math.floor(p.box[0] / LAND); gx <= Math.floor(p.box[2] / LAND); ++gx)
        for (let gy = Math.floor(p.box[1] / LAND); gy <= Math.floor(p.box[3] / LAND); ++gy) {
          const k = ck(gx, gy);
          if (!land.has(k)) land.set(k, new Set());
          land.get(k).add(fi);
        }
  });
  const wet = (x, y) => ![...(land.get(ck(Math.floor(x / LAND), Math.floor(y / LAND))) || [])].some((fi) => inFace(facePolys[fi], x, y));
  const out = [];
  for (const [pk, best] of [...near].sort((u, v) => (u[0] < v[0] ? -1 : 1))) {
    const [a, b] = pk.split(' ').map(Number);
    for (const [d, xa, ya, xb, yb] of best) {
      const steps = Math.max(2, Math.ceil(d / 4));
      let open = true;
      for (let i = 1; i < steps && open; ++i) {
        const t = i / steps;
        if (t * d < 2 || (1 - t) * d < 2) continue;
        open = wet(xa + t * (xb - xa), ya + t * (yb - ya));
      }
      if (!open) continue;
      out.push({ a, b, at: [Math.round((xa + xb) / 2), Math.round((ya + yb) / 2)], len: d });
      break;
    }
  }
  return out;
}

// Pairs of nations that meet, by land or across a short sea crossing, at any
// date: each with the length of border they share at its longest (a crossing
// counts as a tenth of the reach), the shortest crossing between them (0 when
// they touch), the first date and a map point there. links: [{ a, b, at, len,
// sea }] between faces, sea the length of a crossing.
function meetings(faces, links) {
  const pairs = new Map();
  for (const l of links) {
    const fa = faces[l.a], fb = faces[l.b];
    if (!fa || !fb) continue;
    const dates = [...new Set([...fa.tl.map(([d]) => d), ...fb.tl.map(([d]) => d)])].sort((x, y) => x - y);
    const gap = l.sea || 0;
    for (const d of dates) {
      const a = ownerAt(fa.tl, d), b = ownerAt(fb.tl, d);
      if (!a || !b || a === b) continue;
      const k = a < b ? `${a} ${b}` : `${b} ${a}`;
      const p = pairs.get(k);
      if (!p) pairs.set(k, { len: l.len, gap, date: d, at: l.at });
      else {
        p.len = Math.max(p.len, l.len);
        p.gap = Math.min(p.gap, gap);
        if (d < p.date) Object.assign(p, { date: d, at: l.at });
      }
    }
  }
  return pairs;
}

// The links between faces: their common borders, and the short sea crossings.
function faceLinks(chains, facePolys) {
  const out = chains.map((c) => ({ a: c.a, b: c.b, len: chainLength(c.pts), at: c.pts[Math.floor(c.pts.length / 2)] }));
  for (const s of seaCrossings(facePolys, SEA_CROSSING)) out.push({ a: s.a, b: s.b, at: s.at, sea: s.len, len: SEA_CROSSING / 10 });
  return out;
}

// Nations that meet and look too much alike, and members of the Communities
// too like the near-white of the others in the membership view: the faults,
// closest first, each naming the pair, the first date and a map point.
function contrast(src, pairs, point) {
  const out = [];
  for (const [k, p] of pairs) {
    const [a, b] = k.split(' ');
    const dist = colourDistance(src.nations.get(a).rgb, src.nations.get(b).rgb);
    if (dist < CONTRAST) out.push({ dist, text: `${dist.toFixed(1)} ${a} / ${b}: meet at ${p.date / 10} near ${point(p.at)}` });
  }
  for (const n of src.nations.values()) {
    if (!n.eu) continue;
    const dist = nearWhiteDistance(n.rgb);
    if (dist < CONTRAST) out.push({ dist, text: `${dist.toFixed(1)} ${n.key} / the near-white of non-members (membership view)` });
  }
  return out.sort((x, y) => x.dist - y.dist).map((r) => r.text);
}

// The nations holding land at each check date, largest first, with their share of the land.
function holdings(src, faces) {
  const out = [];
  for (const d of CHECK_DATES) {
    const area = new Map();
    let total = 0;
    for (const f of faces) {
      if (!f) continue;
      const o = ownerAt(f.tl, d) || '(none)';
      area.set(o, (area.get(o) || 0) + f.area);
      total += f.area;
    }
    const list = [...area].sort((x, y) => y[1] - x[1]).map(([o, a]) => `${o} ${(100 * a / total).toFixed(a / total < 0.001 ? 3 : 1)}`);
    out.push(`${d / 10}: ${list.join(', ')}`);
  }
  return out;
}

module.exports = { contrast, holdings, meetings, faceLinks, seaCrossings, colourDistance, ciede2000, nearWhiteDistance, lab, shown, CONTRAST, CHECK_DATES };
