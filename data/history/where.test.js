'use strict';
// Faces as the geometry tool writes them: holes after ", (", parts after ")), ((".
const test = require('node:test');
const assert = require('node:assert');
const { readFaces } = require('./seal');
const { faceAt } = require('./where');

const faces = readFaces([
  '0 POLYGON ((0 0, 100 0, 100 100, 0 100, 0 0), (40 40, 60 40, 60 60, 40 60, 40 40))',
  '1 POLYGON ((45 45, 55 45, 55 55, 45 55, 45 45))',
  '2 MULTIPOLYGON (((200 0, 300 0, 300 100, 200 100, 200 0), (220 20, 280 20, 280 80, 220 80, 220 20)), ((400 0, 500 0, 500 100, 400 100, 400 0)))',
].join('\n'));

test('a point in a polygon with a hole finds its face, one in the hole the face inside', () => {
  assert.strictEqual(faceAt(faces, 10, 10), 0);
  assert.strictEqual(faceAt(faces, 50, 50), 1);
  assert.strictEqual(faceAt(faces, 42, 50), -1);
});

test('every part of a multipolygon counts, its holes do not', () => {
  assert.strictEqual(faceAt(faces, 210, 50), 2);
  assert.strictEqual(faceAt(faces, 250, 50), -1);
  assert.strictEqual(faceAt(faces, 450, 50), 2);
  assert.strictEqual(faceAt(faces, 350, 50), -1);
});
