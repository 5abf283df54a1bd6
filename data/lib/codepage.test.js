'use strict';
const test = require('node:test');
const assert = require('node:assert');
const { byteMap, encoder } = require('./codepage.js');

test('every byte of both code pages, ASCII and the upper half', () => {
  assert.deepStrictEqual([...encoder('windows-1252')('a\t–€ÿ')], [0x61, 0x09, 0x96, 0x80, 0xff]);
  assert.deepStrictEqual([...encoder('windows-1253')('Ά΄ώ')], [0xa2, 0xb4, 0xfe]);
  // Bytes a code page leaves undefined stand for no character.
  assert.strictEqual(byteMap('windows-1252').size, 128 + 123);
  assert.throws(() => encoder('windows-1253')('ª'), /U\+00AA/);
  assert.throws(() => encoder('windows-1252')('ά'), /not in windows-1252/);
});
