'use strict';
// Tests of the converter's parts: dates, code pages, markup and place choice.
const test = require('node:test');
const assert = require('node:assert');
const { parseDate } = require('./dates.js');
const { encoderFor, encode } = require('../lib/codepage.js');
const { checkMarkup } = require('./markup.js');
const { chooseVersion } = require('./places.js');

test('a day gives the nearest tenth of the year, late December staying in its year', () => {
  assert.strictEqual(parseDate('1066', 'first'), 10660);
  assert.strictEqual(parseDate('1066.8', 'first'), 10668);
  assert.strictEqual(parseDate('1066-10-14', 'first'), 10668);
  assert.strictEqual(parseDate('1453-01-01', 'first'), 14530);
  assert.strictEqual(parseDate('1453-01-19', 'first'), 14530);
  assert.strictEqual(parseDate('1453-01-20', 'first'), 14531);
  assert.strictEqual(parseDate('1453-12-31', 'first'), 14539);
  assert.strictEqual(parseDate('1453-05-29', 'first'), 14534);
  // 1000 is a Julian leap year, 1900 is no Gregorian one.
  assert.strictEqual(parseDate('1000-02-29', 'first'), 10002);
  assert.throws(() => parseDate('1900-02-29', 'first'));
  assert.strictEqual(parseDate('1789-07', 'first'), 17895);
});

test('open and "<" ends are for last dates only', () => {
  assert.strictEqual(parseDate('open', 'last'), 20099);
  assert.strictEqual(parseDate('<1930-03-28', 'last'), 19301);
  assert.throws(() => parseDate('open', 'first'));
  assert.throws(() => parseDate('<1930', 'first'));
  assert.throws(() => parseDate('1066-13', 'first'));
  assert.throws(() => parseDate('10660', 'first'));
});

test('each set keeps to its code page and says which character it lacks', () => {
  const en = encoderFor('windows-1252');
  const el = encoderFor('windows-1253');
  assert.deepStrictEqual([...encode(['Córdoba – š'], en)], [0x43, 0xf3, 0x72, 0x64, 0x6f, 0x62, 0x61, 0x20, 0x96, 0x20, 0x9a, 13, 10]);
  assert.deepStrictEqual([...encode(['Ά΄ώ'], el)], [0xa2, 0xb4, 0xfe, 13, 10]);
  assert.throws(() => encode(['Kraków', 'Gdańsk'], en, 'en/cities.mit'), /line 2: "ń" \(U\+0144\)/);
  assert.throws(() => encode(['Μοχάτς', 'Mohács'], el, 'el/cities.mit'), /line 2: "á"/);
  assert.throws(() => encode(['a\tb'], en, 'x'), /U\+0009/);
});

test('descriptions hold only closed style tags and no entities', () => {
  assert.strictEqual(checkMarkup('<b>Basil II</b> of <i>Byzantium</i><br>ruled long.'), null);
  assert.match(checkMarkup('<b>open'), /never closed/);
  assert.match(checkMarkup('<b>a</i>'), /closes nothing/);
  assert.match(checkMarkup('<a href="t150.htm">x</a>'), /unknown tag/);
  assert.match(checkMarkup('Caf&eacute;'), /"&"/);
  assert.match(checkMarkup('1 < 2'), /stray/);
});

test('a place version is taken by the middle of the record\'s dates', () => {
  const v = [
    { key: 'france', d1: 10000, d2: 11548 },
    { key: 'france.2', d1: 11549, d2: 13629 },
    { key: 'flanders', d1: 10000, d2: 13839 },
  ];
  assert.strictEqual(chooseVersion(v, 11000, 12000).key, 'france');
  assert.strictEqual(chooseVersion(v, 11500, 11700).key, 'france.2');
  // Born before the atlas: the dates are held to its range first.
  assert.strictEqual(chooseVersion(v, 9000, 11000).key, 'france');
  // Nothing covers 1500: the nearest in time.
  assert.strictEqual(chooseVersion(v, 14800, 15200).key, 'flanders');
  assert.strictEqual(chooseVersion([{ key: 'a', d1: 19000, d2: 20030 }], 19950, 20099).key, 'a');
});

test('a key takes its first choice that is published, and fails without any', () => {
  const fs = require('fs');
  const os = require('os');
  const path = require('path');
  const { loadPlaceResolver } = require('./places.js');
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'places-'));
  const src = path.join(dir, 'text');
  const history = path.join(dir, 'history');
  const items = path.join(dir, 'items');
  for (const d of [src, history, path.join(items, 'en')]) fs.mkdirSync(d, { recursive: true });
  fs.writeFileSync(path.join(items, 'en', 'places.mit'), '1:Place\r\n:1 2\r\nA place.\r\n'.repeat(5));
  fs.writeFileSync(path.join(history, 'place-keys.txt'),
    '# key number years name\nprussia 2 1701-1870.9 Prussia\ngermany 3 1871-2003 Germany\nhre 4 1000-1806.5 Holy Roman Empire\n');
  const own = (text) => fs.writeFileSync(path.join(src, 'place-keys.txt'), text);
  const load = () => loadPlaceResolver(src, { historyDir: history, itemsDir: items });

  own('prussia = brandenburg | prussia germany  Prussia\n');
  assert.strictEqual(load().resolve('prussia', 'x', 18000, 18200), 2);
  assert.strictEqual(load().resolve('prussia', 'x', 19000, 19200), 3);
  own('prussia = brandenburg hre | germany  Prussia\n');
  assert.strictEqual(load().resolve('prussia', 'x', 19000, 19200), 4);  // the first choice holds hre
  own('prussia = brandenburg | teutonic  Prussia\n');
  assert.throws(load, /none of which/);
  own('prussia  Prussia\n');
  assert.throws(() => load().resolve('saxony', 'people.txt:3', 18000, 18100), /people.txt:3: place key "saxony" is not listed/);
  fs.writeFileSync(path.join(history, 'place-keys.txt'), 'prussia 9 1701-1870.9 Prussia\n');
  assert.throws(() => load().resolve('prussia', 'x', 18000, 18100), /names place 9, places.mit holds 5/);
  fs.rmSync(dir, { recursive: true });
});

// The headlines, the narrative's date anchors and the political history's
// dated changes read a day by one rule: where they name the same day, they
// fall in the same tenth.
test('a headline, its narrative anchor and a change on the map of the same day share a tenth', () => {
  const fs = require('fs');
  const path = require('path');
  const { date10: historyDate10, readSourceDir } = require('../history/source.js');
  const anchors = new Map();  // day -> anchors that note it
  for (const lang of ['en', 'el']) {
    const dir = path.join(__dirname, '..', 'pages', lang);
    for (const f of fs.readdirSync(dir).filter((n) => /^t\d{3}\.htm$/.test(n))) {
      const re = /<!--\s*(\d{4}-\d{2}-\d{2})\s*--><a name="(\d{5})">/g;
      const text = fs.readFileSync(path.join(dir, f), 'utf8');
      for (let m; (m = re.exec(text));) anchors.set(m[1], [...(anchors.get(m[1]) || []), Number(m[2])]);
    }
  }
  // First dates written as days: of headlined events, and of cities.
  const days = [];
  for (const f of fs.readdirSync(__dirname).filter((n) => /^(events-.*|cities)\.txt$/.test(n))) {
    for (const block of fs.readFileSync(path.join(__dirname, f), 'utf8').split(/\r?\n\s*\r?\n/)) {
      const lines = block.split(/\r?\n/).filter((l) => l && !l.startsWith('#'));
      if (lines.length < 2) continue;
      const f1 = lines[1].trim().split(/\s+/);
      const first = f === 'cities.txt' ? f1[2] : f1[1];
      const headlined = f === 'cities.txt' || lines.some((l) => l.startsWith('hl:'));
      if (headlined && /^\d{4}-\d{2}-\d{2}$/.test(first || '')) days.push({ day: first, d: parseDate(first, 'first'), what: lines[0] });
    }
  }
  let shared = 0;
  for (const { day, d, what } of days) {
    for (const a of anchors.get(day) || []) {
      shared++;
      assert.strictEqual(a, d, `${what}: ${day} is ${d}, its narrative anchor ${a}`);
    }
  }
  assert.ok(shared > 100, `only ${shared} days shared by records and anchors`);
  // The history reads a day as the text does, and a map change written as a
  // day falls in the tenth of a city that changes its name that day.
  for (const day of anchors.keys()) assert.strictEqual(historyDate10(day, 'x'), parseDate(day, 'first'), day);
  const cityDays = new Map(days.map((x) => [x.day, x]));
  let met = 0;
  for (const { name, text } of readSourceDir(path.join(__dirname, '..', 'history', 'src'))) {
    for (const m of text.matchAll(/^(\d{4}-\d{2}-\d{2})\s/gm)) {
      const city = cityDays.get(m[1]);
      if (!city) continue;
      met++;
      assert.strictEqual(historyDate10(m[1], name), city.d, `${name} ${m[1]} and ${city.what}`);
    }
  }
  assert.ok(met > 0, 'no change on the map dated by the day of a city');
});
