'use strict';
// The build's checks on small made-up maps: land given twice on one date, pieces
// cut off from their nation, water without a seed.
const test = require('node:test');
const assert = require('node:assert');
const { conflictCheck, parseDetached, detachedPieces, unlisted, detachedFaults, waterFaults, lostBorders } = require('./checks');
const { readFaces } = require('./seal');
const { toMap } = require('../geo/projection');

const take = (date, owner, where, provinces, shapes = []) => [{ kind: 'take', date, owner, where }, { provinces: new Set(provinces), shapes: new Set(shapes) }];

test('two lines of one date giving a province or a cell to two nations conflict', () => {
  const c = conflictCheck(() => [10500, 12000]);
  c.onTake(...take(10000, 'a', 'e-x.txt:1', ['P:One', 'P:Two'], ['cell']));
  c.onTake(...take(10000, 'a', 'e-x.txt:2', ['P:One']));
  c.onTake(...take(12000, 'b', 'e-x.txt:3', ['P:One']));
  assert.deepStrictEqual(c.faults(), []);
  c.onTake(...take(10000, 'b', 'e-y.txt:7', ['P:Three'], ['cell']));
  c.onTake({ kind: 'release', date: 12000, owner: 'release', where: 'e-x.txt:4' }, { provinces: new Set(), shapes: new Set(['s']) });
  c.onTake(...take(12000, 'c', 'e-x.txt:5', [], ['s']));
  const f = c.faults();
  assert.strictEqual(f.length, 2);
  assert.match(f[0], /^1000\.0: cell given to a by e-x\.txt:1 and to b by e-y\.txt:7, at 12\.00,48\.00 \(map 10500,12000\)$/);
  assert.match(f[1], /^1200\.0: s given to no nation by e-x\.txt:4 and to c by e-x\.txt:5/);
});

test('the list of accepted pieces reads its lines and refuses what it cannot read', () => {
  const [e] = parseDetached('# a comment\nengland 1347.8-1558.0 1.86,50.93 exclave: the Pale of Calais\n', 'detached.txt');
  assert.deepStrictEqual([e.nation, e.from, e.to, e.reason, e.where], ['england', 13478, 15580, 'exclave', 'detached.txt:2']);
  assert.deepStrictEqual(e.pt.map(Math.round), toMap(1.86, 50.93).map(Math.round));
  assert.strictEqual(parseDetached('denmark 1814.1- -45.07,62.29 colony: Greenland', 'd').at(0).to, Infinity);
  assert.throws(() => parseDetached('denmark 1814.1- -45.07,62.29 whim: Greenland', 'd'), /d:1: reason "whim"/);
  assert.throws(() => parseDetached('denmark 1814.1 -45.07,62.29 colony: Greenland', 'd'), /d:1: cannot read/);
  assert.throws(() => parseDetached('denmark 1900-1814.1 -45.07,62.29 colony: Greenland', 'd'), /ends before it begins/);
});

// Square faces: side and lower left corner.
const square = (i, x, y, s) => `${i} POLYGON ((${x} ${y}, ${x + s} ${y}, ${x + s} ${y + s}, ${x} ${y + s}, ${x} ${y}))`;
const facesOf = (list) => readFaces(list.map(([x, y, s], i) => square(i, x, y, s)).join('\n'));
const meta = (list, tls) => list.map(([x, y, s], i) => ({ tl: tls[i], area: s * s, cx: x + s / 2, cy: y + s / 2 }));

test('a piece across more than a short strait is detached; a nearer one is not', () => {
  // Main land of a, an island 150 units off it, one 2000 units off, all a's.
  const list = [[10000, 10000, 400], [10550, 10000, 50], [13000, 10000, 50]];
  const tls = list.map(() => [[10000, 'a']]);
  const pieces = detachedPieces({ faces: meta(list, tls), facePolys: facesOf(list), adjacency: [], dates: [10000], homes: new Map() });
  assert.deepStrictEqual(pieces.map((p) => [p.nation, p.faces, p.why]), [['a', [2], 'detached']]);
});

test('a small nation, and one enclosed by another, is listed with its main piece', () => {
  // b holds a small square; c a large one inside d's land (a hole in d's face).
  const facePolys = readFaces([square(0, 5000, 5000, 100),
    '1 POLYGON ((20000 20000, 21000 20000, 21000 21000, 20000 21000, 20000 20000), (20300 20300, 20600 20300, 20600 20600, 20300 20600, 20300 20300))',
    square(2, 20300, 20300, 300)].join('\n'));
  const faces = [{ tl: [[10000, 'b']], area: 10000, cx: 5050, cy: 5050 }, { tl: [[10000, 'd']], area: 910000, cx: 20100, cy: 20100 },
    { tl: [[10000, 'c'], [15000, 'd']], area: 90000, cx: 20450, cy: 20450 }];
  const ring = [[20300, 20300], [20600, 20300], [20600, 20600], [20300, 20600], [20300, 20300]];
  const adjacency = ring.slice(1).map((q, i) => ({ a: 1, b: 2, p: ring[i], q }));
  const pieces = detachedPieces({ faces, facePolys, adjacency, dates: [10000, 15000], homes: new Map() });
  assert.deepStrictEqual(pieces.map((p) => [p.date, p.nation, p.why]), [[10000, 'b', 'small'], [10000, 'c', 'enclosed'], [15000, 'b', 'small']]);
});

test('land cut by the map frame joins beyond it', () => {
  const list = [[1, 5000, 200], [1, 20000, 200], [35000, 20000, 900]];
  const tls = list.map(() => [[10000, 'a']]);
  const pieces = detachedPieces({ faces: meta(list, tls), facePolys: facesOf(list), adjacency: [], dates: [10000], homes: new Map() });
  assert.deepStrictEqual(pieces.map((p) => p.faces), []);
});

test('the main piece is the one holding the home point; the list accepts pieces by nation, date and point', () => {
  const list = [[10000, 10000, 400], [13000, 10000, 200], [16000, 10000, 50]];
  const tls = [[[10000, 'a']], [[10000, 'a']], [[10000, 'a'], [12000, 'b']]];
  const facePolys = facesOf(list);
  const homes = new Map([['a', [13100, 10100]]]);
  const dates = [10000, 12000, 13000];
  const pieces = detachedPieces({ faces: meta(list, tls), facePolys, adjacency: [], dates, homes });
  assert.deepStrictEqual(pieces.map((p) => [p.date, p.nation, p.faces, p.why]), [[10000, 'a', [0], 'detached'],
    [10000, 'a', [2], 'detached'], [12000, 'a', [0], 'detached'], [12000, 'b', [2], 'small'], [13000, 'a', [0], 'detached'],
    [13000, 'b', [2], 'small']]);
  const entry = (nation, from, to, pt, where) => ({ nation, from, to, pt, where, reason: 'island' });
  // d:4 accepts the same piece as d:1: both are in use.
  const entries = [entry('a', 10000, Infinity, [10200, 10200], 'd:1'), entry('b', 12000, 13000, [16025, 10025], 'd:2'),
    entry('b', 10000, 12000, [16025, 10025], 'd:3'), entry('a', 10000, 11000, [10300, 10300], 'd:4')];
  const found = unlisted(pieces, entries, facePolys, dates);
  assert.deepStrictEqual(found.runs.map((r) => [r.nation, r.from, r.to]), [['a', 10000, 12000], ['b', 13000, Infinity]]);
  const faults = detachedFaults(found, () => 'e-x.txt:9');
  assert.strictEqual(faults.length, 3);
  assert.match(faults[0], /^1000\.0-1200\.0: a holds a detached piece of 156 km2 at .* given by e-x\.txt:9$/);
  assert.match(faults[1], /^1300\.0-: b holds only a small piece/);
  assert.match(faults[2], /^d:3: b 1000\.0-1200\.0 at .* accepts no piece$/);
});

test('a lake or sea without a water seed, or land with one, is a fault', () => {
  const at = [10500, 12000];
  const faults = waterFaults([{ wet: true, water: true, area: 9e6, at }, { wet: false, water: false, area: 9e6, at },
    { wet: false, water: true, area: 4000, at }, { wet: false, water: true, area: 3999, at }, { wet: true, water: false, area: 10, at }]);
  assert.deepStrictEqual(faults, ['a lake or sea of 250 km2 at 12.00,48.00 (map 10500,12000) holds no water seed: it is left dry',
    'land of 1 km2 at 12.00,48.00 (map 10500,12000) holds a water seed: it is drawn as water']);
});

test('a face over land of another history is a lost border, named by the first date they differ', () => {
  const faces = [{ cls: 0 }, { cls: 1 }];
  const classTl = [[[10000, 'a']], [[10000, 'a'], [15000, 'b']], [[10000, 'a']]];
  const at = [10500, 12000];
  const faults = lostBorders([{ face: 0, at, cls: 1 }, { face: 0, at, cls: 1 }, { face: 1, at, cls: 2 }, { face: 0, at, cls: 2 }], faces, classTl);
  assert.deepStrictEqual(faults, ["1500.0: land of b at 12.00,48.00 (map 10500,12000) is drawn as a's: the border between them is lost (face 0)",
    "1500.0: land of a at 12.00,48.00 (map 10500,12000) is drawn as b's: the border between them is lost (face 1)"]);
});
