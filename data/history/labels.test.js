'use strict';
// Where a nation's label goes: the capital check, and the home and far labels.
const test = require('node:test');
const assert = require('node:assert');
const { capitalAt, capitalFault, choose, joinable, layouts, labelBox } = require('./labels');
const { readFaces } = require('./seal');

// Two faces: 12E 48N lies in the first (the map's 10500, 12000).
const facePolys = readFaces('0 POLYGON ((10400 11900, 10600 11900, 10600 12100, 10400 12100, 10400 11900))\n' +
  '1 POLYGON ((10600 11900, 10800 11900, 10800 12100, 10600 12100, 10600 11900))\n');
const faces = [{ tl: [[10000, 'a']] }, { tl: [[10000, 'b'], [15000, 'a']] }];
const nation = (capitals) => ({ key: 'b', where: 'nations.txt:9', capitals });
const fault = (n, d, set) => capitalFault(n, d, capitalAt(n, d), set, faces, facePolys);

test('a nation holding land needs a capital inside it', () => {
  const n = nation([{ from: 12000, at: [12, 48], where: 'nations.txt:10' }]);
  assert.match(fault(n, 11000, [1]), /^1100: b holds land and has no capital \(nations.txt:9\)$/);
  assert.strictEqual(fault(n, 15000, [0, 1]), null);
  assert.match(fault(n, 12000, [1]), /^1200: the capital of b, 12,48, lies in the land of a \(nations.txt:10\)$/);
});

test('a nation without a capital, or one beyond the map, passes', () => {
  assert.strictEqual(fault(nation([{ from: 0, at: null, where: '' }]), 12000, [1]), null);
  assert.strictEqual(fault(nation([{ from: 0, at: [120, 30], where: '' }]), 12000, [1]), null);
});

// Size factors of a one-line name: 18 units of box half height per size
// factor of a box 1 em high.
const texts = [[{ height: 1 }], [{ height: 1 }]];
const home = (size) => ({ cx: 0, cy: 0, r: 1, box: [0, 0, 1, 1], boxes: [0, 1].map(() => [0, 0, 9 * size, 0, 0, 9 * size, 0, 0, 9 * size]) });
const far = (size) => ({ cx: 9, cy: 9, r: 1, box: [8, 8, 9, 9], boxes: [0, 1].map(() => [9, 9, 9 * size]) });
const sizes = (tracks) => tracks.map((t) => t.labels[0].size);

test('the home carries the label; a far piece only a second one shown in more views', () => {
  // 3, 9 and 17 are the smallest sizes shown at the closest, the default and the whole-atlas zoom.
  assert.deepStrictEqual(sizes(choose({ home: home(10), far: far(16) }, texts)), [10]);
  assert.deepStrictEqual(sizes(choose({ home: home(10), far: far(17) }, texts)), [10, 17]);
  assert.deepStrictEqual(sizes(choose({ home: home(2), far: far(3) }, texts)), [2, 3]);
  assert.deepStrictEqual(sizes(choose({ home: null, far: far(5) }, texts)), [5]);
});

test('places of a label in a row pair up when name, capital and some land stay', () => {
  const a = { key: 'a' }, b = { key: 'b' };
  const named = (en) => [[{ text: en }], [{ text: 'Α' }]];
  const at = (nation, from, to, extra) => ({ nation, track: 0, era: 0, from, to, anchor: [1, 2], anchorFace: 4, common: [4, 5], text: named('A'), ...extra });
  const keys = (places) => joinable(places).map(({ p, q, common }) => `${p.from}-${q.from}:${common}`);
  // Three in a row: the middle one joins one pair a round; another nation's between them does not part them.
  assert.deepStrictEqual(keys([at(a, 1, 2), at(b, 1, 3), at(a, 2, 3, { common: [5, 6] }), at(a, 3, 4)]), ['1-2:5']);
  assert.deepStrictEqual(keys([at(a, 1, 2), at(a, 3, 4)]), []);
  assert.deepStrictEqual(keys([at(a, 1, 2), at(a, 2, 3, { era: 1 })]), []);
  assert.deepStrictEqual(keys([at(a, 1, 2), at(a, 2, 3, { text: named('A]B') })]), []);
  assert.deepStrictEqual(keys([at(a, 1, 2), at(a, 2, 3, { anchor: [1, 3] })]), []);
  assert.deepStrictEqual(keys([at(a, 1, 2), at(a, 2, 3, { track: 1 })]), []);
  assert.deepStrictEqual(keys([at(a, 1, 2), at(a, 2, 3, { common: [6] })]), []);
});

test('a name is laid out on more lines by breaking its widest line where it balances best', () => {
  assert.deepStrictEqual(layouts('Kingdom of]Sicily'), ['Kingdom of]Sicily', 'Kingdom]of]Sicily']);
  assert.deepStrictEqual(layouts('Βασίλειο]της Σικελίας'), ['Βασίλειο]της Σικελίας', 'Βασίλειο]της]Σικελίας']);
  assert.deepStrictEqual(layouts('Kingdom of the Serbs, Croats and Slovenes').length, 4);
  assert.deepStrictEqual(layouts('Confederation]of the Rhine'), ['Confederation]of the Rhine']);
  assert.deepStrictEqual(layouts('Denmark'), ['Denmark']);
  assert.ok(labelBox('Kingdom]of]Sicily').aspect < labelBox('Kingdom of]Sicily').aspect);
});

test('a layout on more lines is taken only where it is shown in more views', () => {
  const two = [[{ height: 1 }, { height: 1 }], [{ height: 1 }]];
  const homeOf = (...s) => ({ cx: 0, cy: 0, r: 1, box: [0, 0, 1, 1], boxes: s.map((k) => [0, 0, 9 * k, 0, 0, 9 * k, 0, 0, 9 * k]) });
  const pick = (...s) => choose({ home: homeOf(...s) }, two)[0].labels.map((l) => `${l.size}/${l.layout}`);
  assert.deepStrictEqual(pick(8, 16, 8), ['16/1', '8/0']);
  assert.deepStrictEqual(pick(10, 16, 10), ['10/0', '10/0']);
});
