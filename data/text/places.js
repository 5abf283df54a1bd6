'use strict';
// People and events name their place by one of our keys (place-keys.txt). The
// political history publishes data/history/place-keys.txt: each line a key,
// its place number (position in places.mit), the years it is shown and its
// name, a key such as "france" having versions "france.2", "france.3", ...
// for successive periods. Our key maps onto one or more published base keys
// ("low_countries = flanders burgundy"); of all their versions the one whose
// years hold the middle of the record's dates is taken, else the nearest.
// Until the list is published, places.mit is a placeholder and every key
// names place 1, with a warning.

const fs = require('fs');
const path = require('path');
const { SourceError } = require('../lib/errors.js');

const PUBLISHED = 'place-keys.txt';
const FIRST = 10000;
const LAST = 20030;

// Our keys: "key  what it stands for", or "key = a b | c  what ...": the
// published base keys a and b, or c when neither of them is published.
function readOwnKeys(file) {
  const keys = new Map();
  fs.readFileSync(file, 'utf8').split(/\r?\n/).forEach((raw, i) => {
    const line = raw.replace(/#.*$/, '').trim();
    if (!line) return;
    const m = /^([a-z0-9_]+)(?:\s*=\s*([a-z0-9_ |-]+?))?(?:\s{2,}.*)?$/.exec(line);
    if (!m) throw new SourceError(`place-keys.txt:${i + 1}: expected "key  description" or "key = published-key ..."`);
    if (keys.has(m[1])) throw new SourceError(`place-keys.txt:${i + 1}: key "${m[1]}" listed twice`);
    const groups = m[2] ? m[2].split('|').map((g) => g.trim().split(/\s+/).filter(Boolean)) : [[m[1]]];
    if (groups.some((g) => !g.length)) throw new SourceError(`place-keys.txt:${i + 1}: an empty choice`);
    keys.set(m[1], groups);
  });
  return keys;
}

// "1154.9" -> 11549
function year10(text) {
  const m = /^(\d{3,4})(?:\.(\d))?$/.exec(text);
  return m ? Number(m[1]) * 10 + (m[2] ? Number(m[2]) : 0) : NaN;
}

// The published list: base key -> its versions in file order.
function readPublished(file) {
  const bases = new Map();
  fs.readFileSync(file, 'utf8').split(/\r?\n/).forEach((raw, i) => {
    const line = raw.replace(/#.*$/, '').trim();
    if (!line) return;
    const m = /^([A-Za-z0-9_-]+)(?:\.(\d+))?\s+(\d+)\s+(\S+)-(\S+)(?:\s+(.*))?$/.exec(line);
    if (!m || Number.isNaN(year10(m[4])) || Number.isNaN(year10(m[5]))) {
      throw new SourceError(`${file}:${i + 1}: expected "key number first-last name"`);
    }
    const version = { key: m[2] ? `${m[1]}.${m[2]}` : m[1], n: Number(m[3]),
      d1: year10(m[4]), d2: year10(m[5]), name: m[6] || '' };
    if (!bases.has(m[1])) bases.set(m[1], []);
    bases.get(m[1]).push(version);
  });
  return bases;
}

// Records in places.mit (three lines each, up to the first short first line).
function placeCount(itemsDir) {
  const file = path.join(itemsDir, 'en', 'places.mit');
  if (!fs.existsSync(file)) return 0;
  const lines = fs.readFileSync(file, 'latin1').split('\r\n');
  let n = 0;
  for (let i = 0; i + 2 < lines.length && lines[i].trim().length >= 2; i += 3) n++;
  return n;
}

function clampDate(d) {
  return Math.min(LAST, Math.max(FIRST, d));
}

// The version for the middle of a record's dates: one that holds it, in the
// order the targets are listed, else the nearest.
function chooseVersion(versions, d1, d2) {
  const ref = Math.round((clampDate(d1) + clampDate(d2)) / 2);
  let best = null;
  let bestGap = Infinity;
  for (const v of versions) {
    const gap = ref < v.d1 ? v.d1 - ref : (ref > v.d2 ? ref - v.d2 : 0);
    if (gap < bestGap) {
      best = v;
      bestGap = gap;
    }
  }
  return best;
}

function loadPlaceResolver(srcDir, options = {}) {
  const historyDir = options.historyDir || path.join(srcDir, '..', 'history');
  const itemsDir = options.itemsDir || path.join(srcDir, '..', 'items');
  const own = readOwnKeys(path.join(srcDir, 'place-keys.txt'));
  const publishedFile = path.join(historyDir, PUBLISHED);
  const published = fs.existsSync(publishedFile) ? readPublished(publishedFile) : null;
  const count = placeCount(itemsDir);
  const used = new Set();
  const choices = [];

  // Each key takes the published targets of its first choice that has any;
  // a key with none fails, targets left out are noted.
  const targetsOf = new Map();
  const missing = [];
  if (published) {
    for (const [key, groups] of own) {
      const group = groups.find((g) => g.some((t) => published.has(t)));
      if (!group) {
        throw new SourceError(`place-keys.txt: "${key}" maps to ${groups.map((g) => g.join(' ')).join(' | ')}, ` +
          `none of which ${path.relative(srcDir, publishedFile)} holds: map it onto the published keys that now ` +
          'stand for that place');
      }
      for (const t of group) if (!published.has(t)) missing.push(`${key} = ${t}`);
      targetsOf.set(key, group.filter((t) => published.has(t)));
    }
  }

  function resolve(key, where, d1, d2) {
    if (!own.has(key)) throw new SourceError(`${where}: place key "${key}" is not listed in place-keys.txt`);
    used.add(key);
    if (!published) return 1;
    const versions = targetsOf.get(key).flatMap((t) => published.get(t));
    const v = chooseVersion(versions, d1, d2);
    if (v.n < 1 || v.n > count) {
      throw new SourceError(`${where}: place key "${v.key}" names place ${v.n}, places.mit holds ${count}`);
    }
    choices.push({ where, key, chosen: v });
    return v.n;
  }

  function report() {
    if (!published) {
      console.warn(`text: warning: no ${PUBLISHED} in ${path.relative(srcDir, historyDir)}; ` +
        'places.mit is still the placeholder, so every person and event names place 1');
    }
    if (missing.length) console.warn(`text: note: targets not published: ${missing.join(', ')}`);
    const unused = [...own.keys()].filter((k) => !used.has(k));
    if (unused.length) console.warn(`text: note: place keys listed but unused: ${unused.join(' ')}`);
  }

  return { resolve, report, choices, placeholder: !published };
}

module.exports = { loadPlaceResolver, readPublished, chooseVersion };
