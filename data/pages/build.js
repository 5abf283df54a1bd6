#!/usr/bin/env node
// Builds the stored page items of the narrative and help windows.
//
//   data/pages/<lang>/*.htm  (UTF-8, what authors edit)
//     -> data/items/<lang>/*.htm  (the language's Windows code page, CR LF)
//   data/pages/hta1.src -> data/items/hta1.txt  (narrative anchors, CR LF)
//
// Every page is checked against what the viewer understands before anything
// is written: the small tag set, the entity table, the limits of 100 anchors
// and 200 hot spots, and link targets that lead somewhere. Any fault stops the
// build with a non-zero exit status and a message naming file, line and column.
//
// Usage: node build.js [--check]   (--check validates and writes nothing)
// No npm packages are used.

'use strict';

const fs = require('fs');
const path = require('path');
const { dayDate10 } = require('../text/dates.js');
const { byteMap } = require('../lib/codepage.js');
const { ENTITIES } = require('../lib/entities.js');

const PAGES = __dirname;
const ITEMS = path.join(__dirname, '..', 'items');

// ---------------------------------------------------------------------------
// Characters a code page lacks but the entity table can show.
const CHAR_TO_ENTITY = new Map(ENTITIES.slice(2).map(([e, c]) => [c, e]));

// ---------------------------------------------------------------------------
// Languages, their code pages and their pages.
const NARRATIVE_FIRST = 150;
const NARRATIVE_LAST = 176; // pages chosen by date
const LANGS = {
  en: { codepage: 'windows-1252', pages: pageList(177) },
  el: { codepage: 'windows-1253', pages: pageList(176) },
};
function pageList(last) {
  const names = ['help.htm'];
  for (let n = NARRATIVE_FIRST; n <= last; n++) names.push('t' + n + '.htm');
  return names;
}

// Pictures that pages may show (folder "im" of the stored items).
const PICTURES = new Set([
  '0.png', 'cs-en.png', 'date.png', 'dubrovnik.png', 'help-win-en.png', 'map-en.png', 'portrait.png',
  'opt-en.png', 'psc-en.png', 'qlist-en.png', 'timectl.png', 'vr-en.png',
  'zmroll.png',
]);

// Command links: view regions 1..22 and the colour schemes the dialog offers.
const VIEW_REGIONS = 22;
const SCHEMES = new Set([0, 2, 4, 5]);
const MIN_DATE10 = 10000;
const MAX_DATE10 = 20030;

// Viewer limits.
const MAX_ANCHORS = 100;
const MAX_HOTSPOTS = 200;
// A link that wraps takes one hot spot per line; no link here is longer than
// two lines in the narrowest sensible window, so half the hot spots is the
// link budget.
const MAX_LINKS = MAX_HOTSPOTS / 2;

// Tags without a blank that the viewer acts on or ignores harmlessly.
const PLAIN_TAGS = new Set([
  'html', '/html', 'body', '/body', 'hr', 'p', 'br', '/a', 'b', '/b', 'i', '/i', 'u', '/u',
  'sup', '/sup', 'sx', '/sx', 'big', '/big', 'small', '/small',
]);
// Tags after which the next word starts a new line.
const LINE_TAGS = new Set(['hr', 'p', 'br']);

// ---------------------------------------------------------------------------
const errors = [];
const warnings = [];

function fail(where, msg) {
  errors.push(where + ': ' + msg);
}

function position(text, offset) {
  let line = 1, col = 1;
  for (let i = 0; i < offset; i++) {
    if (text[i] === '\n') { line++; col = 1; } else col++;
  }
  return line + ':' + col;
}

// Splits a page into text runs and tags, as the viewer scans it.
function tokenize(file, src) {
  const tokens = [];
  let p = 0;
  while (p < src.length) {
    const lt = src.indexOf('<', p);
    if (lt < 0) { tokens.push({ kind: 'text', text: src.slice(p), at: p }); break; }
    if (lt > p) tokens.push({ kind: 'text', text: src.slice(p, lt), at: p });
    const gt = src.indexOf('>', lt);
    if (gt < 0) { fail(file + ':' + position(src, lt), '"<" without ">"'); break; }
    const body = src.slice(lt + 1, gt);
    if (body.includes('<')) fail(file + ':' + position(src, lt), '"<" inside a tag');
    tokens.push({ kind: 'tag', text: body, at: lt });
    p = gt + 1;
  }
  return tokens;
}

// Parses one page: checks tags, entities and characters; collects anchors,
// links and pictures.
function parsePage(lang, name, raw) {
  const file = lang + '/' + name;
  checkDateNotes(lang, name, raw);
  const src = raw.replace(/<!--[\s\S]*?-->/g, '');
  if (src.includes('<!--')) fail(file, 'comment without its end');
  const page = { lang, name, file, src, anchors: [], links: [], pictures: [] };
  const tokens = tokenize(file, src);
  let lastDateAnchor = null;
  let lineStarted = false; // a line-advancing tag has been seen
  let glued = false;       // an inline tag stands right after a non-blank character
  for (const t of tokens) {
    const where = file + ':' + position(src, t.at);
    if (t.kind === 'text') {
      checkText(where, t.text, src, t.at, file);
      if (/\S/.test(t.text)) {
        if (!lineStarted) fail(where, 'text before the first <p> or <br> is drawn above the page');
        if (glued && /^\S/.test(t.text)) {
          fail(where, 'a tag inside a word: the viewer puts a blank after every text run, ' +
            'so keep punctuation inside the tag or a blank on one side');
        }
      }
      glued = false;
      continue;
    }
    const tag = t.text;
    if (tag !== tag.toLowerCase()) fail(where, 'tag in capitals: <' + tag + '>');
    if (/[^\x20-\x7e]/.test(tag)) fail(where, 'non-ASCII character inside a tag');
    let m;
    if (!tag.includes(' ')) {
      if (!PLAIN_TAGS.has(tag)) { fail(where, 'tag the viewer does not know: <' + tag + '>'); continue; }
      if (LINE_TAGS.has(tag)) { lineStarted = true; glued = false; continue; }
    } else if ((m = /^a href="([^"' ]+)"$/.exec(tag))) {
      page.links.push({ target: m[1], where, after: lastDateAnchor });
    } else if ((m = /^a name="([^"' ]+)"$/.exec(tag))) {
      page.anchors.push({ name: m[1], where });
      if (/^\d{5}$/.test(m[1])) lastDateAnchor = m[1];
    } else if ((m = /^img src="([^"' ]+)"$/.exec(tag))) {
      if (!PICTURES.has(m[1])) fail(where, 'unknown picture "' + m[1] + '"');
      page.pictures.push(m[1]);
      lineStarted = true; glued = false;
      continue;
    } else if (/^body bgcolor="#[0-9a-f]{6}"$/.test(tag)) {
      continue;
    } else {
      fail(where, 'tag not in the viewer\'s form: <' + tag + '>');
      continue;
    }
    // An inline tag: it is a word break in the viewer.
    const before = t.at > 0 ? src[t.at - 1] : ' ';
    if (before !== '>' && /\S/.test(before)) glued = true;
  }
  if (page.anchors.length > MAX_ANCHORS) fail(file, page.anchors.length + ' anchors, more than ' + MAX_ANCHORS);
  if (page.links.length > MAX_LINKS) fail(file, page.links.length + ' links, more than ' + MAX_LINKS);
  const seen = new Set();
  for (const a of page.anchors) {
    if (seen.has(a.name)) fail(a.where, 'anchor "' + a.name + '" twice');
    seen.add(a.name);
  }
  return page;
}

// Date notes. In the narrative pages every date anchor follows a comment that
// gives the date of its event: "<!--1066-10-14-->", "<!--1066-10-->" (the month
// known) or "<!--1066-->" (the year known). The anchor must be that date in
// tenths of a year by the rule the text and the history builds use
// (../text/dates.js); a year alone allows any tenth of that year.
function checkDateNotes(lang, name, raw) {
  if (!/^t\d{3}\.htm$/.test(name)) return;
  const file = lang + '/' + name;
  const re = /<!--\s*(\d{4})(?:-(\d{2})(?:-(\d{2}))?)?\s*--><a name="(\d{5})">/g;
  let m, notes = 0;
  while ((m = re.exec(raw))) {
    notes++;
    const where = file + ':' + position(raw, m.index);
    const y = Number(m[1]), mo = m[2] ? Number(m[2]) : 0, d = m[3] ? Number(m[3]) : 15;
    const a = Number(m[4]);
    if (!mo) {
      if (Math.floor(a / 10) !== y) fail(where, 'anchor ' + a + ' is not in the year ' + y);
      continue;
    }
    let expected;
    try { expected = dayDate10(y, mo, d); } catch (e) { fail(where, 'impossible date note'); continue; }
    if (expected !== a) {
      fail(where, 'anchor ' + a + ' does not match its date ' + m[0].slice(4, m[0].indexOf('-->')) +
        ' (expected ' + expected + ')');
    }
  }
  const anchors = (raw.match(/<a name="\d{5}">/g) || []).length;
  if (lang === 'en' && notes !== anchors) {
    fail(file, (anchors - notes) + ' date anchor(s) without a date note right before them');
  }
}

// Text: entities must be the viewer's; characters must be printable.
function checkText(where, text, src, at, file) {
  for (let i = 0; i < text.length; i++) {
    const c = text[i];
    const w = () => file + ':' + position(src, at + i);
    if (c === '&') {
      const ent = ENTITIES.find(([e]) => text.startsWith(e, i));
      if (!ent) fail(w(), '"&" that starts no entity of the viewer (write &amp;)');
    } else if (c === '>') {
      fail(w(), 'stray ">"');
    } else if (c === '\u00a0' || c === '\u00ad') {
      fail(w(), 'invisible character U+' + c.charCodeAt(0).toString(16).toUpperCase().padStart(4, '0') + ' (write &nbsp; or nothing)');
    } else if (c < ' ' && c !== '\n') {
      fail(w(), 'control character ' + c.charCodeAt(0));
    }
  }
}

// Anchor: "#" and an anchor name; page links split at the first "#".
function checkLinks(page, set) {
  for (const l of page.links) {
    const t = l.target;
    if (t !== t.toLowerCase()) fail(l.where, 'link target in capitals (the viewer lower-cases it): ' + t);
    if (/^https?:\/\//.test(t)) continue;
    if (t.includes('qlmx?')) { checkCommand(l.where, t); continue; }
    if (/^[a-z]+:/.test(t) || t.includes('quil?')) { fail(l.where, 'link of no known kind: ' + t); continue; }
    const hash = t.indexOf('#');
    const target = hash < 0 ? t : t.slice(0, hash);
    const anchor = hash < 0 ? null : t.slice(hash + 1);
    const other = set.get(target);
    if (!other && page.lang !== 'en' && LANGS[page.lang].pages.includes(target)) {
      // A page of a set still being written: checked once it exists.
      warnings.push(l.where + ': link to ' + target + ', not written yet');
      continue;
    }
    if (!other) { fail(l.where, 'link to a page that does not exist: ' + target); continue; }
    if (anchor !== null && !other.anchors.some((a) => a.name === anchor)) {
      fail(l.where, 'link to anchor "' + anchor + '" that ' + target + ' lacks');
    }
  }
}

// Command link: "qlmx?" then items "key=value" separated by "&".
function checkCommand(where, target) {
  const q = target.slice(target.indexOf('?') + 1);
  if (!target.startsWith('qlmx?')) fail(where, 'command link must begin with "qlmx?": ' + target);
  let keys = 0, date = null, membership = false;
  for (const item of q.split('&')) {
    if (item === 'quil?') continue; // hover marker: shows the year of "d"
    const m = /^(d|vr|cs)=(\d+)$/.exec(item);
    if (!m) { fail(where, 'command item not understood: "' + item + '"'); continue; }
    const v = Number(m[2]);
    keys++;
    if (m[1] === 'd') {
      if (m[2].length !== 5 || v < MIN_DATE10 || v > MAX_DATE10) fail(where, 'date outside 10000..20030: ' + m[2]);
      date = v;
    } else if (m[1] === 'vr') {
      if (v < 1 || v > VIEW_REGIONS) fail(where, 'view region outside 1..' + VIEW_REGIONS + ': ' + v);
    } else if (!SCHEMES.has(v)) {
      fail(where, 'colour scheme not offered by the dialog: ' + v);
    } else if (v === 5) {
      membership = true;
    }
  }
  if (membership && (date === null || date < 19580)) fail(where, 'membership view needs a date from 1958 on');
  if (!keys) fail(where, 'command link without a command');
  if (q.split('&').includes('quil?') && date === null) fail(where, 'hover marker without a date');
}

// Encodes a page into the code page, using the entity table for characters
// the code page lacks. Anything else stops the build.
function encode(file, text, codepage) {
  const map = byteMap(codepage);
  const bytes = [];
  let line = 1, col = 1;
  for (const c of text) {
    const code = c.codePointAt(0);
    if (c === '\n') { bytes.push(13, 10); line++; col = 1; continue; }
    if (code < 0x80) bytes.push(code);
    else if (map.has(c)) bytes.push(map.get(c));
    else if (CHAR_TO_ENTITY.has(c)) for (const b of Buffer.from(CHAR_TO_ENTITY.get(c), 'ascii')) bytes.push(b);
    else fail(file + ':' + line + ':' + col, 'character U+' + code.toString(16).toUpperCase().padStart(4, '0') +
      ' "' + c + '" cannot be written in ' + codepage + ' nor as an entity of the viewer');
    col++;
  }
  return Buffer.from(bytes);
}

function readSource(file) {
  let text = fs.readFileSync(file, 'utf8');
  if (text.charCodeAt(0) === 0xfeff) text = text.slice(1);
  if (text.includes('\ufffd')) fail(file, 'not valid UTF-8');
  text = text.replace(/\r\n?/g, '\n');
  if (!text.endsWith('\n')) text += '\n';
  return text;
}

// ---------------------------------------------------------------------------
// hta1.src: "date10,page" lines in date order; "#" starts a comment line.
function readAnchors(file) {
  const out = [];
  const lines = readSource(file).split('\n');
  lines.forEach((raw, i) => {
    const line = raw.trim();
    if (!line || line.startsWith('#')) return;
    const where = 'hta1.src:' + (i + 1);
    const m = /^(\d{5}),(\d{3})$/.exec(line);
    if (!m) { fail(where, 'line is not "date10,page": ' + line); return; }
    out.push({ date: Number(m[1]), key: m[1], page: Number(m[2]), where });
  });
  return out;
}

function checkAnchors(list, sets) {
  const en = sets.get('en');
  let prev = null;
  const perPage = new Map();
  for (const a of list) {
    if (a.date < MIN_DATE10 || a.date > MAX_DATE10) fail(a.where, 'date outside 10000..20030');
    if (a.page < NARRATIVE_FIRST || a.page > NARRATIVE_LAST) fail(a.where, 'page t' + a.page + ' is not a narrative page');
    if (prev && a.date <= prev.date) fail(a.where, 'not after the line before (dates must rise)');
    if (prev && a.page < prev.page) fail(a.where, 'page goes back from t' + prev.page);
    if (prev && a.page > prev.page + 1) fail(a.where, 'page t' + (prev.page + 1) + ' skipped');
    perPage.set(a.page, (perPage.get(a.page) || 0) + 1);
    for (const [lang, set] of sets) {
      const page = set.get('t' + a.page + '.htm');
      if (!page) continue;
      if (!page.anchors.some((x) => x.name === a.key)) fail(a.where, lang + '/t' + a.page + '.htm has no anchor ' + a.key);
    }
    prev = a;
  }
  if (list.length && list[0].date !== MIN_DATE10) fail('hta1.src', 'the first anchor must be 10000, so that 1000.0 finds a page');
  for (let n = NARRATIVE_FIRST; n <= NARRATIVE_LAST; n++) {
    if ((perPage.get(n) || 0) < 10) fail('hta1.src', 't' + n + '.htm has ' + (perPage.get(n) || 0) + ' anchors, fewer than 10');
  }
  // Every date anchor of a narrative page is listed, in the page's own order.
  if (en) {
    for (let n = NARRATIVE_FIRST; n <= NARRATIVE_LAST; n++) {
      const page = en.get('t' + n + '.htm');
      if (!page) continue;
      const listed = list.filter((a) => a.page === n).map((a) => a.key);
      const dated = page.anchors.map((a) => a.name).filter((x) => /^\d{5}$/.test(x));
      if (listed.join() !== dated.join()) {
        const missing = dated.filter((x) => !listed.includes(x));
        fail('en/t' + n + '.htm', 'date anchors differ from hta1.src' +
          (missing.length ? ' (not listed: ' + missing.join(' ') + ')' : ' (order or extra lines)'));
      }
    }
    for (const name of ['help.htm', 't177.htm']) {
      const page = en.get(name);
      if (page && page.anchors.some((a) => /^\d{5}$/.test(a.name))) fail('en/' + name, 'date anchors belong to narrative pages');
    }
  }
}

// A date command link changes the date, and the narrative window then moves
// to the anchor for that date. A link in a narrative page must therefore keep
// the reader where it stands: its date must choose the anchor of the passage
// that holds the link.
function checkDateLinks(list, sets) {
  for (const set of sets.values()) {
    for (const page of set.values()) {
      const num = /^t(\d{3})\.htm$/.exec(page.name);
      if (!num || Number(num[1]) > NARRATIVE_LAST) continue;
      for (const l of page.links) {
        const m = /^qlmx\?(?:.*&)?d=(\d{5})(?:&|$)/.exec(l.target);
        if (!m) continue;
        const d = Number(m[1]);
        let chosen = null;
        for (const a of list) if (a.date <= d) chosen = a;
        if (!chosen || chosen.page !== Number(num[1]) || chosen.key !== l.after) {
          fail(l.where, 'date ' + d + ' moves the narrative to ' +
            (chosen ? 't' + chosen.page + '.htm#' + chosen.key : 'no anchor') +
            ', away from the passage at ' + (l.after || 'the top'));
        }
      }
    }
  }
}

// ---------------------------------------------------------------------------
function main() {
  const checkOnly = process.argv.includes('--check');
  const sets = new Map();
  const outputs = [];

  for (const [lang, cfg] of Object.entries(LANGS)) {
    const dir = path.join(PAGES, lang);
    if (!fs.existsSync(dir)) continue;
    const present = fs.readdirSync(dir).filter((f) => f.endsWith('.htm'));
    if (!present.length) continue;
    const set = new Map();
    for (const f of present) {
      if (!cfg.pages.includes(f)) { fail(lang + '/' + f, 'not a page of the ' + lang + ' set'); continue; }
      set.set(f, parsePage(lang, f, readSource(path.join(dir, f))));
    }
    const missing = cfg.pages.filter((f) => !set.has(f));
    if (lang === 'en' && missing.length) fail(lang, 'pages missing: ' + missing.join(' '));
    else if (missing.length) warnings.push(lang + ': pages not written yet: ' + missing.join(' '));
    const help = set.get('help.htm');
    if (help && !help.anchors.some((a) => a.name === 'home')) fail(lang + '/help.htm', 'no anchor "home"');
    sets.set(lang, set);
    for (const page of set.values()) {
      checkLinks(page, set);
      outputs.push({ out: path.join(ITEMS, lang, page.name), bytes: encode(page.file, page.src, cfg.codepage) });
    }
  }
  if (!sets.has('en')) fail('en', 'no English pages');

  const anchors = readAnchors(path.join(PAGES, 'hta1.src'));
  checkAnchors(anchors, sets);
  checkDateLinks(anchors, sets);
  const hta = anchors.map((a) => a.key + ',' + a.page + '\r\n').join('');
  outputs.push({ out: path.join(ITEMS, 'hta1.txt'), bytes: Buffer.from(hta, 'ascii') });

  for (const w of warnings) console.warn('warning: ' + w);
  if (errors.length) {
    for (const e of errors) console.error('error: ' + e);
    console.error(errors.length + ' error(s); nothing written');
    process.exit(1);
  }
  if (checkOnly) { console.log('pages checked: ' + outputs.length + ' items'); return; }
  for (const o of outputs) {
    fs.mkdirSync(path.dirname(o.out), { recursive: true });
    fs.writeFileSync(o.out, o.bytes);
  }
  console.log('pages built: ' + outputs.length + ' items');
}

main();
