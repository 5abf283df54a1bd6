'use strict';
// Draws the committed items as the atlas would and compares the result with the
// source polygons: land that water reached (a leak) and water left dry.
// Usage: node check.js [items folder] [png folder]
const fs = require('fs');
const path = require('path');
const { View, render, writePng, COLOURS } = require('./raster');
const { parseGeo, parseSeeds } = require('./items');
const { RingSet, MAP_MIN, MAP_MAX } = require('./geometry');
const { toMap } = require('./projection');
const { TOLERANCE, mapLandRings, selectLakes } = require('./features');

// Source truth: Natural Earth land (all rings) with the Caspian, and the natural lakes
// that the map draws.
function sourceTruth() {
  const land = new RingSet(mapLandRings().map((r) => r.pts));
  return { land, lakes: new RingSet(selectLakes().map((r) => r.pts)) };
}

function truthRaster(view, truth) {
  const w = view.width, h = view.height, out = new Uint8Array(w * h).fill(2);
  for (let j = 0; j < h; j++) {
    const y = view.my(j + 0.5);
    if (y < MAP_MIN || y > MAP_MAX) continue;
    const land = truth.land.crossings(y), lake = truth.lakes.crossings(y);
    let a = 0, b = 0;
    for (let i = 0; i < w; i++) {
      const x = view.mx(i + 0.5);
      if (x < MAP_MIN || x > MAP_MAX) continue;
      while (a < land.length && land[a] < x) a++;
      while (b < lake.length && lake[b] < x) b++;
      out[j * w + i] = (a % 2 === 0 || b % 2 === 1) ? 1 : 0;   // 1 water, 0 land, 2 off the map
    }
  }
  return out;
}

// Pixels within r pixels (chessboard distance) of a truth boundary or a drawn line.
function nearMask(view, truth, pic, r) {
  const w = view.width, h = view.height;
  const edge = new Uint8Array(w * h);
  for (let k = 0; k < w * h; k++) {
    const x = k % w;
    if (pic.px[k] !== COLOURS.background && pic.px[k] !== COLOURS.water) edge[k] = 1;
    if (x + 1 < w && truth[k] !== truth[k + 1]) edge[k] = edge[k + 1] = 1;
    if (k + w < w * h && truth[k] !== truth[k + w]) edge[k] = edge[k + w] = 1;
  }
  // Grow by r: rows then columns.
  const tmp = new Uint8Array(w * h);
  for (let j = 0; j < h; j++) {
    let last = -1e9;
    for (let i = 0; i < w; i++) { if (edge[j * w + i]) last = i; if (i - last <= r) tmp[j * w + i] = 1; }
    last = 1e9;
    for (let i = w - 1; i >= 0; i--) { if (edge[j * w + i]) last = i; if (last - i <= r) tmp[j * w + i] = 1; }
  }
  const out = new Uint8Array(w * h);
  for (let i = 0; i < w; i++) {
    let last = -1e9;
    for (let j = 0; j < h; j++) { if (tmp[j * w + i]) last = j; if (j - last <= r) out[j * w + i] = 1; }
    last = 1e9;
    for (let j = h - 1; j >= 0; j--) { if (tmp[j * w + i]) last = j; if (last - j <= r) out[j * w + i] = 1; }
  }
  return out;
}

function checkView(view, features, seeds, truth) {
  const pic = render(view, features, seeds);
  const t = truthRaster(view, truth);
  const margin = Math.max(2, Math.ceil(2 * TOLERANCE * view.scale) + 2);
  const near = nearMask(view, t, pic, margin);
  let land = 0, water = 0, leaked = 0, dry = 0;
  const leakMask = new Uint8Array(t.length), dryMask = new Uint8Array(t.length);
  for (let k = 0; k < t.length; k++) {
    if (t[k] === 2 || near[k]) continue;
    if (t[k] === 0) { land++; if (pic.px[k] === COLOURS.water) { leaked++; leakMask[k] = 1; } }
    else { water++; if (pic.px[k] === COLOURS.background) { dry++; dryMask[k] = 1; } }
  }
  return { pic, land, water, leaked, dry, leakMask, dryMask };
}

// Views: the whole map at small zooms, the default view, close zooms on three
// straits, and a fixed spread of views over the map at every zoom step.
function standardViews() {
  const views = [];
  const named = (name, view) => views.push({ name, view });
  for (const n of [30, 26, 22, 20, 18, 16]) named(`whole-${n}`, new View(17950, 17950, Math.pow(0.8, n), 1150, 860));
  named('default', new View(10500, 12000, Math.pow(0.8, 13), 1920, 1080));
  const at = (lon, lat, scale, w = 1150, h = 860) => { const [x, y] = toMap(lon, lat); return new View(x, y, scale, w, h); };
  named('aegean', at(25.0, 38.3, Math.pow(0.8, 9)));
  named('danish-straits', at(11.3, 55.6, 0.25));
  named('bosporus', at(28.95, 41.05, 0.25));
  named('bosporus-export', at(29.03, 41.1, Math.pow(0.8, 0), 1150, 860));
  named('dardanelles-export', at(26.45, 40.2, Math.pow(0.8, 1), 1150, 860));
  let seed = 12345;
  const rand = () => { seed = (seed * 1103515245 + 12345) % 2147483648; return seed / 2147483648; };
  for (let n = 6; n <= 24; n++) {
    for (let k = 0; k < 20; k++) {
      const s = Math.pow(0.8, n);
      named(`z${n}-${k}`, new View(2000 + rand() * 24000, 2000 + rand() * 20000, s, 1150, 860));
    }
  }
  return views;
}

function main() {
  const dir = path.resolve(process.argv[2] || path.join(__dirname, '..', 'items'));
  const pngDir = process.argv[3];
  const features = parseGeo(fs.readFileSync(path.join(dir, 'geo2.txt'), 'latin1'));
  const seeds = parseSeeds(fs.readFileSync(path.join(dir, 'wt1.txt'), 'latin1')).map((s) => [s.x, s.y, s.size]);
  const truth = sourceTruth();
  if (pngDir) fs.mkdirSync(pngDir, { recursive: true });
  let worst = 0, bad = 0;
  for (const { name, view } of standardViews()) {
    const r = checkView(view, features, seeds, truth);
    const leakPct = r.land ? (100 * r.leaked) / r.land : 0;
    const dryPct = r.water ? (100 * r.dry) / r.water : 0;
    worst = Math.max(worst, leakPct);
    if (r.leaked > 0) bad++;
    console.log(`${name.padEnd(20)} scale ${view.scale.toFixed(4)}  land ${r.land}  water ${r.water}  leaked ${r.leaked} (${leakPct.toFixed(3)}%)  dry ${r.dry} (${dryPct.toFixed(2)}%)`);
    if (pngDir && (!/^z\d/.test(name) || r.leaked || dryPct > 1)) writePng(r.pic, path.join(pngDir, `${name}.png`));
  }
  console.log(`views with leaked pixels: ${bad}; worst leak ${worst.toFixed(3)}% of land`);
}

if (require.main === module) main();

module.exports = { sourceTruth, checkView, standardViews };
