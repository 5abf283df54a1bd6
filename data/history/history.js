'use strict';
// Owners over time: of every province and shape, and from them of every face;
// the sovereign above each nation; border grades between two faces.
const { SourceError } = require('./source');

// provinces: Map key -> { country, cells }, cells being the cells cut from the
// province: naming a province or a country names its cells too.
// Returns { provinces:Set, shapes:Set } for an item list.
function resolver(src, provinces) {
  const byCountry = new Map();
  for (const [key, p] of provinces) {
    if (!byCountry.has(p.country)) byCountry.set(p.country, []);
    byCountry.get(p.country).push(key);
  }
  const resolving = new Set();
  function resolve(items, where, holdings) {
    const out = { provinces: new Set(), shapes: new Set() };
    for (const raw of items) {
      const minus = raw.startsWith('-');
      const item = minus ? raw.slice(1) : raw;
      const part = { provinces: new Set(), shapes: new Set() };
      if (item.startsWith('@')) {
        // Everything the nation holds at that moment.
        const n = item.slice(1);
        if (!src.nations.has(n)) throw new SourceError(`${where}: unknown nation ${n}`);
        if (!holdings) throw new SourceError(`${where}: ${item} only in events`);
        holdings(n, part);
      } else if (/^[A-Z]{3}$/.test(item)) {
        // A country wholly off the map has no provinces here.
        for (const k of byCountry.get(item) || []) part.provinces.add(k);
      } else if (/^[A-Z]{3}:/.test(item)) {
        const key = item.replace(/_/g, ' ');
        if (!provinces.has(key)) throw new SourceError(`${where}: no province ${item}`);
        part.provinces.add(key);
      } else if (src.shapes.has(item)) {
        part.shapes.add(item);
      } else if (src.areas.has(item)) {
        if (resolving.has(item)) throw new SourceError(`${where}: area ${item} contains itself`);
        resolving.add(item);
        const sub = resolve(src.areas.get(item).items, src.areas.get(item).where, holdings);
        resolving.delete(item);
        sub.provinces.forEach((k) => part.provinces.add(k));
        sub.shapes.forEach((k) => part.shapes.add(k));
      } else {
        throw new SourceError(`${where}: unknown item ${item}`);
      }
      if (!item.startsWith('@'))
        for (const k of part.provinces) for (const c of provinces.get(k).cells || []) part.shapes.add(c);
      for (const k of part.provinces) minus ? out.provinces.delete(k) : out.provinces.add(k);
      for (const k of part.shapes) minus ? out.shapes.delete(k) : out.shapes.add(k);
    }
    return out;
  }
  return resolve;
}

// Timelines: arrays of [date10, owner or null], in date order, one entry per change.
// NONE holds land no one held (a none line): unlike null (a released shape), it
// keeps a shape from falling back to its province.
const NONE = '(none)';
function pushChange(tl, date, owner) {
  const last = tl[tl.length - 1];
  if (last && last[1] === owner) return;
  if (last && last[0] === date) {
    last[1] = owner;
    if (tl.length >= 2 && tl[tl.length - 2][1] === owner) tl.pop();
    return;
  }
  tl.push([date, owner]);
}

function ownerAt(tl, date) {
  let o = null;
  for (const [d, v] of tl) {
    if (d > date) break;
    o = v;
  }
  return o;
}

// onTake(ev, set), when given, sees every take and release with the provinces
// and shapes it resolved to, in the order they are applied.
function buildTimelines(src, provinces, onTake) {
  const resolve = resolver(src, provinces);
  const prov = new Map();
  const shape = new Map();
  for (const k of provinces.keys()) prov.set(k, []);
  for (const k of src.shapes.keys()) shape.set(k, []);
  // The lord above each nation, and the state each province is drawn as.
  const lords = new Map();
  const parts = new Map();
  for (const k of src.nations.keys()) {
    lords.set(k, []);
    parts.set(k, []);
  }
  for (const ev of src.events) {
    if (ev.kind === 'in') {
      if (!src.nations.has(ev.nation)) throw new SourceError(`${ev.where}: unknown nation ${ev.nation}`);
      if (ev.lord && !src.nations.has(ev.lord)) throw new SourceError(`${ev.where}: unknown nation ${ev.lord}`);
      pushChange(lords.get(ev.nation), ev.date, ev.lord);
      pushChange(parts.get(ev.nation), ev.date, ev.part ? ev.lord : null);
      continue;
    }
    const holdings = (n, part) => {
      for (const [k, t] of prov) if (t.length && t[t.length - 1][1] === n) part.provinces.add(k);
      for (const [k, t] of shape) if (t.length && t[t.length - 1][1] === n) part.shapes.add(k);
    };
    const set = resolve(ev.items, ev.where, holdings);
    if (onTake) onTake(ev, set);
    if (ev.kind === 'release') {
      if (set.provinces.size) throw new SourceError(`${ev.where}: only shapes can be released`);
      for (const s of set.shapes) pushChange(shape.get(s), ev.date, null);
      continue;
    }
    if (ev.owner && !src.nations.has(ev.owner)) throw new SourceError(`${ev.where}: unknown nation ${ev.owner}`);
    const owner = ev.owner || NONE;
    for (const k of set.provinces) pushChange(prov.get(k), ev.date, owner);
    for (const s of set.shapes) pushChange(shape.get(s), ev.date, owner);
  }
  const unowned = [...prov].filter(([, tl]) => !tl.length || tl[0][0] !== 10000).map(([k]) => k);
  // A lord must not lead back to the nation itself.
  const changeDates = new Set([10000]);
  for (const tl of lords.values()) tl.forEach(([d]) => changeDates.add(d));
  for (const d of changeDates)
    for (const n of lords.keys()) {
      const seen = new Set([n]);
      let cur = ownerAt(lords.get(n), d);
      while (cur) {
        if (seen.has(cur)) throw new SourceError(`nation ${n}: its overlords form a loop at ${d / 10}`);
        seen.add(cur);
        cur = ownerAt(lords.get(cur), d);
      }
    }
  return { prov, shape, lords, parts, unowned };
}

function sovereign(lords, nation, date) {
  let cur = nation;
  for (;;) {
    const up = ownerAt(lords.get(cur) || [], date);
    if (!up) return cur;
    cur = up;
  }
}

// The nation whose colour and name a holder's land shows at a date: the
// holder, or for a province the state it is part of.
function drawnOwner(parts, nation, date) {
  let cur = nation;
  for (let up; cur && (up = ownerAt(parts.get(cur) || [], date)); ) cur = up;
  return cur;
}

// A holder timeline as drawn: provinces become their states.
function drawnTimeline(parts, held) {
  if (!held.length) return held;
  const dates = new Set(held.map(([d]) => d));
  for (const tl of parts.values()) for (const [d] of tl) if (d > held[0][0]) dates.add(d);
  const out = [];
  for (const d of [...dates].sort((a, b) => a - b)) pushChange(out, d, drawnOwner(parts, ownerAt(held, d), d));
  return out;
}

// Owner timeline of a face: its shapes (the last defined that has an owner wins) over its province class.
function faceTimeline(classTl, shapeTls) {
  const dates = new Set(classTl.map(([d]) => d));
  for (const tl of shapeTls) tl.forEach(([d]) => dates.add(d));
  const out = [];
  for (const d of [...dates].sort((a, b) => a - b)) {
    let o = null;
    for (let i = shapeTls.length - 1; i >= 0 && !o; --i) o = ownerAt(shapeTls[i], d);
    if (!o) o = ownerAt(classTl, d);
    pushChange(out, d, o === NONE ? null : o);
  }
  return out;
}

// Grade of the border between two owners: 0 the same, 1 under one sovereign, 2 apart.
function grade(lords, a, b, date) {
  if (a === b) return 0;
  if (!a || !b) return 2;
  return sovereign(lords, a, date) === sovereign(lords, b, date) ? 1 : 2;
}

// State tokens of a border from the grades at each date: [[date10, grade]] -> "i10000 u12000 ...".
const STEP = { '0>1': 'i', '0>2': 's', '1>0': 'o', '2>0': 'k', '1>2': 'u', '2>1': 'd' };
function borderTokens(grades) {
  const out = [];
  let g = 0;
  for (const [d, ng] of grades) {
    if (ng === g) continue;
    out.push(STEP[`${g}>${ng}`] + d);
    g = ng;
  }
  return out;
}

module.exports = { resolver, buildTimelines, ownerAt, sovereign, drawnTimeline, faceTimeline, grade, borderTokens, pushChange, NONE };
