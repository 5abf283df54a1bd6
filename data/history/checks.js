'use strict';
// Checks of the compiled history, each stopping the build with the date, the
// nations, a map point and the source lines of what it finds:
// - conflicts: no province, cell or shape handed to two nations by two lines
//   of one date (the result would hang on the order of the lines);
// - detached pieces: every piece of a nation cut off from its main piece (by
//   more than a short sea crossing), and the main piece of a nation that holds
//   only a small one or one enclosed by another nation, is named in the list of
//   accepted pieces (src/detached.txt) for that date, with its reason, and
//   every entry there accepts a piece;
// - water: every lake and sea of the geography holds a water seed and no land
//   does (the land the territories are cut from leaves out all water, so no
//   fill point of a nation lies on it);
// - lost borders: no face drawn with one province's history over land the
//   sources give another.
const { fromMap, toMap } = require('../geo/projection');
const { SourceError, date10 } = require('./source');
const { insidePolygon } = require('./polygon');
const { inFace, segDist, segmentGrid } = require('./seal');
const { ownerAt } = require('./history');

// Map units (40 km): the widest strait a piece may lie across from the rest of
// its nation and still count as joined (Dover 34 km, Otranto 72 km).
const CROSSING = 160;
// Square map units (2000 km2): a nation whose main piece is smaller is listed
// (city states, islets, a last remnant).
const SMALL = 32000;
// A main piece with this share of its outline on one other nation's land lies
// inside that nation.
const ENCLOSED = 0.9;
// Square map units (250 km2, the least lake the geography keeps): a water face
// this large must hold a water seed.
const WATER_MIN = 4000;

const REASONS = ['exclave', 'enclave', 'island', 'colony', 'overseas', 'small', 'group'];
// The map's frame in map units (its inner edge: land there runs on beyond it).
const FRAME = [1.5, 35899.5];

const year = (d) => (d / 10).toFixed(1);
const km2 = (a) => Math.round(a * 0.0625);

// "LON,LAT (map X,Y)" of a map point.
function where(p) {
  const [lon, lat] = fromMap(p[0], p[1]);
  return `${lon.toFixed(2)},${lat.toFixed(2)} (map ${Math.round(p[0])},${Math.round(p[1])})`;
}

// A point inside the largest of the polygons (each a list of rings of map
// points): of a lattice over its box (whose middle point is the box's), the
// inside point nearest the middle.
function insidePoint(polys) {
  let best = null, bestArea = -1;
  for (const rings of polys) {
    let a = 0;
    const r = rings[0];
    for (let i = 1; i < r.length; ++i) a += r[i - 1][0] * r[i][1] - r[i][0] * r[i - 1][1];
    if (Math.abs(a) > bestArea) { bestArea = Math.abs(a); best = rings; }
  }
  const xs = best[0].map((p) => p[0]), ys = best[0].map((p) => p[1]);
  const [x1, x2, y1, y2] = [Math.min(...xs), Math.max(...xs), Math.min(...ys), Math.max(...ys)];
  const mid = [(x1 + x2) / 2, (y1 + y2) / 2];
  let out = best[0][0], d = Infinity;
  for (let i = 0; i <= 16; ++i)
    for (let j = 0; j <= 16; ++j) {
      const p = [x1 + ((x2 - x1) * (i + 0.5)) / 17, y1 + ((y2 - y1) * (j + 0.5)) / 17];
      const e = Math.hypot(p[0] - mid[0], p[1] - mid[1]);
      if (e < d && insidePolygon(best, p[0], p[1])) { out = p; d = e; }
    }
  return out;
}

// Conflicts. Collect every take and release as the timelines apply them
// (history.js buildTimelines' onTake), then ask for the faults; pointOf(kind,
// key) gives a map point of a province or shape.
function conflictCheck(pointOf) {
  const byDate = new Map();
  return {
    onTake(ev, set) {
      if (!byDate.has(ev.date)) byDate.set(ev.date, []);
      byDate.get(ev.date).push({ owner: ev.kind === 'release' ? null : ev.owner, where: ev.where, set });
    },
    faults() {
      const out = [];
      for (const [date, takes] of byDate) {
        const first = new Map();
        const pairs = new Map();
        for (const t of takes)
          for (const [kind, keys] of [['province', t.set.provinces], ['shape', t.set.shapes]])
            for (const key of keys) {
              const id = `${kind} ${key}`;
              const f = first.get(id);
              if (!f) { first.set(id, t); continue; }
              if (f.owner === t.owner) continue;
              const pk = `${f.where} ${t.where}`;
              if (!pairs.has(pk)) pairs.set(pk, { date, a: f, b: t, kind, key, n: 0 });
              ++pairs.get(pk).n;
            }
        out.push(...pairs.values());
      }
      return out.sort((x, y) => x.date - y.date).map((c) => {
        const name = (t) => `${t.owner || 'no nation'} by ${t.where}`;
        return `${year(c.date)}: ${c.key} given to ${name(c.a)} and to ${name(c.b)}, at ${where(pointOf(c.kind, c.key))}` +
          (c.n > 1 ? ` (and ${c.n - 1} more)` : '');
      });
    },
  };
}

// The accepted pieces: "NATION FROM-TO LON,LAT REASON: note", TO left out for
// a piece held to the end; a piece is accepted for FROM <= date < TO.
function parseDetached(text, file) {
  const out = [];
  text.split(/\r?\n/).forEach((raw, i) => {
    const at = `${file}:${i + 1}`;
    const line = raw.replace(/#.*$/, '').trim();
    if (!line) return;
    const m = /^([a-z][a-z0-9-]*)\s+([0-9.-]+?)-([0-9.-]*)\s+(-?[\d.]+),(-?[\d.]+)\s+([a-z]+):\s*(\S.*)$/.exec(line);
    if (!m) throw new SourceError(`${at}: cannot read "${line}"`);
    if (!REASONS.includes(m[6])) throw new SourceError(`${at}: reason "${m[6]}" is none of ${REASONS.join(', ')}`);
    const from = date10(m[2], at), to = m[3] ? date10(m[3], at) : Infinity;
    if (to <= from) throw new SourceError(`${at}: ends before it begins`);
    out.push({ nation: m[1], from, to, pt: toMap(Number(m[4]), Number(m[5])), reason: m[6], note: m[7], where: at });
  });
  return out;
}

// Pairs of faces within reach of each other (map units), by their outlines.
function nearFaces(facePolys, reach) {
  const grid = segmentGrid();
  facePolys.forEach((polys, f) => {
    if (!polys) return;
    for (const p of polys)
      for (const ring of p.rings) for (let i = 1; i < ring.length; ++i) grid.add(f, ...ring[i - 1], ...ring[i]);
  });
  const pairs = new Set();
  facePolys.forEach((polys, f) => {
    if (!polys) return;
    for (const p of polys)
      for (const ring of p.rings)
        for (const [x, y] of ring)
          grid.visit(x, y, reach, (g, ax, ay, bx, by) => {
            if (g !== f && !pairs.has(f < g ? `${f} ${g}` : `${g} ${f}`) && segDist(x, y, ax, ay, bx, by) <= reach)
              pairs.add(f < g ? `${f} ${g}` : `${g} ${f}`);
          });
  });
  return [...pairs].map((k) => k.split(' ').map(Number));
}

function ringLength(ring) {
  let n = 0;
  for (let i = 1; i < ring.length; ++i) n += Math.hypot(ring[i][0] - ring[i - 1][0], ring[i][1] - ring[i - 1][1]);
  return n;
}

// The pieces each nation holds at each date that must be listed: every piece
// but the main one (the piece holding the nation's home point, else its
// largest), and the main one too when it is small or inside another nation.
// Land the map's frame cuts off joins beyond it: a nation's faces on the frame
// count as one piece.
// faces: [{ tl, area, cx, cy }]; adjacency: the geometry tool's N records;
// homes: Map nation -> map point. Returns [{ date, nation, faces, area, at, why }].
function detachedPieces({ faces, facePolys, adjacency, dates, homes }) {
  const links = nearFaces(facePolys, CROSSING);
  const edges = faces.map(() => []);
  for (const e of adjacency) {
    const len = Math.hypot(e.q[0] - e.p[0], e.q[1] - e.p[1]);
    edges[e.a].push([e.b, len]);
    if (e.b >= 0) edges[e.b].push([e.a, len]);
  }
  const perimeter = facePolys.map((polys) => (polys ? polys.reduce((n, p) => n + p.rings.reduce((m, r) => m + ringLength(r), 0), 0) : 0));
  const onFrame = facePolys.map((polys) => !!polys && polys.some((p) => p.rings[0].some(([x, y]) =>
    x <= FRAME[0] || x >= FRAME[1] || y <= FRAME[0] || y >= FRAME[1])));
  const homeFace = new Map();
  for (const [n, pt] of homes) homeFace.set(n, facePolys.findIndex((polys) => polys && inFace(polys, pt[0], pt[1])));
  const out = [];
  for (const date of dates) {
    const owner = faces.map((f) => (f ? ownerAt(f.tl, date) : null));
    const root = faces.map((_, i) => i);
    const find = (i) => (root[i] === i ? i : (root[i] = find(root[i])));
    for (const [a, b] of links) if (owner[a] && owner[a] === owner[b]) root[find(a)] = find(b);
    const framed = new Map();
    onFrame.forEach((on, f) => {
      if (!on || !owner[f]) return;
      if (framed.has(owner[f])) root[find(f)] = find(framed.get(owner[f]));
      else framed.set(owner[f], f);
    });
    const pieces = new Map();
    faces.forEach((f, i) => {
      if (!owner[i]) return;
      const r = find(i);
      if (!pieces.has(r)) pieces.set(r, { nation: owner[i], faces: [], area: 0 });
      const p = pieces.get(r);
      p.faces.push(i);
      p.area += f.area;
    });
    const byNation = new Map();
    for (const p of pieces.values()) {
      if (!byNation.has(p.nation)) byNation.set(p.nation, []);
      byNation.get(p.nation).push(p);
    }
    for (const [nation, list] of byNation) {
      const hf = homeFace.get(nation);
      let main = hf >= 0 ? list.find((p) => p.faces.includes(hf)) : null;
      if (!main) main = list.reduce((m, p) => (p.area > m.area ? p : m));
      for (const p of list) {
        let why = p === main ? null : 'detached';
        if (p === main && p.area < SMALL) why = 'small';
        if (p === main && !why) {
          const held = new Set(p.faces);
          const shared = new Map();
          let outline = 0;
          for (const f of p.faces) {
            outline += perimeter[f];
            for (const [g, len] of edges[f]) {
              if (held.has(g)) { outline -= len; continue; }
              const o = g >= 0 ? owner[g] : null;
              if (o && o !== nation) shared.set(o, (shared.get(o) || 0) + len);
            }
          }
          if (Math.max(0, ...shared.values()) >= ENCLOSED * outline) why = 'enclosed';
        }
        if (!why) continue;
        const big = p.faces.reduce((m, f) => (faces[f].area > faces[m].area ? f : m));
        out.push({ date, nation, faces: p.faces.sort((x, y) => x - y), area: p.area, at: [faces[big].cx, faces[big].cy], big, why });
      }
    }
  }
  return out;
}

// The pieces no entry accepts (an entry of the piece's nation whose point lies
// in the piece at that date), as runs of one nation's piece about one face over
// consecutive change dates: { nation, from, to (the change date after the run,
// Infinity at the end), at, area, why, big }; and the entries that accept none.
function unlisted(pieces, entries, facePolys, dates) {
  const used = new Set();
  const runs = new Map();
  const next = new Map(dates.map((d, j) => [d, j + 1 < dates.length ? dates[j + 1] : Infinity]));
  const out = [];
  for (const p of pieces) {
    const accepting = entries.filter((x) => x.nation === p.nation && x.from <= p.date && p.date < x.to &&
      p.faces.some((f) => inFace(facePolys[f], x.pt[0], x.pt[1])));
    accepting.forEach((e) => used.add(e));
    if (accepting.length) continue;
    const key = `${p.nation} ${p.big}`;
    const run = runs.get(key);
    if (run && run.to === p.date) {
      run.to = next.get(p.date);
      run.area = Math.max(run.area, p.area);
      continue;
    }
    const r = { nation: p.nation, from: p.date, to: next.get(p.date), at: p.at, area: p.area, why: p.why, big: p.big };
    runs.set(key, r);
    out.push(r);
  }
  return { runs: out, idle: entries.filter((e) => !used.has(e)) };
}

const span = (from, to) => `${year(from)}-${to === Infinity ? '' : year(to)}`;

// The faults of unlisted(): lineOf(face, date) names the source line that gave
// the face to its nation.
function detachedFaults({ runs, idle }, lineOf) {
  const what = { detached: 'a detached piece', small: 'only a small piece', enclosed: 'a main piece inside another nation' };
  return [
    ...runs.map((r) => `${span(r.from, r.to)}: ${r.nation} holds ${what[r.why]} of ${km2(r.area)} km2 at ${where(r.at)}, given by ${lineOf(r.big, r.from)}`),
    ...idle.map((e) => `${e.where}: ${e.nation} ${span(e.from, e.to)} at ${where(e.pt)} accepts no piece`),
  ];
}

// The unlisted runs as lines of the list, for the authors to give a reason or mend.
function draftEntries(runs, lineOf) {
  return runs.map((r) => {
    const [lon, lat] = fromMap(...r.at);
    return `${r.nation} ${span(r.from, r.to)} ${lon.toFixed(3)},${lat.toFixed(3)} ?: ${r.why}, ${km2(r.area)} km2, ${lineOf(r.big, r.from)}`;
  }).sort();
}

// Water: the faces of the shore lines as the geometry tool reports them (G
// records { wet, water, area, at }: a water seed in it, water by the geography).
function waterFaults(shore) {
  const out = [];
  for (const s of shore) {
    if (s.water && !s.wet && s.area >= WATER_MIN)
      out.push(`a lake or sea of ${km2(s.area)} km2 at ${where(s.at)} holds no water seed: it is left dry`);
    if (!s.water && s.wet) out.push(`land of ${km2(s.area)} km2 at ${where(s.at)} holds a water seed: it is drawn as water`);
  }
  return out;
}

// Faces drawn over land of another owner history: the geometry tool's M records
// { face, at, cls } (a seed deep in the face, in another class's province),
// against the faces' own class; classTl: the owner timeline of each class.
function lostBorders(mixed, faces, classTl) {
  const seen = new Set();
  const out = [];
  for (const m of mixed) {
    if (seen.has(m.face)) continue;
    seen.add(m.face);
    const own = classTl[faces[m.face].cls] || [], there = classTl[m.cls] || [];
    const dates = [...new Set([...own, ...there].map(([d]) => d))].sort((a, b) => a - b);
    const d = dates.find((x) => ownerAt(own, x) !== ownerAt(there, x));
    if (d === undefined) continue;
    out.push(`${year(d)}: land of ${ownerAt(there, d) || 'no nation'} at ${where(m.at)} is drawn as ${ownerAt(own, d) || 'no nation'}'s: ` +
      `the border between them is lost (face ${m.face})`);
  }
  return out;
}

// The faults of one check as the build's error.
function stop(title, faults) {
  if (!faults.length) return;
  const shown = faults.slice(0, 80);
  throw new SourceError(`${title}:\n  ${shown.join('\n  ')}${faults.length > shown.length ? `\n  ... ${faults.length - shown.length} more` : ''}`);
}

module.exports = { conflictCheck, parseDetached, detachedPieces, unlisted, detachedFaults, draftEntries, waterFaults, lostBorders, insidePoint,
  stop };
