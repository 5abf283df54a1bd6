'use strict';
// Who is a state: provinces drawn as their states and named as regions, the
// checks of that rule, and the colour rule between nations that meet.
const test = require('node:test');
const assert = require('node:assert');
const { parseSource } = require('./source');
const { buildTimelines, drawnTimeline } = require('./history');
const { checkStates } = require('./states');
const { regionPlaces } = require('./regions');
const { ciede2000, seaCrossings, meetings } = require('./report');
const { readFaces } = require('./seal');

const source = (events) => parseSource([{ name: 'n.txt', text: [
  'nation empire 200,150,150 Empire | Α', 'nation kingdom 150,200,150 Kingdom | Β',
  '  1500 Crown land | Γ', 'nation duchy 150,150,200 Duchy | Δ', ...events].join('\n') }]);
const provinces = new Map([['AAA:One', { country: 'AAA' }], ['BBB:Two', { country: 'BBB' }], ['CCC:Three', { country: 'CCC' }]]);

test('a province is drawn as its state, through a chain of them, until it is free', () => {
  const tl = buildTimelines(source(['1000 empire: AAA', '1000 kingdom: BBB', '1000 duchy: CCC',
    '1200 kingdom part of empire', '1300 duchy part of kingdom', '1400 kingdom free']), provinces);
  const held = tl.prov.get('CCC:Three');
  assert.deepStrictEqual(drawnTimeline(tl.parts, held), [[10000, 'duchy'], [13000, 'empire'], [14000, 'kingdom']]);
  assert.deepStrictEqual(drawnTimeline(tl.parts, tl.prov.get('AAA:One')), [[10000, 'empire']]);
});

test('the build names a province in its own colour and a lord without land', () => {
  const tl = buildTimelines(source(['1000 empire: AAA', '1000 kingdom: BBB', '1200 kingdom part of empire',
    '1000 duchy: CCC', '1000 duchy in kingdom']), provinces);
  const face = (k, tlDrawn) => ({ held: tl.prov.get(k), tl: tlDrawn || drawnTimeline(tl.parts, tl.prov.get(k)) });
  const dates = [10000, 12000];
  const args = { lords: tl.lords, parts: tl.parts, dates, last: 20031 };
  // Drawn as the state: sound. The duchy's lord holds land as a province.
  assert.deepStrictEqual(checkStates({ ...args, faces: [face('AAA:One'), face('BBB:Two'), face('CCC:Three')] }), []);
  // The kingdom drawn in its own colour after it became a province.
  const own = checkStates({ ...args, faces: [face('AAA:One'), face('BBB:Two', tl.prov.get('BBB:Two')), face('CCC:Three')] });
  assert.deepStrictEqual(own.map((f) => [f.date, f.nation]), [[12000, 'kingdom']]);
  // The kingdom's land gone to the empire: the duchy's lord holds none.
  const gone = buildTimelines(source(['1000 empire: AAA', '1000 kingdom: BBB', '1300 empire: BBB',
    '1000 duchy: CCC', '1000 duchy in kingdom']), provinces);
  const faces = ['AAA:One', 'BBB:Two', 'CCC:Three'].map((k) => ({ held: gone.prov.get(k), tl: gone.prov.get(k) }));
  const lost = checkStates({ faces, lords: gone.lords, parts: gone.parts, dates: [10000, 13000], last: 20031 });
  assert.deepStrictEqual(lost.map((f) => [f.date, f.text]), [[13000, 'duchy is in kingdom, which holds no land']]);
});

test('a region keeps its name for each era and its seed in land held throughout', () => {
  const src = source(['1000 empire: AAA', '1000 kingdom: BBB CCC', '1200 kingdom part of empire', '1400 empire: CCC']);
  const tl = buildTimelines(src, provinces);
  const faces = ['AAA:One', 'BBB:Two', 'CCC:Three'].map((k, i) => ({ held: tl.prov.get(k), cx: 10 * i, cy: 5, r: i === 2 ? 9 : 3 }));
  const boxes = [[0, 0, 1, 1], [10, 0, 20, 10], [20, 0, 40, 10]];
  const nations = [...src.nations.values()];
  const places = regionPlaces(nations, faces, tl.parts, boxes, 20031);
  // Two names while a province (Kingdom to 1500, Crown land after); the widest
  // face is lost in 1400, so the seed stays in the one held throughout.
  assert.deepStrictEqual(places.map((p) => [p.nation.key, p.era, p.from, p.to, p.cx, p.box.join(' ')]),
    [['kingdom', 0, 12000, 15000, 10, '10 0 40 10'], ['kingdom', 1, 15000, 20031, 10, '10 0 20 10']]);
  assert.ok(places.every((p) => p.region && p.labels.every((l) => l.size === 0)));
});

test('the colour difference is CIEDE2000', () => {
  // Reference pairs of Sharma, Wu and Dalal (2005).
  assert.strictEqual(ciede2000([50, 2.6772, -79.7751], [50, 0, -82.7485]).toFixed(4), '2.0425');
  assert.strictEqual(ciede2000([50, 2.5, 0], [73, 25, -18]).toFixed(4), '27.1492');
  assert.strictEqual(ciede2000([90.9257, -0.5406, -0.9208], [88.6381, -0.8985, -0.7239]).toFixed(4), '1.5381');
});

test('faces across open water meet; land between them parts them', () => {
  const square = (id, x) => `${id} POLYGON ((${x} 0, ${x + 100} 0, ${x + 100} 100, ${x} 100, ${x} 0))`;
  // 0 and 1 face each other across 150 units of water; 2 lies beyond 1.
  const open = readFaces([square(0, 0), square(1, 250), square(2, 500)].join('\n'));
  assert.deepStrictEqual(seaCrossings(open, 200).map((s) => [s.a, s.b, s.len]), [[0, 1, 150], [1, 2, 150]]);
  // A long island across the strait blocks it.
  const island = '3 POLYGON ((140 -50, 160 -50, 160 150, 140 150, 140 -50))';
  const shut = readFaces([square(0, 0), square(1, 250), island].join('\n'));
  assert.deepStrictEqual(seaCrossings(shut, 200).map((s) => [s.a, s.b]), [[0, 3], [1, 3]]);
  // Nations meet from the first date both hold their faces.
  const faces = [{ tl: [[10000, 'x']] }, { tl: [[10000, 'y'], [15000, 'x'], [16000, 'z']] }];
  const pairs = meetings(faces, [{ a: 0, b: 1, at: [5, 5], len: 20, sea: 150 }]);
  assert.deepStrictEqual([...pairs].map(([k, p]) => [k, p.date, p.gap]), [['x y', 10000, 150], ['x z', 16000, 150]]);
});
