'use strict';
// A face's owner over time: its shapes over its province class.
const test = require('node:test');
const assert = require('node:assert');
const { faceTimeline, NONE } = require('./history');

test('a shape no one holds keeps the face empty; a released one falls back to the province', () => {
  const province = [[10000, 'a']];
  const none = [[10000, NONE], [15000, 'b']];
  const released = [[10000, 'c'], [12000, null]];
  assert.deepStrictEqual(faceTimeline(province, [none]), [[10000, null], [15000, 'b']]);
  assert.deepStrictEqual(faceTimeline(province, [released]), [[10000, 'c'], [12000, 'a']]);
  assert.deepStrictEqual(faceTimeline([[10000, NONE], [13000, 'a']], []), [[10000, null], [13000, 'a']]);
});
