'use strict';
// Country labels: where each nation's name goes over time, in both languages.
// A name goes on the home, the piece of land holding the nation's capital (with
// the land within a short crossing of it), whenever that piece can hold it; a
// far piece that shows the name at a wider zoom than the home can carries a
// second label.
const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');
const { toMap } = require('../geo/projection');
const { ownerAt } = require('./history');
const { inFace } = require('./seal');
const { SourceError } = require('./source');

const FRAME = 35900;
const LAST = 20030;

// Advance widths of the map's serif face in em, by letter; other letters by
// case.
const WIDTHS = {
  ' ': 0.25, A: 0.722, B: 0.667, C: 0.667, D: 0.722, E: 0.611, F: 0.556, G: 0.722, H: 0.722, I: 0.333, J: 0.389,
  K: 0.722, L: 0.611, M: 0.889, N: 0.722, O: 0.722, P: 0.556, Q: 0.722, R: 0.667, S: 0.556, T: 0.611, U: 0.722,
  V: 0.722, W: 0.944, X: 0.722, Y: 0.722, Z: 0.611, a: 0.444, b: 0.5, c: 0.444, d: 0.5, e: 0.444, f: 0.333, g: 0.5,
  h: 0.5, i: 0.278, j: 0.278, k: 0.5, l: 0.278, m: 0.778, n: 0.5, o: 0.5, p: 0.5, q: 0.5, r: 0.333, s: 0.389, t: 0.278,
  u: 0.5, v: 0.5, w: 0.722, x: 0.5, y: 0.5, z: 0.444, '-': 0.333, '.': 0.25, ',': 0.25, '(': 0.333, ')': 0.333,
  "'": 0.333,
  Α: 0.722, Β: 0.667, Γ: 0.578, Δ: 0.643, Ε: 0.611, Ζ: 0.611, Η: 0.722, Θ: 0.722, Ι: 0.333, Κ: 0.722, Λ: 0.725, Μ: 0.889,
  Ν: 0.722, Ξ: 0.643, Ο: 0.722, Π: 0.722, Ρ: 0.556, Σ: 0.582, Τ: 0.611, Υ: 0.722, Φ: 0.731, Χ: 0.722, Ψ: 0.738, Ω: 0.743,
  α: 0.524, β: 0.509, γ: 0.442, δ: 0.471, ε: 0.42, ζ: 0.414, η: 0.523, θ: 0.479, ι: 0.269, κ: 0.504, λ: 0.485, μ: 0.536,
  ν: 0.452, ξ: 0.446, ο: 0.5, π: 0.505, ρ: 0.499, σ: 0.539, ς: 0.396, τ: 0.402, υ: 0.495, φ: 0.577, χ: 0.444, ψ: 0.626,
  ω: 0.658,
};
function emWidth(text) {
  let w = 0;
  for (const ch of text) {
    const base = ch.normalize('NFD')[0];
    w += WIDTHS[base] || (base === base.toLowerCase() ? 0.5 : 0.69);
  }
  return w;
}

// A map label's box in em, a twentieth over for the rounding of sizes and
// widths: lines 1.2 em apart (the serif faces' line height), 0.9 em above the
// first baseline and 0.22 below the last. `text` is the name as laid out.
function labelBox(name) {
  let shown = name;
  const cut = shown.indexOf('^', 1);
  if (cut > 0) shown = shown.slice(0, cut);
  if (shown.startsWith('^')) shown = shown.slice(1);
  const lines = shown.split(']');
  const width = 1.05 * Math.max(...lines.map(emWidth)) + 0.1;
  const height = 1.05 * ((lines.length - 1) * 1.2 + 1.12);
  return { text: name, width, height, aspect: width / height };
}

// A name's layouts, fewest lines first: the author's lines, then, up to four
// lines, the widest line broken again at the space that leaves the wider of its
// halves narrowest ("Kingdom of]Sicily", "Kingdom]of]Sicily").
const MOST_LINES = 4;
function layouts(name) {
  const out = [name];
  if (name.includes('^')) return out;
  let lines = name.split(']');
  while (lines.length < MOST_LINES) {
    const widths = lines.map(emWidth);
    const i = widths.indexOf(Math.max(...widths));
    const words = lines[i].split(' ');
    let best = null;
    for (let k = 1; k < words.length; ++k) {
      const halves = [words.slice(0, k).join(' '), words.slice(k).join(' ')];
      const w = Math.max(...halves.map(emWidth));
      if (!best || w < best.w) best = { w, halves };
    }
    if (!best) break;
    lines = [...lines.slice(0, i), ...best.halves, ...lines.slice(i + 1)];
    out.push(lines.join(']'));
  }
  return out;
}

// The program draws a label of size factor f at the scale 0.8^z in Round(18 *
// 0.8^z * f) pixels, and none of 8 pixels or less. The smallest factor drawn
// at the closest zoom (7), the default zoom (13) and the whole-atlas view (16):
// 3, 9 and 17.
function smallestDrawn(zoom) {
  let f = 1;
  while (Math.round(18 * Math.pow(0.8, zoom) * f) <= 8) ++f;
  return f;
}
const DEFAULT_ZOOM = 13;
const DRAWN = [7, DEFAULT_ZOOM, 16].map(smallestDrawn);
// How many of those views show a label of size factor f.
function shownIn(f) { return DRAWN.filter((t) => f >= t).length; }

// Size factor of a box of half height `half` for a name's shape (above 40 drawn at 40).
function sizeOf(half, text) { return Math.max(1, Math.min(40, Math.floor((2 * half) / (18 * text.height)))); }

// The label on the home: in the polygon of the heartland point (else of the
// capital) when its largest box is shown in as many views as the home's
// largest; there, the box about the heartland point when it comes near that
// box's size (sizes above 40 are drawn at 40) and is shown as widely. Its
// middle, half height and size.
// A label the map as it opens (zoom 13 about 10500,12000 on the 1111 x 779
// canvas of a full-HD screen) would leave out gives way to the heartland's
// when that one lies in it and is drawn at that zoom.
const HOME_SIZE_KEPT = 26;
const OPEN = { x: 10500, y: 12000, hw: 555 / Math.pow(0.8, DEFAULT_ZOOM), hh: 389 / Math.pow(0.8, DEFAULT_ZOOM) };
const opened = (x, y) => Math.abs(x - OPEN.x) < OPEN.hw && Math.abs(y - OPEN.y) < OPEN.hh;
function homeLabel([bx, by, k, px, py, pk, hx, hy, hk], text) {
  let label = { x: bx, y: by, half: k, size: sizeOf(k, text) };
  const own = sizeOf(pk, text), near = sizeOf(hk, text);
  if (shownIn(own) >= shownIn(label.size)) label = { x: px, y: py, half: pk, size: own };
  if ((near >= 0.7 * label.size || near >= HOME_SIZE_KEPT) && shownIn(near) >= shownIn(label.size)) label = { x: hx, y: hy, half: hk, size: near };
  else if (!opened(label.x, label.y) && opened(hx, hy) && near >= smallestDrawn(DEFAULT_ZOOM)) label = { x: hx, y: hy, half: hk, size: near };
  return label;
}

function farLabel([x, y, k], text) { return { x, y, half: k, size: sizeOf(k, text) }; }

// For each language, the label of its first layout, or of a later one (more
// lines) shown in more views. `texts` holds each language's layouts, in the
// order of the boxes of the answer.
function pickLayouts(boxes, texts, label) {
  let at = 0;
  return texts.map((list) => {
    let best = null;
    list.forEach((t, j) => {
      const l = { ...label(boxes[at + j], t), layout: j };
      if (!best || shownIn(l.size) > shownIn(best.size)) best = l;
    });
    at += list.length;
    return best;
  });
}

// The labels of one territory from the geometry tool's answer: the home's, and
// the far piece's when it shows the name in more views than the home does in
// either language; the far piece's alone when there is no home.
function choose(m, texts) {
  const home = m.home && pickLayouts(m.home.boxes, texts, homeLabel);
  const far = m.far && pickLayouts(m.far.boxes, texts, farLabel);
  const track = (part, labels, faces) => ({ cx: part.cx, cy: part.cy, r: part.r, box: part.box, labels, faces });
  if (!home) return far ? [track(m.far, far, m.farFaces)] : [];
  const out = [track(m.home, home, m.homeFaces)];
  if (far && texts.some((_, k) => shownIn(far[k].size) > shownIn(home[k].size))) out.push(track(m.far, far, m.farFaces));
  return out;
}

// One answer line of the geometry tool: "key;home;far;home faces;far faces".
function parseAnswer(line, aspects) {
  const f = line.split(';');
  if (f.length !== 5) return null;
  const nums = (t) => t.trim().split(/\s+/).filter(Boolean).map(Number);
  const part = (t, per) => {
    const v = nums(t);
    if (v.length !== 7 + per * aspects) return null;
    return { cx: v[0], cy: v[1], r: v[2], box: v.slice(3, 7),
      boxes: Array.from({ length: aspects }, (_, k) => v.slice(7 + per * k, 7 + per * (k + 1))) };
  };
  return { key: f[0], home: part(f[1], 9), far: part(f[2], 3), homeFaces: nums(f[3]), farFaces: nums(f[4]) };
}

function runTool(tool, facesWkt, file, lines) {
  fs.writeFileSync(file, lines.join('\n') + '\n');
  return execFileSync(tool, ['labels', facesWkt, file], { maxBuffer: 1 << 30, stdio: ['ignore', 'pipe', 'inherit'] })
    .toString().split('\n').filter(Boolean);
}

// The capital in force at a date: the entry, its point on the map (null for
// none, or beyond the map's frame).
function capitalAt(n, d) {
  const c = n.capitals.filter((e) => e.from <= d).pop();
  if (!c) return null;
  const at = c.at && toMap(c.at[0], c.at[1]);
  return { entry: c, at: at && at.every((v) => v >= 1 && v <= FRAME) ? at : null };
}

const pointArg = (p) => p.map((v) => v.toFixed(1)).join(',');

// What is wrong with the capital of a nation holding the faces `set` at date
// d: none given, or one outside that land; null when nothing is.
function capitalFault(n, d, capital, set, faces, facePolys) {
  if (!capital) return `${d / 10}: ${n.key} holds land and has no capital (${n.where})`;
  if (!capital.at || set.some((fi) => inFace(facePolys[fi], ...capital.at))) return null;
  const fi = facePolys.findIndex((p) => p && inFace(p, ...capital.at));
  const where = fi < 0 ? 'no land' : `the land of ${ownerAt(faces[fi].tl, d) || 'no nation'}`;
  return `${d / 10}: the capital of ${n.key}, ${capital.entry.at.join(',')}, lies in ${where} (${capital.entry.where})`;
}

// Label places of every nation, each with its point and size in both languages.
// Refuses a nation that holds land without a capital, or whose capital lies
// outside its land.
function labelPlaces(nations, faces, facePolys, tool, facesWkt, workDir) {
  // The dates each nation's territory, name or capital changes.
  const nationDates = new Map(nations.map((n) => [n.key, new Set([...n.names, ...n.capitals].map((e) => Math.max(e.from, 10000)))]));
  faces.forEach((face) => {
    if (!face) return;
    let prev = null;
    for (const [d, o] of face.tl) {
      if (prev) nationDates.get(prev).add(d);
      if (o) nationDates.get(o).add(d);
      prev = o;
    }
  });
  const faults = [];
  const requests = [];
  const stateById = new Map();
  for (const n of nations) {
    const ds = [...nationDates.get(n.key)].sort((a, b) => a - b);
    const hint = n.home && toMap(n.home[0], n.home[1]);
    n.states = [];
    let last = null;
    for (const d of ds) {
      const set = [];
      faces.forEach((face, fi) => { if (face && ownerAt(face.tl, d) === n.key) set.push(fi); });
      const era = n.names.filter((e) => e.from <= d).length - 1;
      const capital = capitalAt(n, d);
      const key = set.join(' ');
      if (last && last.key === key && last.era === era && last.capital.entry === (capital && capital.entry)) continue;
      const fault = set.length && capitalFault(n, d, capital, set, faces, facePolys);
      if (fault) faults.push(fault);
      last = { date: d, set, key, era, capital: capital || { entry: null, at: null }, id: `${n.key}#${n.states.length}` };
      // Without a capital on the map the heartland point anchors the home.
      last.anchor = last.capital.at || hint;
      last.anchorFace = last.anchor ? set.find((fi) => inFace(facePolys[fi], ...last.anchor)) : undefined;
      n.states.push(last);
      last.texts = ['en', 'el'].map((lang) => layouts(n.names[era][lang]).map(labelBox));
      stateById.set(last.id, last);
      if (set.length) requests.push(request(last.id, last.anchor, hint, last.texts.flat(), set));
    }
  }
  if (faults.length) throw new SourceError(`capitals:\n  ${faults.slice(0, 60).join('\n  ')}${faults.length > 60 ? `\n  ... ${faults.length - 60} more` : ''}`);
  const lab = new Map();
  for (const line of runTool(tool, facesWkt, path.join(workDir, 'label-requests.txt'), requests)) {
    const { texts } = stateById.get(line.slice(0, line.indexOf(';'))) || { texts: [] };
    const m = parseAnswer(line, texts.flat().length);
    if (m) lab.set(m.key, choose(m, texts));
  }

  // Label places: a label stays while its point stays well inside and the
  // largest box of its name stays about where and as large as it was; the home
  // label and the far one each make their own places.
  let places = [];
  for (const n of nations) {
    const segs = [null, null];
    const close = (t, d) => { if (segs[t]) { segs[t].to = d; places.push(segs[t]); segs[t] = null; } };
    for (const s of n.states) {
      const tracks = lab.get(s.id) || [];
      for (let t = 0; t < 2; ++t) {
        const m = tracks[t];
        if (!m) { close(t, s.date); continue; }
        const seg = segs[t];
        // A home label stays while the home holds the face of the capital it was placed from.
        const anchored = !t && s.anchorFace !== undefined && m.faces.includes(s.anchorFace);
        const keep = seg && seg.era === s.era && Boolean(seg.anchor) === anchored && (!anchored || m.faces.includes(seg.anchorFace)) &&
          Math.hypot(seg.cx - m.cx, seg.cy - m.cy) < 0.6 * m.r &&
          seg.r < 1.7 * m.r && m.r < 1.7 * seg.r &&
          seg.labels.every((l, k) => l.layout === m.labels[k].layout && Math.hypot(l.x - m.labels[k].x, l.y - m.labels[k].y) < l.half &&
            Math.abs(l.half - m.labels[k].half) < 0.15 * l.half);
        if (keep) {
          seg.box = unionBox(seg.box, m.box);
          const held = new Set(m.faces);
          const common = seg.common.filter((f) => held.has(f));
          if (common.length) seg.common = common;
          continue;
        }
        close(t, s.date);
        segs[t] = { nation: n, era: s.era, track: t, from: s.date, anchor: anchored ? s.anchor : null, anchorFace: s.anchorFace,
          cx: m.cx, cy: m.cy, r: m.r, box: m.box.slice(), common: m.faces.slice(), labels: m.labels,
          text: m.labels.map((l, k) => [s.texts[k][l.layout]]) };
      }
    }
    close(0, LAST + 1);
    close(1, LAST + 1);
  }
  places.sort((a, b) => a.nation.order - b.nation.order || a.from - b.from || a.track - b.track);

  // Each label as large as its land held all its time can hold, in each
  // language: the largest box of the name's shape inside that land.
  const boxes = (list, file) => {
    const req = list.map((p, i) => {
      const hint = p.nation.home && toMap(p.nation.home[0], p.nation.home[1]);
      return request(i, p.anchor, p.anchor && hint, p.text.flat(), p.common);
    });
    const out = list.map(() => null);
    for (const line of runTool(tool, facesWkt, path.join(workDir, file), req)) {
      const m = parseAnswer(line, 2);
      if (!m) continue;
      const p = list[Number(m.key)];
      [out[Number(m.key)]] = choose(p.anchor ? m : { ...m, home: null }, p.text);
    }
    return out;
  };
  boxes(places, 'label-boxes.txt').forEach((chosen, i) => placeLabel(places[i], chosen));
  // Two places of a label in a row become one where the land both hold keeps
  // the name as large in both languages: the label moved, or grew for a while.
  const before = places.length;
  for (;;) {
    const pairs = joinable(places);
    const chosen = pairs.length ? boxes(pairs, 'label-joins.txt') : [];
    const joined = pairs.map((pair, i) => ({ ...pair, chosen: chosen[i] })).filter(({ p, q, chosen: c }) =>
      c && c.labels.every((l, k) => l.size >= Math.max(p.labels[k].size, q.labels[k].size)));
    if (!joined.length) break;
    for (const { p, q, common, chosen: c } of joined) {
      p.to = q.to;
      p.box = unionBox(p.box, q.box);
      p.common = common;
      placeLabel(p, c);
    }
    const gone = new Set(joined.map(({ q }) => q));
    places = places.filter((p) => !gone.has(p));
  }
  // A second label names the state, not the far land: its box spans the home's
  // too, so that a click on a province there names the province.
  for (const far of places.filter((p) => p.track)) {
    for (const p of places) {
      if (p.nation === far.nation && !p.track && p.from < far.to && far.from < p.to) far.box = unionBox(far.box, p.box);
    }
  }
  log(`places: ${places.length} (${before - places.length} joined to the one before), ${places.filter((p) => p.track).length} of them second labels on far land`);
  if (places.length > 1200) throw new SourceError(`${places.length} places: more than 1200`);
  return places;
}

// A label place's name in each language, with the lines it is laid out in.
const shownNames = (p) => p.text.map(([t]) => t.text);

// Pairs of places in a row of one nation's label: one name, one anchor (the
// capital and its face), and land both hold; a place joins one pair a round.
function joinable(places) {
  const pairs = [];
  const last = new Map();
  const paired = new Set();
  for (const q of places) {
    const k = `${q.nation.key} ${q.track}`;
    const p = last.get(k);
    last.set(k, q);
    if (!p || paired.has(p) || p.to !== q.from || p.era !== q.era || String(shownNames(p)) !== String(shownNames(q)) ||
      String(p.anchor) !== String(q.anchor) || (p.anchor && p.anchorFace !== q.anchorFace)) continue;
    const common = p.common.filter((f) => q.common.includes(f));
    if (!common.length) continue;
    paired.add(p).add(q);
    pairs.push({ p, q, nation: p.nation, anchor: p.anchor, text: p.text, common });
  }
  return pairs;
}

const unionBox = (a, b) => [Math.min(a[0], b[0]), Math.min(a[1], b[1]), Math.max(a[2], b[2]), Math.max(a[3], b[3])];

function placeLabel(p, chosen) {
  if (!chosen) return;
  p.cx = chosen.cx;
  p.cy = chosen.cy;
  p.labels = chosen.labels.map(({ x, y, size }) =>
    // The box's middle lies 0.34 of the size above the first baseline's point.
    ({ x: Math.round(x), y: Math.round(y + 0.34 * 18 * size), size }));
}

function request(id, anchor, hint, texts, set) {
  return `${id}${anchor ? ` @${pointArg(anchor)}` : ''}${hint ? ` ~${pointArg(hint)}` : ''} =${texts.map((t) => t.aspect.toFixed(4)).join(',')} ${set.join(' ')}`;
}

function log(m) { console.log(m); }

module.exports = { labelPlaces, choose, joinable, layouts, labelBox, shownNames, capitalAt, capitalFault, parseAnswer, runTool };
