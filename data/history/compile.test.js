'use strict';
// Seed sizes and the clearance they are computed from.
const test = require('node:test');
const assert = require('node:assert');
const { seedSize, historyClearance } = require('./compile');
const { readFaces } = require('./seal');

test('a seed is sized for the widest zoom it keeps clear of other faces at', () => {
  // Size 6 first shows at 0.8^21 (108.4 units a pixel): 0.75 of a pixel is 81.3 units.
  assert.strictEqual(seedSize(81.4, 15), 6);
  assert.strictEqual(seedSize(81.2, 15), 5);
  // A whole pixel for a shallow seed; size 1 first shows at 0.8^13.
  assert.strictEqual(seedSize(108.5, 20), 6);
  assert.strictEqual(seedSize(18.1, 20), 0);
  assert.strictEqual(seedSize(18.2, 20), 1);
  // Above the widest zoom's size, a unit of size for each 15 units, at most 40.
  assert.strictEqual(seedSize(150, 15), 10);
  assert.strictEqual(seedSize(5000, 15), 40);
});

test('clearance counts only faces of another colour history', () => {
  const src = { nations: new Map([['a', { index: 1 }], ['b', { index: 2 }]]) };
  const faces = [{ tl: [[10000, 'a']] }, { tl: [[10000, 'a']] }, { tl: [[10000, 'a'], [15000, 'b']] }];
  const text = [0, 1, 2].map((i) => `${i} POLYGON ((${100 * i} 0, ${100 * i + 100} 0, ${100 * i + 100} 100, ${100 * i} 100, ${100 * i} 0))`).join('\n');
  const clear = historyClearance(src, faces, readFaces(text));
  assert.strictEqual(clear(0, 50, 50, 500), 150);
  assert.strictEqual(clear(1, 150, 50, 500), 50);
  assert.strictEqual(clear(0, 50, 50, 120), 120);
});
