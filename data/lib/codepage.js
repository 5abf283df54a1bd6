'use strict';
// The two code pages of the language items, shared by every data build. Each
// table lists the characters of bytes 0x80..0xFF; "\0" marks a byte the code
// page leaves undefined.
const { SourceError } = require('./errors.js');

function range(a, b) {
  let s = '';
  for (let c = a; c <= b; c++) s += String.fromCharCode(c);
  return s;
}

const UPPER = {
  'windows-1252':
    '\u20ac\0\u201a\u0192\u201e\u2026\u2020\u2021\u02c6\u2030\u0160\u2039\u0152\0\u017d\0' +
    '\0\u2018\u2019\u201c\u201d\u2022\u2013\u2014\u02dc\u2122\u0161\u203a\u0153\0\u017e\u0178' +
    range(0xa0, 0xff),
  'windows-1253':
    '\u20ac\0\u201a\u0192\u201e\u2026\u2020\u2021\0\u2030\0\u2039\0\0\0\0' +
    '\0\u2018\u2019\u201c\u201d\u2022\u2013\u2014\0\u2122\0\u203a\0\0\0\0' +
    '\u00a0\u0385\u0386\u00a3\u00a4\u00a5\u00a6\u00a7\u00a8\u00a9\0\u00ab\u00ac\u00ad\u00ae\u2015' +
    '\u00b0\u00b1\u00b2\u00b3\u0384\u00b5\u00b6\u00b7\u0388\u0389\u038a\u00bb\u038c\u00bd\u038e\u038f' +
    range(0x0390, 0x03a1) + '\0' + range(0x03a3, 0x03ce) + '\0',
};

// Character -> byte for the code page's bytes from `from` (0x00 or 0x20) up,
// ASCII ending at 0x7E when starting at 0x20.
function byteMap(codepage, from = 0) {
  const table = UPPER[codepage];
  if (!table || table.length !== 128) throw new Error(`no table for ${codepage}`);
  const map = new Map();
  for (let b = from; b < (from ? 0x7f : 0x80); b++) map.set(String.fromCharCode(b), b);
  for (let i = 0; i < 128; i++) if (table[i] !== '\0') map.set(table[i], 0x80 + i);
  map.codepage = codepage;
  return map;
}

function describe(ch) {
  return `"${ch}" (U+${ch.codePointAt(0).toString(16).toUpperCase().padStart(4, '0')})`;
}

// Character -> byte for the text items: printable ASCII and the upper half.
function encoderFor(codepage) {
  return byteMap(codepage, 0x20);
}

// Lines to bytes, CR LF after each. Throws, naming the item, line and
// character, when the code page lacks a character.
function encode(lines, encoder, name) {
  const out = [];
  lines.forEach((line, i) => {
    for (const ch of line.normalize('NFC')) {
      const b = encoder.get(ch);
      if (b === undefined) throw new SourceError(`${name} line ${i + 1}: ${describe(ch)} is not in ${encoder.codepage}: ${line}`);
      out.push(b);
    }
    out.push(13, 10);
  });
  return Buffer.from(out);
}

// Text to bytes, every byte of the code page allowed; a character it lacks throws.
function encoder(codepage) {
  const map = byteMap(codepage);
  return (text) => {
    const out = Buffer.alloc(text.length);
    let n = 0;
    for (const ch of text) {
      const b = map.get(ch);
      if (b === undefined) throw new Error(`${describe(ch)} is not in ${codepage}: ${text.slice(0, 60)}`);
      out[n++] = b;
    }
    return out.subarray(0, n);
  };
}

module.exports = { byteMap, encoderFor, encode, encoder };
