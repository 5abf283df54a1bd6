'use strict';
// The seal proof on two faces side by side: the left 0..100, the right 100..200.
const test = require('node:test');
const assert = require('node:assert');
const { prove, readFaces } = require('./seal');

const faces = readFaces('0 POLYGON ((0 0, 100 0, 100 100, 0 100, 0 0))\n1 POLYGON ((100 0, 200 0, 200 100, 100 100, 100 0))\n');
// Their common edge in two pieces, as the geometry tool reports it.
const adjacency = [
  { a: 0, b: 1, p: [100, 0], q: [100, 60] },
  { a: 0, b: 1, p: [100, 60], q: [100, 100] },
];
const dates = [10000, 15000, 18000];
// Left always colour 1; right colour 1, then 2 from 1500, then 1 again from 1800.
const colourAt = (f, j) => (f === 0 ? 1 : j === 1 ? 2 : 1);
const points = [{ faces: [0], seeds: [[50, 50, 2, 50]] }, { faces: [1], seeds: [[150, 50, 2, 50]] }];
const border = (tokens, pts) => ({ tokens, pts });

test('a border active while the colours differ seals the edge', () => {
  const borders = [border('s15000 k18000', [[100, 0], [100, 100]])];
  assert.deepStrictEqual(prove({ adjacency, faces, colourAt, borders, dates, points }), []);
});

test('an edge left open names the date, the faces and a point on it', () => {
  const borders = [border('s15000 k18000', [[100, 0], [100, 60]])];
  const faults = prove({ adjacency, faces, colourAt, borders, dates, points });
  assert.strictEqual(faults.length, 1);
  assert.deepStrictEqual([faults[0].date, faults[0].a, faults[0].b, faults[0].ca, faults[0].cb], [15000, 0, 1, 1, 2]);
  assert.deepStrictEqual(faults[0].at, [100, 80]);
});

test('a border that ends too early leaves the later date open', () => {
  const borders = [border('s15000 k16000', [[100, 0], [100, 100]])];
  const later = [10000, 15000, 16000, 18000];
  const apart = (f, j) => (f === 0 ? 1 : j === 1 || j === 2 ? 2 : 1);
  const faults = prove({ adjacency, faces, colourAt: apart, borders, dates: later, points });
  assert.deepStrictEqual(faults.map((f) => f.date), [16000]);
});

test('a gap under a pixel at the closest zoom is closed by the lines at its ends', () => {
  const short = [{ a: 0, b: 1, p: [100, 0], q: [100, 97] }, { a: 0, b: 1, p: [100, 97], q: [100, 100] }];
  const borders = [border('s15000 k18000', [[100, 0], [100, 97]])];
  assert.deepStrictEqual(prove({ adjacency: short, faces, colourAt, borders, dates, points }), []);
});

test('a seed outside the faces of its fill point is a fault', () => {
  const borders = [border('s15000 k18000', [[100, 0], [100, 100]])];
  const stray = [{ faces: [0], seeds: [[150, 50, 2, 50]] }];
  assert.deepStrictEqual(prove({ adjacency, faces, colourAt, borders, dates, points: stray }), [{ seed: [150, 50, 2, 50], point: 1 }]);
});
