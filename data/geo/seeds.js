'use strict';
// Places the water seeds. The map is drawn at every zoom step over views that tile
// it, the way the atlas draws it; every water region of a view that the seeds so far
// leave dry gets a seed at its point farthest from any line. A seed's size is a
// twentieth of its distance to the nearest drawn line, so it is used only at zooms
// where it lies at least two pixels away from every line and thus cannot fall on land.
const { View, Picture, drawFeatures, fillWater, COLOURS } = require('./raster');
const { SegmentIndex } = require('./features');
const { MAP_MIN, MAP_MAX } = require('./geometry');

const SIZE_DIVISOR = 20;
const VIEW_W = 1150;
const VIEW_H = 860;
const MIN_REGION = 40;          // pixels: smaller dry water regions are left alone
const VIEW_STEP = 1 / 5;        // views overlap by four fifths
const ZOOMS = [];               // scale 0.8^N for N = 30 down to 6
for (let n = 30; n >= 6; n--) ZOOMS.push(Math.pow(0.8, n));

// Water of the simplified geometry: inside the map, and off land or on a lake.
function waterTest(geo) {
  return (x, y) => x >= MAP_MIN && x <= MAP_MAX && y >= MAP_MIN && y <= MAP_MAX &&
    (!geo.landSet.contains(x, y) || geo.lakeSet.contains(x, y));
}

// 1 where the pixel centre is water, row by row with the rings' crossings.
function truthRaster(view, geo) {
  const w = view.width, h = view.height;
  const out = new Uint8Array(w * h);
  const xs1 = Math.max(0, Math.ceil(view.sx(MAP_MIN) - 0.5)), xs2 = Math.min(w - 1, Math.floor(view.sx(MAP_MAX) - 0.5));
  for (let j = 0; j < h; j++) {
    const y = view.my(j + 0.5);
    if (y < MAP_MIN || y > MAP_MAX) continue;
    const land = geo.landSet.crossings(y), lake = geo.lakeSet.crossings(y);
    let a = 0, b = 0;
    for (let i = xs1; i <= xs2; i++) {
      const x = view.mx(i + 0.5);
      while (a < land.length && land[a] < x) a++;
      while (b < lake.length && lake[b] < x) b++;
      out[j * w + i] = (a % 2 === 0 || b % 2 === 1) ? 1 : 0;
    }
  }
  return out;
}

// Labels the 4-connected regions of background pixels; returns labels and sizes.
function labelRegions(pic) {
  const w = pic.width, h = pic.height, px = pic.px, bg = COLOURS.background;
  const labels = new Int32Array(w * h).fill(-1);
  const sizes = [];
  const stack = new Int32Array(w * h);
  for (let s = 0; s < w * h; s++) {
    if (labels[s] !== -1 || px[s] !== bg) continue;
    const id = sizes.length;
    let top = 0, n = 0;
    stack[top++] = s; labels[s] = id;
    while (top) {
      const i = stack[--top]; n++;
      const x = i % w;
      if (x > 0 && labels[i - 1] === -1 && px[i - 1] === bg) { labels[i - 1] = id; stack[top++] = i - 1; }
      if (x < w - 1 && labels[i + 1] === -1 && px[i + 1] === bg) { labels[i + 1] = id; stack[top++] = i + 1; }
      if (i >= w && labels[i - w] === -1 && px[i - w] === bg) { labels[i - w] = id; stack[top++] = i - w; }
      if (i < w * (h - 1) && labels[i + w] === -1 && px[i + w] === bg) { labels[i + w] = id; stack[top++] = i + w; }
    }
    sizes.push(n);
  }
  return { labels, sizes };
}

// Chamfer distance (in pixels, 3-4 weights / 3) from each pixel to the nearest pixel
// outside its own region or to the picture's border.
function regionDistance(labels, w, h) {
  const d = new Float32Array(w * h);
  const INF = 1e9;
  for (let j = 0; j < h; j++) {
    for (let i = 0; i < w; i++) {
      const k = j * w + i;
      if (labels[k] < 0) { d[k] = 0; continue; }
      if (i === 0 || j === 0 || i === w - 1 || j === h - 1) { d[k] = 1; continue; }
      const l = labels[k];
      let v = INF;
      const up = k - w;
      v = Math.min(v, labels[k - 1] === l ? d[k - 1] + 3 : 3, labels[up] === l ? d[up] + 3 : 3,
        labels[up - 1] === l ? d[up - 1] + 4 : 4, labels[up + 1] === l ? d[up + 1] + 4 : 4);
      d[k] = v;
    }
  }
  for (let j = h - 2; j >= 1; j--) {
    for (let i = w - 2; i >= 1; i--) {
      const k = j * w + i;
      if (labels[k] < 0) continue;
      const down = k + w;
      d[k] = Math.min(d[k], d[k + 1] + 3, d[down] + 3, d[down - 1] + 4, d[down + 1] + 4);
    }
  }
  for (let k = 0; k < w * h; k++) d[k] /= 3;
  return d;
}

function viewsAt(scale) {
  const spanX = VIEW_W / scale, spanY = VIEW_H / scale;
  const views = [];
  // View centres from one map edge to the other, a fifth of a view apart.
  const cover = (lo, hi, span) => {
    if (span >= hi - lo) return [(lo + hi) / 2];
    const out = [];
    for (let c = lo; c < hi + span * VIEW_STEP; c += span * VIEW_STEP) out.push(Math.min(c, hi));
    return out;
  };
  for (const cy of cover(MAP_MIN, MAP_MAX, spanY)) {
    for (const cx of cover(MAP_MIN, MAP_MAX, spanX)) views.push(new View(cx, cy, scale, VIEW_W, VIEW_H));
  }
  return views;
}

// Seeds along the inlets (firths, fjords, bays, lagoons), where the edge of a
// view may cut a stretch of water off from all its seeds: a seed is used only
// while it lies in the picture. Every water point of a lattice INLET_STEP apart
// that lies 20 to 120 map units from the nearest line (a seed of size 1 to 6)
// and has land within 250 units in 12 of 16 directions gets one, unless a seed
// lies within INLET_STEP of it across open water.
const INLET_STEP = 60;
function inletSeeds(geo, lines, isWater, seeds) {
  const near = new Map();
  const cell = (x, y) => `${Math.floor(x / INLET_STEP)},${Math.floor(y / INLET_STEP)}`;
  const index = (s) => {
    const k = cell(s[0], s[1]);
    if (!near.has(k)) near.set(k, []);
    near.get(k).push(s);
  };
  seeds.forEach(index);
  // Water all the way between two points (a line crossed would part them).
  const open = (a, b) => {
    const n = Math.ceil(Math.hypot(b[0] - a[0], b[1] - a[1]) / 5);
    for (let i = 1; i < n; i++) if (!isWater(a[0] + ((b[0] - a[0]) * i) / n, a[1] + ((b[1] - a[1]) * i) / n)) return false;
    return lines.distance([(a[0] + b[0]) / 2, (a[1] + b[1]) / 2], 1) > 0.5;
  };
  const cands = [];
  for (let y = INLET_STEP / 2; y < MAP_MAX; y += INLET_STEP)
    for (let x = INLET_STEP / 2; x < MAP_MAX; x += INLET_STEP) {
      const d = lines.distance([x, y], 130);
      if (d < SIZE_DIVISOR || d > 120 || !isWater(x, y)) continue;
      let enclosed = 0;
      for (let k = 0; k < 16; k++) {
        const c = Math.cos((k * Math.PI) / 8), sn = Math.sin((k * Math.PI) / 8);
        for (let r = d; r <= 250; r += 10)
          if (!isWater(x + c * r, y + sn * r)) {
            ++enclosed;
            break;
          }
      }
      if (enclosed >= 12) cands.push([x, y, Math.floor(d / SIZE_DIVISOR), enclosed]);
    }
  cands.sort((a, b) => b[3] - a[3] || b[2] - a[2] || a[1] - b[1] || a[0] - b[0]);
  const out = [];
  for (const c of cands) {
    const gx = Math.floor(c[0] / INLET_STEP), gy = Math.floor(c[1] / INLET_STEP);
    let covered = false;
    for (let i = -1; i <= 1 && !covered; i++)
      for (let j = -1; j <= 1 && !covered; j++)
        covered = (near.get(`${gx + i},${gy + j}`) || []).some((s) => Math.hypot(s[0] - c[0], s[1] - c[1]) < INLET_STEP && open(s, c));
    if (covered) continue;
    const s = [c[0], c[1], c[2]];
    out.push(s);
    index(s);
  }
  return out;
}

function placeSeeds(geo, log = () => {}) {
  const lines = new SegmentIndex(geo.features.map((f) => f.pts), 128);
  const isWater = waterTest(geo);
  const seeds = [];
  let regionsSkipped = 0;

  const sizeAt = (x, y) => Math.floor(lines.distance([x, y], 40000) / SIZE_DIVISOR);

  for (const scale of ZOOMS) {
    const before = seeds.length;
    for (const view of viewsAt(scale)) {
      const pic = new Picture(view.width, view.height);
      drawFeatures(pic, view, geo.features);
      fillWater(pic, view, seeds);
      const { labels, sizes } = labelRegions(pic);
      if (!sizes.length) continue;
      const truth = truthRaster(view, geo);
      const water = new Int32Array(sizes.length);
      for (let k = 0; k < labels.length; k++) if (labels[k] >= 0 && truth[k]) water[labels[k]]++;
      const needy = [];
      for (let r = 0; r < sizes.length; r++) {
        if (sizes[r] >= MIN_REGION && water[r] * 2 > sizes[r]) needy.push(r);
      }
      if (!needy.length) continue;
      const dist = regionDistance(labels, view.width, view.height);
      // Candidate pixels of each needy region, best first.
      const cands = new Map(needy.map((r) => [r, []]));
      for (let k = 0; k < labels.length; k++) {
        const list = cands.get(labels[k]);
        if (list && truth[k] && dist[k] >= 2) list.push(k);
      }
      for (const r of needy) {
        const list = cands.get(r).sort((a, b) => dist[b] - dist[a] || a - b);
        let placed = false;
        for (let c = 0; c < Math.min(list.length, 12) && !placed; c++) {
          const k = list[c];
          const x = Math.round(view.mx((k % view.width) + 0.5)), y = Math.round(view.my(Math.floor(k / view.width) + 0.5));
          const sx = view.sx(x), sy = view.sy(y);
          if (!(sx >= 0 && sy >= 0 && sx <= view.width - 1 && sy <= view.height - 1)) continue;
          const at = Math.trunc(sy) * view.width + Math.trunc(sx);
          if (labels[at] !== r || !isWater(x, y)) continue;
          const size = sizeAt(x, y);
          if (!(size * scale > 0.1)) continue;
          seeds.push([x, y, size]);
          pic.fill(Math.trunc(sx), Math.trunc(sy), COLOURS.water);
          placed = true;
        }
        if (!placed) regionsSkipped++;
      }
    }
    log(`zoom ${scale.toFixed(5)}: ${seeds.length - before} seeds added, ${seeds.length} in all`);
  }
  log(`${regionsSkipped} dry regions too narrow for a seed`);
  const inlets = inletSeeds(geo, lines, isWater, seeds);
  seeds.push(...inlets);
  log(`inlets: ${inlets.length} seeds added, ${seeds.length} in all`);
  // Big seeds first: they fill most of the water, and later seeds then find water.
  return seeds.sort((a, b) => b[2] - a[2] || a[1] - b[1] || a[0] - b[0]);
}

module.exports = { placeSeeds, truthRaster, labelRegions, waterTest, ZOOMS, SIZE_DIVISOR };
