'use strict';
// Tests of the one-spelling check: what a variant matches, what the list
// refuses, and the committed sources against the committed list.
const test = require('node:test');
const assert = require('node:assert');
const fs = require('fs');
const os = require('os');
const path = require('path');
const { readSpellings, findVariants, checkSpellings, pageTexts, suggest } = require('./spellings.js');

function listOf(text) {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'spellings-'));
  const file = path.join(dir, 'spellings.txt');
  fs.writeFileSync(file, text);
  try {
    return readSpellings(file);
  } finally {
    fs.rmSync(dir, { recursive: true });
  }
}

test('a variant is found as whole words, a stem in every case, never a correct form', () => {
  const list = listOf('# names\nen: Erekle II = Heraclius II\nel: Βολεσλάος = Βολεσλάβ*\nel: Μύνστερ = Μίνστερ\n');
  const found = findVariants(list.el, [
    { where: 'a.txt:3', text: 'τίμησε τον Βολεσλάο και τον γιο του Βολεσλάου· ο Βολεσλάος' },
    { where: 'b.htm:7', text: 'πολέμησε τον Βολεσλάβο στο Μίνστερ, όχι στο Ουεστμίνστερ' },
  ]);
  assert.deepStrictEqual(found, [
    'b.htm:7: "Βολεσλάβο" where the atlas writes "Βολεσλάος" (spellings.txt:3)',
    'b.htm:7: "Μίνστερ" where the atlas writes "Μύνστερ" (spellings.txt:4)',
  ]);
  assert.deepStrictEqual(findVariants(list.en, [{ where: 'c:1', text: 'Heraclius IIa, Heraclius II\'s, Heraclius III' }]),
    ['c:1: "Heraclius II" where the atlas writes "Erekle II" (spellings.txt:2)']);
  assert.deepStrictEqual(findVariants(list.en, [{ where: 'c:2', text: 'Heraclius\nII' }]).length, 1);
});

test('the list refuses a variant that matches its own chosen spelling, and bad lines', () => {
  assert.throws(() => listOf('el: Βολεσλάος = Βολεσλά*\n'), /spellings.txt:1: "Βολεσλά\*" would refuse "Βολεσλάος" itself/);
  assert.throws(() => listOf('en: Dušan Dushan\n'), /spellings.txt:1: expected/);
  assert.throws(() => listOf('fr: Douchan = Dushan\n'), /expected/);
  assert.throws(() => listOf('en: Dušan = Dushan, \n'), /an empty variant/);
});

test('no record, headline or page of either language uses a refused variant', () => {
  checkSpellings(Object.values(require('./build.js').readRecords()).flat());
});

test('a page is read line by line without comments and tags, and the search finds a regnal pair', () => {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), 'pages-'));
  fs.writeFileSync(path.join(dir, 't160.htm'), '<p><!--Heraclius II\n-->King <b>Heraclius</b> II &amp; Du&#353;an\n');
  const page = pageTexts('en', dir);
  fs.rmSync(dir, { recursive: true });
  assert.deepStrictEqual(findVariants(listOf('en: Erekle II = Heraclius II\nen: Dushan = Dušan\n').en, page), [
    '../pages/en/t160.htm:2: "Heraclius II" where the atlas writes "Erekle II" (spellings.txt:1)',
    '../pages/en/t160.htm:2: "Dušan" where the atlas writes "Dushan" (spellings.txt:2)',
  ]);
  const person = (en, el, place, where) => ({ names: { en, el }, place, d1: 17620, d2: 17980, where,
    desc: { en: { text: '', where }, el: { text: '', where } } });
  const event = { ...person('Treaty', 'Συνθήκη', 'georgia', 'e:1'),
    desc: { en: { text: 'King Erekle II took Russian protection.', where: 'e:3' }, el: { text: 'Ο Ηράκλειο Β΄', where: 'e:4' } } };
  const lines = suggest([person('Heraclius II of Georgia', 'Ηράκλειος Β΄', 'georgia', 'p:1'), event], 'en', []);
  assert.ok(lines.includes('regnal: "Erekle II" (e:3) beside the record "Heraclius II of Georgia" (p:1)'), lines.join('\n'));
  assert.deepStrictEqual(suggest([person('Heraclius II of Georgia', 'Ηράκλειος Β΄', 'georgia', 'p:1'), event], 'el', [])
    .filter((l) => l.startsWith('regnal')), []);
});
