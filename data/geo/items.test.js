'use strict';
// Checks the committed geography and water seed items.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const path = require('path');
const { parseGeo, parseSeeds, bbox } = require('./items');
const { SegmentIndex } = require('./features');
const { SIZE_DIVISOR } = require('./seeds');

const ITEMS = path.join(__dirname, '..', 'items');
const geoBytes = fs.readFileSync(path.join(ITEMS, 'geo2.txt'));
const seedBytes = fs.readFileSync(path.join(ITEMS, 'wt1.txt'));
const features = parseGeo(geoBytes.toString('latin1'));
const seeds = parseSeeds(seedBytes.toString('latin1'));
const MIN = 1, MAX = 35900;

function checkLines(bytes, name) {
  for (const b of bytes) assert.ok(b < 128, `${name}: byte ${b} is not ASCII`);
  const text = bytes.toString('latin1');
  assert.ok(text.endsWith('\r\n'), `${name}: last line lacks CR LF`);
  assert.strictEqual(text.replace(/\r\n/g, '').search(/[\r\n]/), -1, `${name}: a line ending other than CR LF`);
  return text.slice(0, -2).split('\r\n');
}

test('the items are ASCII with CR LF after every line', () => {
  assert.strictEqual(checkLines(geoBytes, 'geo2.txt').length % 3, 0);
  checkLines(seedBytes, 'wt1.txt');
});

test('geography records: ids 0.. in order, known line types, box and points well formed', () => {
  const lines = geoBytes.toString('latin1').slice(0, -2).split('\r\n');
  assert.ok(features.length >= 1 && features.length <= 401, `${features.length} features`);
  features.forEach((f, i) => {
    assert.match(lines[3 * i], /^\d+,[CILRE]$/);
    assert.strictEqual(f.id, i);
    assert.match(lines[3 * i + 1], /^\d+ \d+ \d+ \d+$/);
    assert.match(lines[3 * i + 2], /^\d+,\d+( \d+,\d+)+$/, `feature ${i}: points`);
    assert.deepStrictEqual(f.box, bbox(f.pts), `feature ${i}: box`);
    for (const [x, y] of f.pts) assert.ok(x >= MIN && x <= MAX && y >= MIN && y <= MAX, `feature ${i}: ${x},${y}`);
    for (let k = 1; k < f.pts.length; k++) {
      assert.ok(f.pts[k][0] !== f.pts[k - 1][0] || f.pts[k][1] !== f.pts[k - 1][1], `feature ${i}: repeated point`);
    }
  });
});

test('every shore is closed: a ring ends where it starts, a cut shore ends on the map edge', () => {
  const onEdge = ([x, y]) => x === MIN || x === MAX || y === MIN || y === MAX;
  for (const f of features.filter((g) => 'CIL'.includes(g.kind))) {
    const a = f.pts[0], b = f.pts[f.pts.length - 1];
    const closed = a[0] === b[0] && a[1] === b[1];
    assert.ok(closed ? f.pts.length >= 4 : onEdge(a) && onEdge(b), `feature ${f.id} is open inside the map`);
  }
  // The frame, which closes land and sea at the map edge.
  const frame = features.find((f) => f.kind === 'C' && f.box.join(' ') === `${MIN} ${MIN} ${MAX} ${MAX}` && f.pts.length === 5);
  assert.ok(frame, 'no frame around the map');
});

test('water seeds: ids from 1 without a gap, at most 2000, inside the map, sizes at least 1', () => {
  const lines = seedBytes.toString('latin1').slice(0, -2).split('\r\n');
  assert.ok(seeds.length >= 1 && seeds.length <= 2000, `${seeds.length} seeds`);
  seeds.forEach((s, i) => {
    assert.match(lines[i], /^\d+:\d+,\d+,\d+$/);
    assert.strictEqual(s.id, i + 1);
    assert.ok(s.x >= MIN && s.x <= MAX && s.y >= MIN && s.y <= MAX, `seed ${s.id}`);
    assert.ok(s.size >= 1, `seed ${s.id} is never used`);
  });
});

test('a seed is used only at zooms where it lies two pixels or more from every line', () => {
  // Used when size * scale > 0.1; so size <= distance / 20 keeps it off every line.
  const index = new SegmentIndex(features.map((f) => f.pts), 128);
  for (const s of seeds) {
    const d = index.distance([s.x, s.y], 40000);
    assert.ok(s.size * SIZE_DIVISOR <= d, `seed ${s.id}: size ${s.size}, ${d.toFixed(1)} units from a line`);
  }
});

test('drawn at every zoom, water never reaches land and the seas are filled', () => {
  const { sourceTruth, checkView, standardViews } = require('./check');
  const truth = sourceTruth();
  let water = 0, dry = 0;
  for (const { name, view } of standardViews()) {
    const r = checkView(view, features.map((f) => ({ kind: f.kind, pts: f.pts })), seeds.map((s) => [s.x, s.y, s.size]), truth);
    assert.strictEqual(r.leaked, 0, `${name}: ${r.leaked} land pixels flooded`);
    if (name === 'default' || name.startsWith('whole')) assert.ok(r.dry <= r.water * 0.001, `${name}: ${r.dry} water pixels dry`);
    water += r.water; dry += r.dry;
  }
  assert.ok(dry <= water * 0.001, `${dry} of ${water} water pixels dry`);
});
