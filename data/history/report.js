'use strict';
// Reports for the authors of the history: neighbours whose colours are hard to
// tell apart, and the nations on the map at the dates the atlas is checked at.
const { ownerAt } = require('./history');

const CHECK_DATES = [1000, 1100, 1200, 1300, 1400, 1453, 1500, 1600, 1648, 1700, 1750, 1789, 1812, 1815, 1871,
  1914, 1920, 1939, 1950, 2003].map((y) => y * 10);

// The colour the map shows (gamma 0.7 as the atlas applies it), in CIE Lab.
function lab(rgb) {
  const lin = rgb.map((c) => {
    const g = 255 * Math.pow(c / 255, 1 / 0.7) / 255;
    return g <= 0.04045 ? g / 12.92 : Math.pow((g + 0.055) / 1.055, 2.4);
  });
  const x = (0.4124 * lin[0] + 0.3576 * lin[1] + 0.1805 * lin[2]) / 0.95047;
  const y = 0.2126 * lin[0] + 0.7152 * lin[1] + 0.0722 * lin[2];
  const z = (0.0193 * lin[0] + 0.1192 * lin[1] + 0.9505 * lin[2]) / 1.08883;
  const f = (t) => (t > 0.008856 ? Math.cbrt(t) : 7.787 * t + 16 / 116);
  return [116 * f(y) - 16, 500 * (f(x) - f(y)), 200 * (f(y) - f(z))];
}

function colourDistance(a, b) {
  const p = lab(a), q = lab(b);
  return Math.hypot(p[0] - q[0], p[1] - q[1], p[2] - q[2]);
}

function chainLength(pts) {
  let n = 0;
  for (let i = 1; i < pts.length; ++i) n += Math.hypot(pts[i][0] - pts[i - 1][0], pts[i][1] - pts[i - 1][1]);
  return n;
}

// Pairs of nations that meet at the check dates, with the length of border they share.
function neighbours(faces, chains) {
  const pairs = new Map();
  for (const c of chains) {
    const fa = faces[c.a], fb = faces[c.b];
    if (!fa || !fb) continue;
    const len = chainLength(c.pts);
    for (const d of CHECK_DATES) {
      const a = ownerAt(fa.tl, d), b = ownerAt(fb.tl, d);
      if (!a || !b || a === b) continue;
      const key = a < b ? `${a} ${b}` : `${b} ${a}`;
      if (!pairs.has(key)) pairs.set(key, { len: 0, dates: new Set() });
      const p = pairs.get(key);
      p.len += len;
      p.dates.add(d / 10);
    }
  }
  return pairs;
}

// Neighbours at the check dates whose colours lie closer than `limit`, longest shared border first.
function contrast(src, faces, chains, limit) {
  const pairs = neighbours(faces, chains);
  const out = [];
  for (const [key, p] of pairs) {
    const [a, b] = key.split(' ');
    const dist = colourDistance(src.nations.get(a).rgb, src.nations.get(b).rgb);
    if (dist < limit) out.push({ a, b, dist, len: p.len, dates: [...p.dates].sort((x, y) => x - y) });
  }
  out.sort((x, y) => y.len / (x.dist + 1) - x.len / (y.dist + 1));
  return out.map((r) => `${r.dist.toFixed(1).padStart(5)} ${String(Math.round(r.len)).padStart(7)} ${r.a} / ${r.b}: ${r.dates.join(' ')}`);
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

module.exports = { contrast, holdings, neighbours, colourDistance, lab, CHECK_DATES };
