'use strict';
// One spelling for each name in each language. spellings.txt lists, per
// language, the spelling the atlas uses and the variants it refuses; every
// record, headline and page of that language is searched for the variants.
//
// A variant is matched as whole words, exactly as written; one ending in "*"
// is a stem that takes any ending (for Greek variants, whose every case is
// wrong). A variant may not match its own chosen spelling, so that a correct
// form is never refused.
//
//   node spellings.js --suggest [en|el]   lists likely pairs to judge by hand

const fs = require('fs');
const path = require('path');
const { SourceError } = require('../lib/errors.js');
const { ENTITIES } = require('../lib/entities.js');

const SRC = __dirname;
const PAGES = path.join(__dirname, '..', 'pages');
const LANGS = ['en', 'el'];

// What the viewer shows for each entity a page writes.
const ENTITY_TEXT = new Map(ENTITIES);

function escapeRe(s) {
  return s.replace(/[.*+?^${}()|[\]\\]/g, '\\$&');
}

// A variant as a pattern over whole words.
function variantPattern(variant) {
  const stem = variant.endsWith('*');
  const body = escapeRe(stem ? variant.slice(0, -1) : variant).replace(/ /g, '\\s+');
  return new RegExp(`(?<![\\p{L}\\p{N}])${body}${stem ? '\\p{L}*' : ''}(?![\\p{L}\\p{N}])`, 'gu');
}

// spellings.txt: "en: chosen = variant, variant" (or "el: ..."), one name a
// line; "#" starts a comment.
function readSpellings(file = path.join(SRC, 'spellings.txt')) {
  const name = path.basename(file);
  const out = { en: [], el: [] };
  fs.readFileSync(file, 'utf8').split(/\r?\n/).forEach((raw, i) => {
    const line = raw.trim();
    const where = `${name}:${i + 1}`;
    if (!line || line.startsWith('#')) return;
    const m = /^(en|el):\s*([^=]+?)\s*=\s*(.+)$/.exec(line);
    if (!m) throw new SourceError(`${where}: expected "en: chosen = variant, variant" or "el: ..."`);
    const variants = m[3].split(',').map((s) => s.trim());
    if (variants.some((v) => !v || v === '*')) throw new SourceError(`${where}: an empty variant`);
    for (const v of variants) {
      if (variantPattern(v).test(m[2])) throw new SourceError(`${where}: "${v}" would refuse "${m[2]}" itself`);
    }
    out[m[1]].push({ chosen: m[2], variants: variants.map((v) => ({ text: v, re: variantPattern(v) })), where });
  });
  return out;
}

// The texts of one language a reader sees: { where, text } a line.
function recordTexts(records, lang) {
  const out = [];
  for (const r of records) {
    out.push({ where: r.where, text: r.names[lang] });
    if (r.desc) out.push({ where: r.desc[lang].where, text: r.desc[lang].text });
    if (r.headline) out.push({ where: r.headline.where, text: r.headline[lang] });
  }
  return out;
}

// The pages of a language, line by line, without comments and tags.
function pageTexts(lang, dir = path.join(PAGES, lang)) {
  const out = [];
  if (!fs.existsSync(dir)) return out;
  for (const f of fs.readdirSync(dir).filter((n) => n.endsWith('.htm')).sort()) {
    const raw = fs.readFileSync(path.join(dir, f), 'utf8');
    const notes = raw.split(/\r?\n/);
    raw.replace(/<!--[\s\S]*?-->/g, (c) => c.replace(/[^\n]/g, '')).split(/\r?\n/).forEach((line, i) => {
      const text = line.replace(/<[^>]*>/g, ' ').replace(/&[#\w]+;/g, (e) => ENTITY_TEXT.get(e) || e);
      // A passage's date note gives the year it tells of.
      const year = /^<!--\s*(\d{4})/.exec(notes[i]);
      if (/\S/.test(text)) out.push({ where: `../pages/${lang}/${f}:${i + 1}`, text, year: year && Number(year[1]) });
    });
  }
  return out;
}

// Every variant found: "where: "variant" for "chosen" (list line)".
function findVariants(list, texts) {
  const found = [];
  for (const { where, text } of texts) {
    for (const entry of list) {
      for (const v of entry.variants) {
        for (const m of text.matchAll(v.re)) {
          found.push(`${where}: "${m[0].replace(/\s+/g, ' ')}" where the atlas writes "${entry.chosen}" (${entry.where})`);
        }
      }
    }
  }
  return found;
}

// Checks the records (as build.js reads them) and the pages of each language.
function checkSpellings(records, list = readSpellings(), pagesOf = pageTexts) {
  const found = [];
  for (const lang of LANGS) found.push(...findVariants(list[lang], [...recordTexts(records, lang), ...pagesOf(lang)]));
  if (found.length) throw new SourceError(`a name spelled another way than the chosen one:\n  ${found.join('\n  ')}`);
}

// ---------------------------------------------------------------------------
// Likely pairs, for a reader to judge: words of a capital letter that are
// spelled almost alike, Greek names with two nominative endings, regnal
// names beside a record of another name, and city names of another time.

// Greek case endings, longest first: words that share a stem after them are
// one name in several cases.
const GREEK_ENDINGS = ['οντος', 'οντα', 'ους', 'ου', 'ος', 'ον', 'ων', 'ας', 'ης', 'ες', 'οι', 'ο', 'ε', 'α', 'η'];
const GREEK_NOMINATIVES = new Set(['ος', 'ας', 'ης', '']);

function plain(s) {
  return s.normalize('NFD').replace(/\p{M}/gu, '').toLowerCase().replace(/ς/g, 'σ');
}

function greekStem(word) {
  const w = plain(word);
  for (const e of GREEK_ENDINGS) {
    if (w.length > e.length + 2 && w.endsWith(plain(e))) return { stem: w.slice(0, -e.length), ending: e };
  }
  return { stem: w, ending: '' };
}

// English words that differ by these endings are a name and its adjective or
// plural, not two spellings.
const ENGLISH_SUFFIXES = ['s', 'es', 'n', 'an', 'ns', 'ans', 'ian', 'ians', 'ese', 'ish', 'i', 'is', 'ic', "'s"];

function distance(a, b, max) {
  if (Math.abs(a.length - b.length) > max) return max + 1;
  let prev = Array.from({ length: b.length + 1 }, (_, j) => j);
  for (let i = 1; i <= a.length; i++) {
    const cur = [i];
    for (let j = 1; j <= b.length; j++) {
      cur[j] = Math.min(prev[j] + 1, cur[j - 1] + 1, prev[j - 1] + (a[i - 1] === b[j - 1] ? 0 : 1));
    }
    prev = cur;
  }
  return prev[b.length];
}

// Words of a capital letter that stand inside a sentence at least once, so
// that a verb or noun that only opens sentences is left out.
function capitalWords(texts) {
  const words = new Map();  // word -> { n, where, inside }
  for (const { where, text } of texts) {
    for (const m of text.matchAll(/(?<![\p{L}'’-])\p{Lu}[\p{L}'’-]*\p{L}/gu)) {
      const w = words.get(m[0]) || { n: 0, where, inside: false };
      w.n++;
      if (/\p{Ll}[,;]?\s+$/u.test(text.slice(Math.max(0, m.index - 3), m.index))) w.inside = true;
      words.set(m[0], w);
    }
  }
  for (const [k, w] of words) if (!w.inside) words.delete(k);
  return words;
}

// Greek derivations of a name (Σερβία, Σέρβος, Σερβική, Σερβίδα) are not
// other spellings of it.
const GREEK_DERIVATIONS = ['ι', 'ικ', 'ιν', 'ιδ', 'ιακ', 'ικι', 'ια', 'ιδι'];

function nearPairs(words, lang) {
  const keyed = [...words.keys()].filter((w) => [...w].length >= 5)
    .map((w) => (lang === 'el' ? { w, ...greekStem(w) } : { w, stem: plain(w), ending: '' }));
  const byStem = new Map();
  for (const k of keyed) byStem.set(k.stem, [...(byStem.get(k.stem) || []), k]);
  const stems = [...byStem.keys()];
  const pairs = [];
  for (let i = 0; i < stems.length; i++) {
    for (let j = i + 1; j < stems.length; j++) {
      const [s, l] = stems[i].length <= stems[j].length ? [stems[i], stems[j]] : [stems[j], stems[i]];
      if (s[0] !== l[0] && s.slice(-2) !== l.slice(-2)) continue;
      const tail = l.startsWith(s) ? l.slice(s.length) : null;
      if (tail !== null && (lang === 'en' ? ENGLISH_SUFFIXES : GREEK_DERIVATIONS).includes(tail)) continue;
      if (distance(s, l, 2) <= (s.length >= 8 ? 2 : 1)) pairs.push([byStem.get(s), byStem.get(l)]);
    }
  }
  return { pairs, byStem };
}

// "Name II" in the texts of a record whose place and years a person of
// another name with that number shares (Erekle II beside Heraclius II).
function regnalPairs(records, lang) {
  const numeral = lang === 'en' ? '[IVXL]+' : '[Α-Ω]{1,3}΄';
  const re = new RegExp(`(?<![\\p{L}])(\\p{Lu}[\\p{L}-]+) (${numeral})(?![\\p{L}])`, 'gu');
  const named = new Map();  // "II" -> people records whose name holds "X II"
  for (const r of records) {
    for (const m of r.names[lang].matchAll(re)) named.set(m[2], [...(named.get(m[2]) || []), { r, first: m[1] }]);
  }
  const found = new Set();
  for (const r of records) {
    for (const t of recordTexts([r], lang)) {
      for (const m of t.text.matchAll(re)) {
        for (const p of named.get(m[2]) || []) {
          if (p.r === r || p.r.place !== r.place || t.text.includes(p.first)) continue;
          if (lang === 'el' && greekStem(m[1]).stem === greekStem(p.first).stem) continue;
          if (p.r.d1 > r.d2 || r.d1 > p.r.d2) continue;
          if ((named.get(m[2]) || []).some((q) => q.first === m[1] && q.r.place === r.place)) continue;
          found.add(`regnal: "${m[1]} ${m[2]}" (${t.where}) beside the record "${p.r.names[lang]}" (${p.r.where})`);
        }
      }
    }
  }
  return [...found];
}

// A city named in a text of a time when the map gives it another name
// (Tbilisi in 1122, where the map shows Tiflis).
function periodNames(records, lang, pages) {
  const places = new Map();  // position -> the city's records, one a name
  for (const c of records.filter((r) => r.x !== undefined)) places.set(`${c.x} ${c.y}`, [...(places.get(`${c.x} ${c.y}`) || []), c]);
  const dated = [
    ...records.filter((r) => r.x === undefined && r.d1 !== undefined)
      .flatMap((r) => recordTexts([r], lang).map((t) => ({ ...t, d1: r.d1, d2: r.d2 }))),
    ...pages.filter((p) => p.year).map((p) => ({ ...p, d1: p.year * 10, d2: p.year * 10 + 9 })),
  ];
  const out = [];
  for (const city of places.values()) {
    if (new Set(city.map((c) => c.names[lang])).size < 2) continue;
    for (const c of city) {
      const re = variantPattern(c.names[lang]);
      for (const t of dated) {
        if (t.text.search(re) < 0 || (t.d1 <= c.d2 && c.d1 <= t.d2)) continue;
        const shown = city.find((o) => o.d1 <= t.d1 && t.d1 <= o.d2);
        // Brest inside Brest-Litovsk, Πετρούπολη inside Αγία Πετρούπολη.
        const within = (n) => n !== c.names[lang] && n.includes(c.names[lang]) && t.text.includes(n);
        if (city.some((o) => within(o.names[lang]))) continue;
        if (shown && shown.names[lang] !== c.names[lang]) {
          out.push(`period: "${c.names[lang]}" (${t.where}, ${Math.floor(t.d1 / 10)}) where the map names it "${shown.names[lang]}"`);
        }
      }
    }
  }
  return out;
}

function suggest(records, lang, pages = pageTexts(lang)) {
  const texts = [...recordTexts(records, lang), ...pages];
  const words = capitalWords(texts);
  const show = (k) => `${k.w} (${words.get(k.w).n}, ${words.get(k.w).where})`;
  const { pairs, byStem } = nearPairs(words, lang);
  const lines = pairs.map(([a, b]) => `near: ${a.map(show).join(', ')}  ~  ${b.map(show).join(', ')}`);
  // Greek: one stem with two nominative endings (Σβιατοσλάβ, Σβιατοσλάβος).
  if (lang === 'el') {
    for (const ks of byStem.values()) {
      const noms = new Set(ks.map((k) => k.ending).filter((e) => GREEK_NOMINATIVES.has(e)));
      if (noms.size >= 2) lines.push(`endings: ${ks.map(show).join(', ')}`);
    }
  }
  return [...lines, ...regnalPairs(records, lang), ...periodNames(records, lang, pages)];
}

module.exports = { readSpellings, checkSpellings, findVariants, variantPattern, pageTexts, recordTexts, suggest };

if (require.main === module) {
  const args = process.argv.slice(2);
  if (!args.includes('--suggest')) {
    console.error('usage: node spellings.js --suggest [en|el]');
    process.exit(2);
  }
  const records = Object.values(require('./build.js').readRecords()).flat();
  for (const lang of LANGS.filter((l) => args.length < 2 || args.includes(l))) {
    for (const line of suggest(records, lang)) console.log(`${lang} ${line}`);
  }
}
