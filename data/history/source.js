'use strict';
// Reader of the history source: nations, areas and shapes, and the dated events.
//
//   nation KEY R,G,B NAME | GREEK NAME        a nation, its colour and first name
//     DATE NAME | GREEK NAME                  a later name of the same nation
//     eu DATE                                 member of the European Communities from DATE
//     home LON,LAT                            its label keeps near this point where it can
//     capital [YEAR] LON,LAT                  its capital (from YEAR, a year or a tenth, on); "none" for none
//   area KEY: ITEM ITEM ...                   a named set of items
//   shape KEY: LON,LAT LON,LAT ...            a drawn region (closed polygon)
//   line KEY: LON,LAT LON,LAT ...             a cut across provinces (drawn past their edges)
//   cell KEY: LON,LAT ...                     the pieces of the cut provinces holding these points
//   DATE OWNER: ITEM ITEM ...                 from DATE the items belong to OWNER
//   DATE none: ITEM ...                       from DATE the items belong to no one (empty land)
//   DATE release: SHAPE ...                   the shapes fall back to their provinces
//   DATE NATION in OVERLORD                   NATION has its own ruler under OVERLORD (thin borders)
//   DATE NATION part of STATE                 NATION is a province of STATE: drawn as STATE,
//                                             its name shown on a click as a region
//   DATE NATION free                          NATION is sovereign again
//
// An ITEM is a country code (ITA: every province of it), a province (ITA:Roma,
// blanks written as _), an area key, a shape key, or any of these after "-"
// (taken out of the items before it). Dates are years with at most one decimal,
// or days (1945-03-30) and months (1945-03), which take the tenth the text and
// the narrative give the same day.
// "#" starts a comment. Names use "]" where a map label breaks its line.
const fs = require('fs');
const path = require('path');
const { parseDate } = require('../text/dates.js');

// A date of the source: 1945, 1945.3, 1945-03 or 1945-03-30.
const DATE = '\\d{4}(?:\\.\\d|-\\d{2}(?:-\\d{2})?)?';

class SourceError extends Error {}

function date10(text, where) {
  if (!new RegExp(`^${DATE}$`).test(text)) throw new SourceError(`${where}: bad date "${text}"`);
  let d;
  try {
    d = parseDate(text, 'first');
  } catch (e) {
    throw new SourceError(`${where}: ${e.message}`);
  }
  if (d < 10000 || d > 20030) throw new SourceError(`${where}: date ${text} outside 1000.0..2003.0`);
  return d;
}

function splitNames(text, where) {
  const bar = text.indexOf('|');
  if (bar < 0) throw new SourceError(`${where}: a name needs its Greek form after "|"`);
  const en = text.slice(0, bar).trim();
  const el = text.slice(bar + 1).trim();
  if (!en || !el) throw new SourceError(`${where}: empty name`);
  return { en, el };
}

function points(text, where) {
  const pts = text.split(/\s+/).filter(Boolean).map((p) => {
    const xy = p.split(',').map(Number);
    if (xy.length !== 2 || xy.some((v) => !Number.isFinite(v))) throw new SourceError(`${where}: bad point "${p}"`);
    return xy;
  });
  if (!pts.length) throw new SourceError(`${where}: no points`);
  return pts;
}

function parseSource(texts) {
  const src = { nations: new Map(), areas: new Map(), shapes: new Map(), lines: new Map(), events: [] };
  let current = null;
  let order = 0;
  for (const { name: file, text } of texts) {
    text.split(/\r?\n/).forEach((raw, i) => {
      const where = `${file}:${i + 1}`;
      const line = raw.replace(/#.*$/, '').trimEnd();
      if (!line.trim()) return;
      const indented = /^\s/.test(line);
      const t = line.trim();
      if (indented) {
        if (!current) throw new SourceError(`${where}: indented line outside a nation`);
        let m;
        if ((m = /^eu\s+(\S+)$/.exec(t))) current.eu = date10(m[1], where);
        else if ((m = /^home\s+(\S+)$/.exec(t))) current.home = points(m[1], where)[0];
        else if ((m = /^capital\s+(?:(\d{4}(?:\.\d)?)\s+)?(\S+)$/.exec(t))) {
          const from = m[1] ? date10(m[1], where) : 0;
          const last = current.capitals[current.capitals.length - 1];
          if (last && from <= last.from) throw new SourceError(`${where}: capitals out of date order`);
          current.capitals.push({ from, at: m[2] === 'none' ? null : points(m[2], where)[0], where });
        }
        else if ((m = new RegExp(`^(${DATE})\\s+(.+)$`).exec(t))) {
          const d = date10(m[1], where);
          const last = current.names[current.names.length - 1];
          if (d <= last.from) throw new SourceError(`${where}: names out of date order`);
          current.names.push({ from: d, ...splitNames(m[2], where) });
        } else throw new SourceError(`${where}: cannot read "${t}"`);
        return;
      }
      current = null;
      let m;
      if ((m = /^nation\s+([a-z][a-z0-9-]*)\s+(\d+),(\d+),(\d+)\s+(.+)$/.exec(t))) {
        const key = m[1];
        if (src.nations.has(key)) throw new SourceError(`${where}: nation ${key} defined twice`);
        if (key === 'none' || key === 'release') throw new SourceError(`${where}: ${key} is not a nation's name`);
        const rgb = [m[2], m[3], m[4]].map(Number);
        if (rgb.some((c) => c > 255)) throw new SourceError(`${where}: colour channel above 255`);
        current = { key, rgb, names: [{ from: 0, ...splitNames(m[5], where) }], capitals: [], eu: 0, order: order++, where };
        src.nations.set(key, current);
      } else if ((m = /^area\s+([a-z][a-z0-9-]*):\s*(.*)$/.exec(t))) {
        if (src.areas.has(m[1]) || src.shapes.has(m[1]) || src.lines.has(m[1])) throw new SourceError(`${where}: ${m[1]} defined twice`);
        src.areas.set(m[1], { items: m[2].split(/\s+/).filter(Boolean), where });
      } else if ((m = /^shape\s+([a-z][a-z0-9-]*):\s*(.*)$/.exec(t))) {
        if (src.areas.has(m[1]) || src.shapes.has(m[1]) || src.lines.has(m[1])) throw new SourceError(`${where}: ${m[1]} defined twice`);
        const pts = points(m[2], where);
        if (pts.length < 3) throw new SourceError(`${where}: a shape needs three points or more`);
        src.shapes.set(m[1], { pts, id: src.shapes.size + 1, where });
      } else if ((m = /^(line|cell)\s+([a-z][a-z0-9-]*):\s*(.*)$/.exec(t))) {
        const key = m[2];
        if (src.areas.has(key) || src.shapes.has(key) || src.lines.has(key)) throw new SourceError(`${where}: ${key} defined twice`);
        const pts = points(m[3], where);
        if (m[1] === 'line') {
          if (pts.length < 2) throw new SourceError(`${where}: a line needs two points or more`);
          src.lines.set(key, { pts, where });
        } else {
          src.shapes.set(key, { pts, cell: true, id: src.shapes.size + 1, where });
        }
      } else if ((m = new RegExp(`^(${DATE})\\s+([a-z][a-z0-9-]*)\\s+in\\s+([a-z][a-z0-9-]*)$`).exec(t))) {
        src.events.push({ kind: 'in', date: date10(m[1], where), nation: m[2], lord: m[3], where, seq: src.events.length });
      } else if ((m = new RegExp(`^(${DATE})\\s+([a-z][a-z0-9-]*)\\s+part\\s+of\\s+([a-z][a-z0-9-]*)$`).exec(t))) {
        src.events.push({ kind: 'in', date: date10(m[1], where), nation: m[2], lord: m[3], part: true, where, seq: src.events.length });
      } else if ((m = new RegExp(`^(${DATE})\\s+([a-z][a-z0-9-]*)\\s+free$`).exec(t))) {
        src.events.push({ kind: 'in', date: date10(m[1], where), nation: m[2], lord: null, where, seq: src.events.length });
      } else if ((m = new RegExp(`^(${DATE})\\s+([a-z][a-z0-9-]*):\\s*(.*)$`).exec(t))) {
        const items = m[3].split(/\s+/).filter(Boolean);
        if (!items.length) throw new SourceError(`${where}: no items`);
        const kind = m[2] === 'release' ? 'release' : 'take';
        src.events.push({ kind, date: date10(m[1], where), owner: m[2] === 'none' ? null : m[2], items, where, seq: src.events.length });
      } else {
        throw new SourceError(`${where}: cannot read "${t}"`);
      }
    });
  }
  src.events.sort((a, b) => a.date - b.date || a.seq - b.seq);
  return src;
}

// The list of accepted detached pieces lives with the sources but is read by the checks.
const DETACHED = 'detached.txt';

function readSourceDir(dir) {
  const files = fs.readdirSync(dir).filter((f) => f.endsWith('.txt') && f !== DETACHED).sort();
  return files.map((f) => ({ name: f, text: fs.readFileSync(path.join(dir, f), 'utf8') }));
}

module.exports = { parseSource, readSourceDir, SourceError, date10, DETACHED };
