'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { toMap, fromMap } = require('./projection');

// Known places (lon, lat) and their map positions.
const PLACES = [
  ['Lisbon', -9.139, 38.722, 3067, 14198],
  ['Dublin', -6.26, 53.35, 6185, 8637],
  ['Oslo', 10.75, 59.91, 10783, 6860],
  ['Moscow', 37.62, 55.75, 17054, 8282],
  ['Istanbul', 28.98, 41.01, 15755, 14965],
  ['Cairo', 31.24, 30.04, 17230, 19671],
  ['Baghdad', 44.4, 33.3, 21798, 17041],
  ['North Cape', 25.78, 71.17, 13674, 1901],
  ['60E 56N', 60, 56, 22019, 6126],
];

test('12E 48N is the default view centre', () => {
  const [x, y] = toMap(12, 48);
  assert.ok(Math.abs(x - 10500) < 0.01 && Math.abs(y - 12000) < 0.01, `${x}, ${y}`);
});

test('the origin 20E 48N lies on the central meridian at the offsets', () => {
  const [x, y] = toMap(20, 48);
  assert.ok(Math.abs(x - 12804.182) < 1e-6 && Math.abs(y - 12124.852) < 1e-6);
});

test('known places land on their map positions', () => {
  for (const [name, lon, lat, ex, ey] of PLACES) {
    const [x, y] = toMap(lon, lat);
    assert.ok(Math.abs(x - ex) <= 1 && Math.abs(y - ey) <= 1, `${name}: ${x.toFixed(1)}, ${y.toFixed(1)}`);
    assert.ok(x >= 1 && x <= 35900 && y >= 1 && y <= 35900, name);
  }
});

test('north is up and east is right along the central meridian', () => {
  assert.ok(toMap(20, 60)[1] < toMap(20, 40)[1]);
  assert.ok(toMap(25, 48)[0] > toMap(15, 48)[0]);
  assert.ok(Math.abs(toMap(20, 30)[0] - 12804.182) < 1e-6);
});

test('the scale is 250 m a unit on the standard parallels', () => {
  // One degree of longitude on a standard parallel, true length on WGS84.
  for (const lat of [35, 65]) {
    const [x1, y1] = toMap(19.5, lat), [x2, y2] = toMap(20.5, lat);
    const a = 6378137, e2 = 0.00669437999014, phi = lat * Math.PI / 180;
    const metres = (Math.PI / 180) * a * Math.cos(phi) / Math.sqrt(1 - e2 * Math.sin(phi) ** 2);
    const units = Math.hypot(x2 - x1, y2 - y1);
    assert.ok(Math.abs(units * 250 / metres - 1) < 1e-4, `${lat}: ${units * 250} vs ${metres}`);
  }
});

test('the inverse gives back the place, across the whole map', () => {
  for (const [x, y] of [[1, 1], [35900, 1], [1, 35900], [35900, 35900], [10500, 12000], [17950, 17950]]) {
    const [lon, lat] = fromMap(x, y);
    const [bx, by] = toMap(lon, lat);
    assert.ok(Math.abs(bx - x) < 1e-6 && Math.abs(by - y) < 1e-6, `${x}, ${y}`);
  }
  for (const [name, lon, lat] of PLACES) {
    const [l2, b2] = fromMap(...toMap(lon, lat));
    assert.ok(Math.abs(l2 - lon) < 1e-9 && Math.abs(b2 - lat) < 1e-9, name);
  }
});
