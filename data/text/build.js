#!/usr/bin/env node
// Builds the language items of the atlas text from the UTF-8 sources here.
//
//   strings.txt            -> <lang>/quilstr.mit   interface strings
//   people*.txt            -> <lang>/people.mit
//   events*.txt            -> <lang>/events.mit
//   events*.txt, headlines.txt -> <lang>/headstr.mit and head1.txt
//   cities.txt             -> <lang>/cities.mit
//   regions.txt            -> <lang>/vreg.mit
//   (fixed)                -> <lang>/winstr.mit
//
// English is written in Windows-1252, Greek in Windows-1253, CR LF after every
// line. Every record holds both languages, so the two sets always have the
// same records in the same order. Any fault stops the build with a message
// naming the file and line; nothing is written then.
//
// Usage: node build.js [--check] [--items DIR] [--history DIR] [--places DIR]
//   --history: folder of the place-keys.txt to use; --places: items folder
//   whose en/places.mit it numbers.
// No npm packages are used.

'use strict';

const fs = require('fs');
const path = require('path');
const { toMap } = require('../geo/projection.js');
const { parseDate, OPEN_END } = require('./dates.js');
const { encoderFor, encode } = require('../lib/codepage.js');
const { checkMarkup } = require('./markup.js');
const { loadPlaceResolver } = require('./places.js');
const { SourceError } = require('../lib/errors.js');
const { checkSpellings } = require('./spellings.js');

const SRC = __dirname;
const LANGS = { en: 'windows-1252', el: 'windows-1253' };

const MAP_MIN = 1;
const MAP_MAX = 35900;
const FIRST_DATE = 10000;  // 1000.0
const LAST_DATE = 20030;   // 2003.0
const HEADLINE_MAX_CHARS = 60;
const HEADLINE_FIRST_NUMBER = 300;  // head1.txt names headline k as k + 299

const LIMITS = { strings: 100, people: 1000, events: 1000, headlines: 450, cities: 500, regions: 51 };

function fail(where, msg) {
  throw new SourceError(`${where}: ${msg}`);
}

// ---------------------------------------------------------------------------
// Reading the sources: records are runs of lines separated by blank lines;
// lines that begin with "#" are comments.

function readBlocks(file) {
  const text = fs.readFileSync(path.join(SRC, file), 'utf8');
  if (text.charCodeAt(0) === 0xfeff) fail(file, 'byte order mark at the start');
  const blocks = [];
  let cur = null;
  text.split(/\r?\n/).forEach((raw, i) => {
    const line = raw.replace(/\s+$/, '');
    if (line.startsWith('#')) return;
    if (line === '') {
      cur = null;
      return;
    }
    if (!cur) {
      cur = { where: `${file}:${i + 1}`, lines: [] };
      blocks.push(cur);
    }
    cur.lines.push({ text: line.trim(), where: `${file}:${i + 1}` });
  });
  return blocks;
}

function sourcesOf(prefix) {
  return fs.readdirSync(SRC).filter((f) => f.startsWith(prefix) && f.endsWith('.txt')).sort();
}

// "English | Greek"
function pair(line) {
  const parts = line.text.split('|').map((s) => s.trim());
  if (parts.length !== 2 || !parts[0] || !parts[1]) fail(line.where, 'expected "English | Greek"');
  return { en: parts[0], el: parts[1] };
}

// "en: text" and "el: text" lines of a record.
function texts(block, from) {
  const out = {};
  for (const line of block.lines.slice(from)) {
    const m = /^(en|el):\s*(.*)$/.exec(line.text);
    if (!m) fail(line.where, 'expected a line "en: ..." or "el: ..."');
    if (out[m[1]] !== undefined) fail(line.where, `second "${m[1]}:" line`);
    if (!m[2]) fail(line.where, `empty "${m[1]}:" text`);
    out[m[1]] = { text: m[2], where: line.where };
  }
  for (const lang of Object.keys(LANGS)) if (!out[lang]) fail(block.where, `no "${lang}:" line`);
  return out;
}

function plainName(s, where) {
  if (/[\^\]<>&:]/.test(s)) fail(where, `a name may not hold ^ ] < > & or ":" ("${s}")`);
  return s;
}

function dateOf(text, where, role) {
  try {
    return parseDate(text, role);
  } catch (e) {
    return fail(where, e.message);
  }
}

// "key first last" with dates as parseDate reads them.
function placeAndDates(line) {
  const f = line.text.split(/\s+/);
  if (f.length !== 3) fail(line.where, 'expected "placekey first last"');
  const d1 = dateOf(f[1], line.where, 'first');
  const d2 = dateOf(f[2], line.where, 'last');
  checkSpan(d1, d2, line.where);
  return { key: f[0], d1, d2 };
}

// The dialog lists a record only when it meets the atlas's range.
function checkSpan(d1, d2, where) {
  if (d2 < d1) fail(where, `last date ${d2} before first date ${d1}`);
  if (d2 <= FIRST_DATE) fail(where, `ends at ${d2}, before the atlas begins`);
  if (d1 >= LAST_DATE) fail(where, `begins at ${d1}, after the atlas ends`);
}

// ---------------------------------------------------------------------------
// The kinds of record.

function readStrings() {
  const file = 'strings.txt';
  const entries = [];
  for (const block of readBlocks(file)) {
    for (const line of block.lines) {
      const m = /^(\d+)\s+"(.*)"\s*\|\s*"(.*)"$/.exec(line.text);
      if (!m) fail(line.where, 'expected: number "English" | "Greek"');
      const n = Number(m[1]);
      if (n !== entries.length + 1) fail(line.where, `entry ${n} out of order: expected ${entries.length + 1}`);
      if (n > LIMITS.strings) fail(line.where, `more than ${LIMITS.strings} entries`);
      for (const s of [m[2], m[3]]) if (s.includes('"')) fail(line.where, 'a double quote inside an entry');
      entries.push({ en: m[2], el: m[3], where: line.where });
    }
  }
  return entries;
}

function readPeople(places) {
  const out = [];
  for (const file of sourcesOf('people')) {
    for (const block of readBlocks(file)) {
      if (block.lines.length !== 4) fail(block.where, 'a person takes four lines: names, place and dates, en, el');
      const names = pair(block.lines[0]);
      plainName(names.en, block.where);
      plainName(names.el, block.where);
      const pd = placeAndDates(block.lines[1]);
      out.push({ names, place: places.resolve(pd.key, block.lines[1].where, pd.d1, pd.d2), d1: pd.d1, d2: pd.d2,
        desc: texts(block, 2), where: block.where });
    }
  }
  return out;
}

// An event may carry a fifth line, "hl: English | Greek": a headline shown on
// the map's strip at the event's first date.
function readEvents(places) {
  const out = [];
  for (const file of sourcesOf('events')) {
    for (const block of readBlocks(file)) {
      const n = block.lines.length;
      const hl = n === 5 ? block.lines[4] : null;
      if ((n !== 4 && n !== 5) || (hl && !hl.text.startsWith('hl:'))) {
        fail(block.where, 'an event takes four lines: names, place and dates, en, el; and may add "hl: English | Greek"');
      }
      const names = pair(block.lines[0]);
      plainName(names.en, block.where);
      plainName(names.el, block.where);
      const pd = placeAndDates(block.lines[1]);
      const headline = hl ? pair({ text: hl.text.slice(3).trim(), where: hl.where }) : null;
      // An event takes the place as the map shows it on its first day.
      out.push({ names, place: places.resolve(pd.key, block.lines[1].where, pd.d1, pd.d1), d1: pd.d1, d2: pd.d2,
        desc: texts(block.lines.length === 5 ? { ...block, lines: block.lines.slice(0, 4) } : block, 2),
        headline: headline && { ...headline, d: pd.d1, where: hl.where }, where: block.where });
    }
  }
  return out;
}

// Headlines: those of the events, and one a line in headlines.txt:
// date | English | Greek. They are numbered in date order.
function readHeadlines(events) {
  const all = events.filter((e) => e.headline).map((e) => e.headline);
  if (fs.existsSync(path.join(SRC, 'headlines.txt'))) {
    for (const block of readBlocks('headlines.txt')) {
      for (const line of block.lines) {
        const parts = line.text.split('|').map((s) => s.trim());
        if (parts.length !== 3 || !parts[1] || !parts[2]) fail(line.where, 'expected: date | English | Greek');
        all.push({ d: dateOf(parts[0], line.where, 'first'), en: parts[1], el: parts[2], where: line.where });
      }
    }
  }
  const seen = new Map();
  const clashes = [];
  for (const h of all) {
    if (h.d <= FIRST_DATE || h.d > LAST_DATE) fail(h.where, `headline date ${h.d} outside the animated range`);
    if (seen.has(h.d)) clashes.push(`${h.where}: a second headline at ${h.d} (first at ${seen.get(h.d)})`);
    seen.set(h.d, h.where);
    for (const lang of Object.keys(LANGS)) {
      const s = h[lang];
      if ([...s].length > HEADLINE_MAX_CHARS) fail(h.where, `headline longer than ${HEADLINE_MAX_CHARS} characters: "${s}"`);
      if (/[<>&^\]]/.test(s)) fail(h.where, 'a headline is plain text');
    }
  }
  if (clashes.length) fail('headlines', `only one headline can show in a tenth of a year:\n  ${clashes.join('\n  ')}`);
  return all.sort((a, b) => a.d - b.d);
}

// A city: "English | Greek" / "lon lat first last" / en / el
function readCities() {
  const out = [];
  for (const block of readBlocks('cities.txt')) {
    if (block.lines.length !== 4) fail(block.where, 'a city takes four lines: names, position and dates, en, el');
    const names = pair(block.lines[0]);
    plainName(names.en, block.where);
    plainName(names.el, block.where);
    const line = block.lines[1];
    const f = line.text.split(/\s+/);
    if (f.length !== 4) fail(line.where, 'expected "lon lat first last"');
    const lon = Number(f[0]);
    const lat = Number(f[1]);
    if (!Number.isFinite(lon) || !Number.isFinite(lat) || Math.abs(lon) > 180 || Math.abs(lat) > 90) {
      fail(line.where, 'longitude and latitude in decimal degrees, east and north positive');
    }
    const d1 = dateOf(f[2], line.where, 'first');
    const d2 = dateOf(f[3], line.where, 'last');
    if (d2 < d1) fail(line.where, `last date ${d2} before first date ${d1}`);
    const [x, y] = toMap(lon, lat).map(Math.round);
    if (x < MAP_MIN || x > MAP_MAX || y < MAP_MIN || y > MAP_MAX) fail(line.where, `(${lon}, ${lat}) lies off the map`);
    out.push({ names, x, y, d1, d2, desc: texts(block, 2), where: block.where });
  }
  checkCityNames(out);
  return out;
}

// Two cities of one name must not be shown at the same date.
function checkCityNames(cities) {
  for (let i = 0; i < cities.length; i++) {
    for (let j = i + 1; j < cities.length; j++) {
      const a = cities[i];
      const b = cities[j];
      const overlap = a.d1 <= b.d2 && b.d1 <= a.d2;
      if (overlap && (a.names.en === b.names.en) && a.x === b.x && a.y === b.y) {
        fail(b.where, `"${b.names.en}" is already shown there at these dates (${a.where})`);
      }
      if (overlap && Math.abs(a.x - b.x) + Math.abs(a.y - b.y) < 4) {
        fail(b.where, `"${b.names.en}" stands on "${a.names.en}" (${a.where}) at the same dates`);
      }
    }
  }
}

// Row 0 is the heading: "English | Greek" alone. A region:
// "English | Greek" / "west south east north" in degrees.
function readRegions() {
  const blocks = readBlocks('regions.txt');
  const out = [];
  blocks.forEach((block, k) => {
    const names = pair(block.lines[0]);
    if (k === 0) {
      if (block.lines.length !== 1) fail(block.where, 'the heading row has a name only');
      out.push({ names, box: '0 0 0 0', where: block.where });
      return;
    }
    if (block.lines.length !== 2) fail(block.where, 'a region takes two lines: names, bounds');
    const f = block.lines[1].text.split(/\s+/).map(Number);
    if (f.length !== 4 || f.some((v) => !Number.isFinite(v)) || f[0] >= f[2] || f[1] >= f[3]) {
      fail(block.lines[1].where, 'expected "west south east north" in degrees, west < east, south < north');
    }
    out.push({ names, box: regionBox(f, block.lines[1].where), where: block.where });
  });
  return out;
}

// The map box that holds a longitude and latitude box: its edges are curves
// on the map, so they are sampled.
function regionBox([w, s, e, n], where) {
  let x1 = Infinity;
  let y1 = Infinity;
  let x2 = -Infinity;
  let y2 = -Infinity;
  const steps = 64;
  for (let i = 0; i <= steps; i++) {
    const lon = w + (e - w) * i / steps;
    const lat = s + (n - s) * i / steps;
    for (const [a, b] of [[lon, s], [lon, n], [w, lat], [e, lat]]) {
      const [x, y] = toMap(a, b);
      x1 = Math.min(x1, x);
      y1 = Math.min(y1, y);
      x2 = Math.max(x2, x);
      y2 = Math.max(y2, y);
    }
  }
  const box = [Math.floor(x1), Math.floor(y1), Math.ceil(x2), Math.ceil(y2)];
  if (box.some((v) => v < MAP_MIN || v > MAP_MAX)) fail(where, 'the region reaches off the map');
  return box.join(' ');
}

// Every kind of record whose names and texts a reader sees; without a place
// list, a person's or event's place is its key.
function readRecords(places = { resolve: (key) => key }) {
  return { people: readPeople(places), events: readEvents(places), cities: readCities(), regions: readRegions() };
}

// ---------------------------------------------------------------------------
// Writing.

function checkDescriptions(records) {
  for (const r of records) {
    for (const lang of Object.keys(LANGS)) {
      const problem = checkMarkup(r.desc[lang].text);
      if (problem) fail(r.desc[lang].where, problem);
    }
  }
}

function checkCount(kind, records, min) {
  if (records.length > LIMITS[kind]) fail(kind, `${records.length} records, the atlas holds ${LIMITS[kind]}`);
  if (records.length < min) fail(kind, `only ${records.length} records, at least ${min} wanted`);
}

function build(itemsDir, check, placeOptions = {}) {
  const places = loadPlaceResolver(SRC, placeOptions);
  const strings = readStrings();
  const { people, events, cities, regions } = readRecords(places);
  const headlines = readHeadlines(events);
  checkDescriptions(people);
  checkDescriptions(events);
  checkDescriptions(cities);
  checkCount('people', people, 300);
  checkCount('events', events, 300);
  checkCount('headlines', headlines, 150);
  checkCount('cities', cities, 200);
  checkCount('regions', regions, 21);
  checkSpellings([...people, ...events, ...cities, ...regions]);

  const files = {};
  for (const [lang, codepage] of Object.entries(LANGS)) {
    const enc = encoderFor(codepage);
    const item = (name, lines) => {
      files[path.join(lang, name)] = encode(lines, enc, `${lang}/${name}`);
    };
    item('quilstr.mit', strings.map((s, i) => `${i + 1}@"${s[lang]}"`));
    item('people.mit', people.flatMap((p, i) => [`${i + 1}:${p.names[lang]}`, `${p.place} ${p.d1} ${p.d2}`, p.desc[lang].text]));
    item('events.mit', events.flatMap((e) => [`${e.place} ${e.d1} ${e.d2}`, e.names[lang], e.desc[lang].text]));
    item('headstr.mit', headlines.map((h, i) => `${HEADLINE_FIRST_NUMBER + i}:${h[lang]}`));
    item('cities.mit', cities.flatMap((c) => [`:${c.x} ${c.y} ${c.d1} ${c.d2}`, c.names[lang], c.desc[lang].text]));
    item('vreg.mit', regions.flatMap((r) => [r.names[lang], r.box]));
    item('winstr.mit', ['1:Quillmere']);
  }
  files['head1.txt'] = encode(headlines.map((h, i) => `${h.d}:${HEADLINE_FIRST_NUMBER + i}`), encoderFor('windows-1252'), 'head1.txt');

  places.report();
  if (!check) {
    for (const [name, bytes] of Object.entries(files)) {
      const target = path.join(itemsDir, name);
      fs.mkdirSync(path.dirname(target), { recursive: true });
      fs.writeFileSync(target, bytes);
    }
  }
  console.log(`text: ${people.length} people, ${events.length} events, ${headlines.length} headlines, ` +
    `${cities.length} cities, ${regions.length - 1} view regions, ${strings.length} interface strings`);
  return files;
}

module.exports = { build, regionBox, readRecords, readCities, readRegions, readStrings, readHeadlines, SourceError };

if (require.main === module) {
  const args = process.argv.slice(2);
  const check = args.includes('--check');
  const at = args.indexOf('--items');
  const itemsDir = at >= 0 ? path.resolve(args[at + 1]) : path.join(SRC, '..', 'items');
  // The place list to resolve against, when not the one beside the sources.
  const option = (name) => (args.indexOf(name) >= 0 ? path.resolve(args[args.indexOf(name) + 1]) : undefined);
  try {
    build(itemsDir, check, { historyDir: option('--history'), itemsDir: option('--places') });
  } catch (e) {
    if (!(e instanceof SourceError)) throw e;
    console.error(`text: ${e.message}`);
    process.exit(1);
  }
}
