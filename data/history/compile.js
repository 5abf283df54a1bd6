'use strict';
// The history compiler: turns the source in src/ into the atlas's border, fill
// point, palette, click name, label and membership items.
//
//   node compile.js PROVINCES.json ITEMS_DIR WORK_DIR
const fs = require('fs');
const path = require('path');
const { execFileSync } = require('child_process');
const { toMap, fromMap } = require('../geo/projection');
const { parseSource, readSourceDir, SourceError, DETACHED } = require('./source');
const { buildTimelines, ownerAt, faceTimeline, drawnTimeline, grade, borderTokens, pushChange } = require('./history');
const { encoder } = require('../lib/codepage.js');
const { insidePolygon } = require('./polygon');
const { contrast, holdings, meetings, faceLinks, shown: shownColour, CONTRAST } = require('./report');
const { prove, readFaces, segDist, segmentGrid } = require('./seal');
const { checkStates } = require('./states');
const { regionPlaces } = require('./regions');
const { labelPlaces, shownNames, parseAnswer, runTool } = require('./labels');
const { conflictCheck, parseDetached, detachedPieces, unlisted, detachedFaults, draftEntries, waterFaults, lostBorders, insidePoint,
  stop } = require('./checks');

const FRAME = 35900;
const LAST = 20030;
const BACKGROUND = 7;
// Map units of clearance per unit of seed size (a pixel at the scale 0.05).
const SEED_CLEARANCE = 20;
// Least clearance of a face's one seed at its widest point.
const MIN_CENTRE_CLEARANCE = 7;
// Least distance of such a seed from its own piece's outline.
const MIN_PIECE_DEPTH = 5;
// Map units of clearance per unit of seed size for a seed this deep in its
// piece (a pixel at the closest zoom is 4.8 units).
const NEAR_CLEARANCE = 15;
const NEAR_DEPTH = 6;
// The widest zoom's scale needs a seed of this size.
const WIDEST_SIZE = 6;

// The map is drawn at the scales 0.8^z only. The widest of them at which a seed
// of size k is drawn (k * scale > 0.05, counted generously).
function firstScale(k) {
  let s = 1;
  while (k * s * 0.8 > 0.05 - 1e-9) s *= 0.8;
  return s;
}

// Seed size for a clearance: perUnit map units of it for each unit of size keep
// the seed perUnit / 20 pixels (a pixel, or nearly one) from other faces at
// the scale 0.05 / size; up to the widest zoom's size, the same pixels at the
// widest zoom the size is drawn at, which may lie well above 0.05 / size.
function seedSize(clear, perUnit) {
  let k = Math.min(40, Math.floor(clear / perUnit));
  for (let j = k + 1; j <= WIDEST_SIZE; ++j) if (clear * firstScale(j) >= perUnit / 20) k = j;
  return k;
}

function log(m) { console.log(m); }

// Provinces of the Natural Earth admin-1 layer, projected, keyed "ADM:Name".
function readProvinces(file) {
  const g = JSON.parse(fs.readFileSync(file, 'utf8'));
  const out = new Map();
  for (const f of g.features) {
    const props = f.properties;
    if (!props.name || !props.adm0_a3) continue;
    const geom = f.geometry;
    const polys = geom.type === 'Polygon' ? [geom.coordinates] : geom.type === 'MultiPolygon' ? geom.coordinates : [];
    let x1 = Infinity, y1 = Infinity, x2 = -Infinity, y2 = -Infinity;
    const proj = polys.map((poly) => poly.map((ring) => ring.map(([lon, lat]) => {
      const [x, y] = toMap(lon, lat);
      x1 = Math.min(x1, x); y1 = Math.min(y1, y); x2 = Math.max(x2, x); y2 = Math.max(y2, y);
      return [Math.round(x * 10) / 10, Math.round(y * 10) / 10];
    })));
    if (x2 < 1 || x1 > FRAME || y2 < 1 || y1 > FRAME) continue;
    const key = `${props.adm0_a3}:${props.name}`;
    if (!out.has(key)) out.set(key, { country: props.adm0_a3, polys: [] });
    out.get(key).polys.push(...proj);
  }
  return out;
}

function wktPolys(polys) {
  return 'MULTIPOLYGON(' + polys.map((p) => '(' + p.map((r) => '(' + r.map((q) => `${q[0]} ${q[1]}`).join(',') + ')').join(',') + ')').join(',') + ')';
}

function timelineKey(tl) { return tl.map(([d, o]) => `${d}=${o}`).join(' '); }

function crlf(lines) { return lines.map((l) => l + '\r\n').join(''); }

function box(pts) {
  let x1 = Infinity, y1 = Infinity, x2 = -Infinity, y2 = -Infinity;
  for (const [x, y] of pts) {
    x1 = Math.min(x1, x); y1 = Math.min(y1, y); x2 = Math.max(x2, x); y2 = Math.max(y2, y);
  }
  return [x1, y1, x2, y2];
}

// A border's end segments cut short: the program lengthens a loose end when it
// draws the border at the closest zooms, and whether an end is loose depends on
// what was drawn before; a short end segment keeps the pixels that differ few.
const END = 3;
function shortEnds(pts) {
  const cut = (a, b) => {
    const d = Math.hypot(b[0] - a[0], b[1] - a[1]);
    if (d < 3 * END) return null;
    const p = [Math.round(a[0] + (b[0] - a[0]) * END / d), Math.round(a[1] + (b[1] - a[1]) * END / d)];
    return p[0] === a[0] && p[1] === a[1] ? null : p;
  };
  const out = pts.slice();
  if (out.length < 2) return out;
  const head = cut(out[0], out[1]);
  if (head) out.splice(1, 0, head);
  const n = out.length;
  const tail = cut(out[n - 1], out[n - 2]);
  if (tail) out.splice(n - 1, 0, tail);
  return out;
}

// Chains of one group joined where exactly two of them meet end to end.
function mergeChains(chains) {
  const ends = new Map();
  const keyOf = (p) => `${p[0]},${p[1]}`;
  chains.forEach((c, i) => {
    for (const p of [c[0], c[c.length - 1]]) {
      const k = keyOf(p);
      if (!ends.has(k)) ends.set(k, []);
      ends.get(k).push(i);
    }
  });
  const used = new Array(chains.length).fill(false);
  const out = [];
  const extend = (line) => {
    for (;;) {
      const k = keyOf(line[line.length - 1]);
      const at = ends.get(k).filter((i) => !used[i]);
      if (at.length !== 1 || ends.get(k).length !== 2) return line;
      const i = at[0];
      used[i] = true;
      const c = chains[i];
      const next = keyOf(c[0]) === k ? c : [...c].reverse();
      line = line.concat(next.slice(1));
      if (keyOf(line[0]) === keyOf(line[line.length - 1])) return line;
    }
  };
  for (let i = 0; i < chains.length; ++i) {
    if (used[i]) continue;
    used[i] = true;
    let line = extend(chains[i]);
    line = extend([...line].reverse());
    out.push(line);
  }
  return out;
}

// One colour a nation, as the map shows it (gamma 0.7, cut to integers as the
// program does), none of them a line or background colour; neighbours told apart.
function checkColours(nations, close) {
  const shown = (rgb) => shownColour(rgb).join(',');
  const reserved = new Map([[shown([205, 205, 198]), 'the background'], [shown([48, 112, 160]), 'the water'],
    [shown([32, 64, 128]), 'the coast'], [shown([32, 80, 160]), 'the rivers'], ['0,0,0', 'the borders'],
    ['255,0,0', 'the unknown lines']]);
  const taken = new Map();
  const faults = [];
  for (const n of nations) {
    const c = shown(n.rgb);
    if (reserved.has(c)) faults.push(`${n.key} has the colour of ${reserved.get(c)}`);
    else if (taken.has(c)) faults.push(`${n.key} has the colour of ${taken.get(c)} (${n.rgb.join(',')})`);
    else taken.set(c, n.key);
  }
  faults.push(...close.map((l) => `neighbours alike: ${l.trim()}`));
  if (faults.length) throw new SourceError(`colours (node recolour.js --write mends them):\n  ${faults.join('\n  ')}`);
}

// Colour index of every face at each of the dates (0 for none).
function faceColours(src, faces, dates) {
  return faces.map((face) => {
    if (!face) return null;
    const out = new Int16Array(dates.length);
    let k = 0, c = 0;
    dates.forEach((d, j) => {
      while (k < face.tl.length && face.tl[k][0] <= d) {
        const o = face.tl[k++][1];
        c = o ? src.nations.get(o).index : 0;
      }
      out[j] = c;
    });
    return out;
  });
}

// Seeds for land that is one territory only while neighbouring faces share a
// colour: faces too small for a seed of the widest zooms can together hold
// one. Each such region, while it lasts, gets a fill point of its own with a
// seed at the middle of its largest part, its size from the distance to the
// region's edge.
function regionPoints(faces, colours, adjacency, dates, points, tool, facesWkt, workDir) {
  const best = faces.map((f) => (f ? Math.max(0, ...f.seeds.map((x) => x[2])) : 0));
  const pairs = new Set();
  for (const e of adjacency) if (e.b >= 0) pairs.add(e.a < e.b ? `${e.a} ${e.b}` : `${e.b} ${e.a}`);
  const links = [...pairs].map((k) => k.split(' ').map(Number));
  const spans = new Map();
  const open = new Map();
  dates.forEach((d, j) => {
    const root = faces.map((_, i) => i);
    const find = (i) => (root[i] === i ? i : (root[i] = find(root[i])));
    for (const [a, b] of links) if (colours[a] && colours[b] && colours[a][j] && colours[a][j] === colours[b][j]) root[find(a)] = find(b);
    const members = new Map();
    faces.forEach((f, i) => {
      if (!f || !colours[i][j]) return;
      const r = find(i);
      if (!members.has(r)) members.set(r, []);
      members.get(r).push(i);
    });
    const now = new Set();
    for (const list of members.values()) {
      if (list.length < 2 || Math.max(...list.map((i) => best[i])) >= WIDEST_SIZE) continue;
      const key = `${colours[list[0]][j]}:${list.join(' ')}`;
      now.add(key);
      if (!open.has(key)) open.set(key, d);
    }
    for (const [key, from] of [...open]) {
      if (now.has(key)) continue;
      if (!spans.has(key)) spans.set(key, []);
      spans.get(key).push([from, d]);
      open.delete(key);
    }
  });
  for (const [key, from] of open) {
    if (!spans.has(key)) spans.set(key, []);
    spans.get(key).push([from, LAST + 1]);
  }
  const keys = [...spans.keys()].sort();
  if (!keys.length) return;
  const reqs = keys.map((k, i) => `${i} ${k.split(':')[1]}`);
  let added = 0;
  // The middle of each region's largest part.
  for (const line of runTool(tool, facesWkt, path.join(workDir, 'region-requests.txt'), reqs)) {
    const m = parseAnswer(line, 0);
    if (!m || !m.far) continue;
    const key = keys[Number(m.key)];
    const [colour, list] = key.split(':');
    const ids = list.split(' ').map(Number);
    const size = seedSize(m.far.r, NEAR_CLEARANCE);
    if (size <= Math.max(...ids.map((i) => best[i]))) continue;
    const toks = [];
    for (const [a, b] of spans.get(key)) {
      toks.push(`${a},${colour}`);
      if (b <= LAST) toks.push(`${b},0`);
    }
    points.push({ tokens: toks.join(' '), seeds: [[Math.round(m.far.cx), Math.round(m.far.cy), size, m.far.r]], faces: ids });
    ++added;
  }
  log(`region fill points: ${added} of ${keys.length} regions of small faces`);
}

// Every territory sealed at every date, every seed in its own territory; the
// build stops with the faults otherwise.
function proveSealed(src, faces, colours, adjacency, borders, dates, points, facePolys) {
  const name = (c) => (c ? [...src.nations.values()].find((n) => n.index === c).key : 'no nation');
  const faults = prove({ adjacency, faces: facePolys, colourAt: (f, j) => (colours[f] ? colours[f][j] : 0),
    borders, dates, points });
  const leaks = new Map();
  const seeds = [];
  for (const f of faults) {
    if (f.seed) {
      seeds.push(`fill point ${f.point}: seed ${f.seed.slice(0, 2).join(',')} lies outside its faces`);
      continue;
    }
    const key = `${name(f.ca)} | ${name(f.cb)}`;
    if (!leaks.has(key)) leaks.set(key, { first: f, n: 0 });
    ++leaks.get(key).n;
  }
  const lines = [...leaks].map(([k, { first, n }]) =>
    `${first.date / 10}: ${k} meet without a border at ${first.at.join(',')} (faces ${first.a}, ${first.b}; borders there: ${first.held.join(',') || 'none'}; ${n} date${n > 1 ? 's' : ''})`);
  lines.push(...seeds);
  if (lines.length) throw new SourceError(`territories not sealed:\n  ${lines.slice(0, 60).join('\n  ')}${lines.length > 60 ? `\n  ... ${lines.length - 60} more` : ''}`);
  log(`sealed: ${adjacency.length} edge segments at ${dates.length} dates, ${points.reduce((n, g) => n + g.seeds.length, 0)} seeds in their faces`);
}

// Source, provinces and the owner timelines; the cells each province is cut into.
function readInputs(provincesFile) {
  const here = __dirname;
  const src = parseSource(readSourceDir(path.join(here, 'src')));
  const provinces = readProvinces(provincesFile);
  log(`source: ${src.nations.size} nations, ${src.areas.size} areas, ${src.shapes.size} shapes, ${src.events.length} events; ${provinces.size} provinces`);
  // The cells cut from each province: those with a point inside it.
  for (const [key, shape] of src.shapes) {
    if (!shape.cell) continue;
    for (const pt of shape.pts) {
      const [x, y] = toMap(pt[0], pt[1]);
      for (const prov of provinces.values())
        if (prov.polys.some((poly) => insidePolygon(poly, x, y))) (prov.cells = prov.cells || new Set()).add(key);
    }
  }
  // Every take, by province and shape, for the lines the checks name; and no
  // land given to two nations on one date.
  const takes = new Map();
  const conflicts = conflictCheck((kind, key) => {
    if (kind === 'province') return insidePoint(provinces.get(key).polys);
    const shape = src.shapes.get(key);
    return shape.cell ? toMap(...shape.pts[0]) : insidePoint([[shape.pts.map((p) => toMap(...p))]]);
  });
  const tl = buildTimelines(src, provinces, (ev, set) => {
    conflicts.onTake(ev, set);
    const owner = ev.kind === 'release' ? null : ev.owner;
    for (const [kind, keys] of [['province', set.provinces], ['shape', set.shapes]])
      for (const k of keys) {
        const id = `${kind} ${k}`;
        if (!takes.has(id)) takes.set(id, []);
        takes.get(id).push([ev.date, owner, ev.where]);
      }
  });
  stop('land given to two nations on one date', conflicts.faults());
  if (tl.unowned.length) throw new SourceError(`no owner at 1000.0: ${tl.unowned.slice(0, 40).join(', ')}${tl.unowned.length > 40 ? ' ...' : ''}`);
  return { src, provinces, tl, takes };
}

// The source line that gave a face to its holder at a date (a province's
// holder, not the state it is drawn as): the last take of one of its shapes or
// of a province of its class by that holder.
function sourceLines(takes, classOf, faces, shapeKeys) {
  const byClass = new Map();
  for (const [k, c] of classOf) {
    if (!byClass.has(c)) byClass.set(c, []);
    byClass.get(c).push(takes.get(`province ${k}`) || []);
  }
  return (fi, date) => {
    const face = faces[fi];
    const owner = ownerAt(face.held, date);
    const lists = [...(byClass.get(face.cls) || []), ...face.shapes.map((s) => takes.get(`shape ${shapeKeys[s]}`) || [])];
    let best = null;
    for (const list of lists)
      for (const t of list) if (t[0] <= date && t[1] === owner && (!best || t[0] > best[0])) best = t;
    return best ? best[2] : 'no line';
  };
}

// The check of detached pieces; the pieces no entry accepts go to
// detached-found.txt in the work folder as draft entries.
function checkPieces(src, faces, facePolys, adjacency, dates, lineOf, workDir) {
  const homes = new Map([...src.nations.values()].filter((n) => n.home).map((n) => [n.key, toMap(...n.home)]));
  const file = path.join(__dirname, 'src', DETACHED);
  const entries = parseDetached(fs.readFileSync(file, 'utf8'), DETACHED);
  for (const e of entries) if (!src.nations.has(e.nation)) throw new SourceError(`${e.where}: unknown nation ${e.nation}`);
  const pieces = detachedPieces({ faces, facePolys, adjacency, dates, homes });
  const found = unlisted(pieces, entries, facePolys, dates);
  fs.writeFileSync(path.join(workDir, 'detached-found.txt'), draftEntries(found.runs, lineOf).join('\n') + '\n');
  stop(`pieces of a nation apart from its main piece, not in ${DETACHED} (or entries there that accept none)`,
    detachedFaults(found, lineOf));
  const accepted = new Map();
  for (const e of entries) accepted.set(e.reason, (accepted.get(e.reason) || 0) + 1);
  log(`detached pieces: ${pieces.length} at ${dates.length} dates, all accepted by ${entries.length} entries (${[...accepted].map(([r, n]) => `${n} ${r}`).join(', ')})`);
}

// Province classes: provinces with one owner history are dissolved together.
function provinceClasses(tl) {
  const classes = new Map();
  const classTl = [];
  const classOf = new Map();
  for (const [k, t] of tl.prov) {
    const key = timelineKey(t);
    if (!classes.has(key)) {
      classes.set(key, classTl.length);
      classTl.push(t);
    }
    classOf.set(k, classes.get(key));
  }
  return { classTl, classOf };
}

// The geometry tool's faces, seeds, border chains and face adjacency.
function runGeometry(src, provinces, classOf, nClasses, itemsDir, workDir) {
  const here = __dirname;
  const shapeKeys = [...src.shapes.keys()];
  fs.mkdirSync(workDir, { recursive: true });
  const input = [`GEO ${path.join(itemsDir, 'geo2.txt')}`, `WATER ${path.join(itemsDir, 'wt1.txt')}`, 'TOL 6'];
  for (const [k, p] of provinces) input.push(`C ${classOf.get(k)} ${wktPolys(p.polys)}`);
  const proj = ([lon, lat]) => toMap(lon, lat).map((v) => Math.round(v * 10) / 10);
  shapeKeys.forEach((k, i) => {
    const shape = src.shapes.get(k);
    if (shape.cell) {
      for (const p of shape.pts) input.push(`Q ${i} ${proj(p).join(' ')}`);
      return;
    }
    const ring = shape.pts.map(proj);
    ring.push(ring[0]);
    input.push(`S ${i} ${wktPolys([[ring]])}`);
  });
  for (const l of src.lines.values()) input.push(`L 0 ${l.pts.map((p) => proj(p).join(',')).join(' ')}`);
  const inputFile = path.join(workDir, 'geom-input.txt');
  fs.writeFileSync(inputFile, input.join('\n') + '\n');
  log(`geometry: ${nClasses} province classes`);
  const tool = path.join(here, 'geom', 'geomtool');
  const facesWkt = path.join(workDir, 'faces.wkt');
  const out = execFileSync(tool, ['faces', inputFile, facesWkt], { maxBuffer: 1 << 30, stdio: ['ignore', 'pipe', 'inherit'] }).toString();

  const faces = [];
  const warnings = [];
  const cellAreas = [];
  const seeds = [];
  const chains = [];
  const adjacency = [];
  const shore = [];
  const mixed = [];
  for (const line of out.split('\n')) {
    const f = line.split(' ');
    if (f[0] === 'F') {
      const shapes = f[3] === '-' ? [] : f[3].split(',').map(Number);
      faces[Number(f[1])] = { cls: Number(f[2]), shapes, area: Number(f[4]), cx: Number(f[5]), cy: Number(f[6]), r: Number(f[7]), seeds: [] };
    } else if (f[0] === 'D') seeds.push([Number(f[1]), Number(f[2]), Number(f[3]), Number(f[4]), Number(f[5]), Number(f[6])]);
    else if (f[0] === 'A') cellAreas.push(`${shapeKeys[Number(f[1])]} ${f[2]}`);
    else if (f[0] === 'W') warnings.push(`${shapeKeys[Number(f[2])]}: ${f.slice(3).join(' ')}`);
    else if (f[0] === 'N') adjacency.push({ a: Number(f[1]), b: Number(f[2]), p: f[3].split(',').map(Number), q: f[4].split(',').map(Number) });
    else if (f[0] === 'B') chains.push({ a: Number(f[1]), b: Number(f[2]), pts: f.slice(3).map((p) => p.split(',').map(Number)) });
    else if (f[0] === 'M') mixed.push({ face: Number(f[1]), at: [Number(f[2]), Number(f[3])], cls: Number(f[4]) });
    else if (f[0] === 'G') shore.push({ wet: f[1] === '1', water: f[2] === '1', area: Number(f[3]), at: [Number(f[4]), Number(f[5])] });
  }
  if (warnings.length) throw new SourceError(`cells: ${warnings.join('; ')}`);
  fs.writeFileSync(path.join(workDir, 'cells.txt'), cellAreas.join('\n') + '\n');
  return { shapeKeys, faces, seeds, chains, adjacency, shore, mixed, tool, facesWkt };
}

// The fill point of a colour history in groups, made when first asked for.
function pointGroup(groups, key) {
  if (!groups.has(key)) groups.set(key, { tokens: key, seeds: [], faces: [] });
  return groups.get(key);
}

// Colour history of a face, as its fill point is keyed.
function colourKey(src, face) {
  const colours = [];
  for (const [d, o] of face.tl) pushChange(colours, d, o ? src.nations.get(o).index : 0);
  return colours.map(([d, c]) => `${d},${c}`).join(' ');
}

// Distance from a point of face fi to the faces of another colour history, up
// to reach: a face of the same history is filled alike at every date.
function historyClearance(src, faces, facePolys) {
  const keys = faces.map((f) => (f ? colourKey(src, f) : null));
  const grid = segmentGrid();
  facePolys.forEach((polys, fi) => {
    if (!polys) return;
    for (const p of polys)
      for (const ring of p.rings)
        for (let i = 1; i < ring.length; ++i) grid.add(fi, ...ring[i - 1], ...ring[i]);
  });
  // Each segment of another history within reach, with its distance.
  const visit = (fi, x, y, reach, f) => {
    grid.visit(x, y, reach, (g, ax, ay, bx, by) => {
      if (g !== fi && keys[g] !== keys[fi]) f(g, segDist(x, y, ax, ay, bx, by));
    });
  };
  const clear = (fi, x, y, reach) => {
    let best = reach;
    visit(fi, x, y, reach, (g, d) => { best = Math.min(best, d); });
    return best;
  };
  // The faces of another history within reach, in order.
  clear.near = (fi, x, y, reach) => {
    const out = new Set();
    visit(fi, x, y, reach, (g, d) => { if (d <= reach) out.add(g); });
    return [...out].sort((a, b) => a - b);
  };
  return clear;
}

// The seeds of every face (D records: face, x, y, depth, clearance, piece).
// A seed too close to other faces for the widest zoom has its clearance
// measured again from the faces of another colour history only.
const HISTORY_REACH = 200;
function seedFaces(faces, seeds, clearOf) {
  // A seed of size k is drawn from the widest zoom with k * scale > 0.05 on: it
  // must there lie a pixel or more away from every other face, or nearly a pixel
  // when it lies more than a pixel inside its piece at the closest zoom (strips
  // between a river and a border, small faces at the widest zoom).
  const pieces = new Map();
  for (const [fi, x, y, r, near, piece] of seeds) {
    const perUnit = r >= NEAR_DEPTH ? NEAR_CLEARANCE : SEED_CLEARANCE;
    const clear = seedSize(near, perUnit) < WIDEST_SIZE ? Math.max(near, clearOf(fi, x, y, HISTORY_REACH)) : near;
    const size = seedSize(clear, perUnit);
    if (size >= 1) faces[fi].seeds.push([Math.round(x), Math.round(y), size, clear]);
    if (!pieces.has(piece)) pieces.set(piece, { fi, drawn: false, best: null, widest: false, deep: null });
    const p = pieces.get(piece);
    p.drawn = p.drawn || size >= 1;
    p.widest = p.widest || size >= WIDEST_SIZE;
    if (!p.deep || r > p.deep[2]) p.deep = [x, y, r];
    // Well inside the piece (a pixel at the closest zoom), as far from other faces as may be.
    if (r >= MIN_PIECE_DEPTH && clear >= MIN_CENTRE_CLEARANCE && (!p.best || clear > p.best[3])) p.best = [Math.round(x), Math.round(y), 1, clear];
  }
  // A piece without a seed of a size from its clearance gets its best one, drawn
  // from the scale 0.05 on; and a face without any seed its widest point: where
  // either is under a pixel wide its outline covers that point, and the fill
  // leaves a line pixel alone.
  for (const p of pieces.values()) if (!p.drawn && p.best) faces[p.fi].seeds.push(p.best);
  for (const face of faces)
    if (face && !face.seeds.length && face.r >= MIN_CENTRE_CLEARANCE)
      face.seeds.push([Math.round(face.cx), Math.round(face.cy), 1, face.r]);
  return pieces;
}

// A piece without a seed for the widest zoom gets one at its deepest point,
// a fill point of its own, for the dates when every face of another history
// within a pixel of the widest zoom there shows the piece's colour.
const SPAN_REACH = 110;
function spanPoints(colours, pieces, dates, points, clearOf) {
  const groups = new Map();
  for (const p of pieces.values()) {
    if (p.widest || !p.deep) continue;
    const own = colours[p.fi];
    const near = clearOf.near(p.fi, p.deep[0], p.deep[1], SPAN_REACH);
    const toks = [];
    let prev = 0;
    dates.forEach((d, j) => {
      const c = own[j] && near.every((g) => colours[g] && colours[g][j] === own[j]) ? own[j] : 0;
      if (c !== prev) toks.push(`${d},${c}`);
      prev = c;
    });
    if (!toks.length) continue;
    const g = pointGroup(groups, toks.join(' '));
    g.seeds.push([Math.round(p.deep[0]), Math.round(p.deep[1]), WIDEST_SIZE, SPAN_REACH]);
    if (!g.faces.includes(p.fi)) g.faces.push(p.fi);
  }
  const added = [...groups.keys()].sort().map((k) => groups.get(k));
  points.push(...added);
  log(`span fill points: ${added.length} with ${added.reduce((n, g) => n + g.seeds.length, 0)} seeds for the widest zoom`);
}

// Owner history of every face: who holds it (held), and whose land it is
// drawn as (tl), a province being drawn as its state.
function ownerHistories(faces, shapeKeys, tl, classTl) {
  for (const face of faces) {
    if (!face) continue;
    const shapeTls = face.shapes.map((s) => tl.shape.get(shapeKeys[s]));
    face.held = faceTimeline(classTl[face.cls] || [], shapeTls);
    face.tl = drawnTimeline(tl.parts, face.held);
  }
}

// Colour indexes, one per nation, in source order; index 7 is the background.
function colourIndexes(src) {
  const nations = [...src.nations.values()].sort((a, b) => a.order - b.order);
  let next = 1;
  for (const n of nations) {
    if (next === BACKGROUND) ++next;
    n.index = next++;
  }
  if (next - 1 > 256) throw new SourceError(`${nations.length} nations: more colour indexes than 256`);
  return nations;
}

// Fill points: faces of one colour history together, seeds of every piece.
function fillPoints(src, faces, workDir) {
  const groups = new Map();
  faces.forEach((face, fi) => {
    if (!face) return;
    const g = pointGroup(groups, colourKey(src, face));
    g.seeds.push(...face.seeds);
    g.faces.push(fi);
  });
  const points = [...groups.values()].filter((g) => g.seeds.length);
  for (const g of points) g.max = Math.max(...g.seeds.map((s) => s[3]));
  points.sort((a, b) => a.max - b.max || (a.tokens < b.tokens ? -1 : 1));
  const bare = faces.filter((f) => f && !f.seeds.length);
  const unseeded = bare.reduce((n, f) => n + f.area, 0);
  log(`fill points: ${points.length} with ${points.reduce((n, g) => n + g.seeds.length, 0)} seeds (${bare.length} faces, ${Math.round(unseeded)} square units, without a seed)`);
  fs.writeFileSync(path.join(workDir, 'unseeded.txt'), bare.sort((a, b) => b.area - a.area)
    .map((f) => `${Math.round(f.area)} r=${f.r} at ${Math.round(f.cx)},${Math.round(f.cy)} ${f.tl.map(([d, o]) => `${d / 10}=${o}`).join(' ')}`).join('\n') + '\n');
  return points;
}

// Borders: chains graded by the owners on their two sides; the dates where anything changes.
function gradeBorders(faces, chains, tl) {
  const allDates = new Set([10000]);
  for (const face of faces) if (face) face.tl.forEach(([d]) => allDates.add(d));
  for (const t of tl.lords.values()) t.forEach(([d]) => allDates.add(d));
  const dates = [...allDates].sort((a, b) => a - b);
  const byTokens = new Map();
  for (const c of chains) {
    const fa = faces[c.a], fb = faces[c.b];
    const ds = new Set([10000]);
    fa.tl.forEach(([d]) => ds.add(d));
    fb.tl.forEach(([d]) => ds.add(d));
    for (const t of tl.lords.values()) t.forEach(([d]) => ds.add(d));
    const grades = [...ds].sort((x, y) => x - y).map((d) => [d, grade(tl.lords, ownerAt(fa.tl, d), ownerAt(fb.tl, d), d)]);
    const tokens = borderTokens(grades);
    if (!tokens.length) continue;
    const key = tokens.join(' ');
    if (!byTokens.has(key)) byTokens.set(key, []);
    byTokens.get(key).push(c.pts);
  }
  const borders = [];
  for (const [tokens, list] of [...byTokens].sort((a, b) => (a[0] < b[0] ? -1 : 1)))
    for (const pts of mergeChains(list)) borders.push({ tokens, pts });
  if (borders.length > 10000) throw new SourceError(`${borders.length} borders: more than 10000`);
  let maxActive = 0, maxAt = 0;
  for (const d of dates) {
    let n = 0;
    for (const b of borders) {
      let g = 0;
      for (const t of b.tokens.split(' ')) {
        if (Number(t.slice(1)) > d) break;
        g += { i: 1, o: -1, s: 2, k: -2, u: 1, d: -1 }[t[0]];
      }
      if (g > 0) ++n;
    }
    if (n > maxActive) { maxActive = n; maxAt = d; }
  }
  if (maxActive > 2500) throw new SourceError(`${maxActive} borders active at ${maxAt / 10}: more than 2500`);
  log(`borders: ${borders.length}, ${borders.reduce((n, b) => n + b.pts.length, 0)} points, at most ${maxActive} active (${maxAt / 10})`);
  return { borders, dates };
}

// A map point for a fault: map units and degrees.
function mapPoint(x, y) {
  const [lon, lat] = fromMap(x, y);
  return `${Math.round(x)},${Math.round(y)} (${lon.toFixed(2)},${lat.toFixed(2)})`;
}

// Only states in a colour of their own; every lord holds land while it has vassals.
function proveStates(faces, tl, dates) {
  const faults = checkStates({ faces, lords: tl.lords, parts: tl.parts, dates, last: LAST + 1 });
  if (faults.length) throw new SourceError(`states:\n  ${faults.slice(0, 40).map((f) =>
    `${f.date / 10}: ${f.text}, at ${mapPoint(faces[f.face].cx, faces[f.face].cy)}`).join('\n  ')}`);
}

// The build's reports in the work folder, and the check of the colours.
function writeReports(src, faces, chains, nations, facePolys, workDir) {
  const pairs = meetings(faces, faceLinks(chains, facePolys));
  const reports = path.join(workDir, 'contrast.txt');
  const close = contrast(src, pairs, (at) => mapPoint(...at));
  fs.writeFileSync(reports, close.join('\n') + '\n');
  fs.writeFileSync(path.join(workDir, 'holdings.txt'), holdings(src, faces).join('\n') + '\n');
  fs.writeFileSync(path.join(workDir, 'neighbours.json'), JSON.stringify([...pairs].map(([k, p]) => [k, Math.round(p.len), Math.round(p.gap)])));
  log(`neighbours: ${pairs.size} pairs meet by land or a short sea crossing; ${close.length} closer than ${CONTRAST} in colour (${reports})`);
  checkColours(nations, close);
}

// The items: borders, fill points, palette, click names, label dates, membership and places.
function writeItems(nations, places, borders, points, itemsDir) {
  const here = __dirname;
  // Items.
  const cp1252 = encoder('windows-1252');
  const cp1253 = encoder('windows-1253');
  const en = [], el = [], dnam = [], keys = [];
  const count = new Map();
  places.forEach((p, i) => {
    const id = i + 1;
    p.id = id;
    const names = p.nation.names[p.era];
    const coords = (l) => `:${l.x} ${l.y} ${Math.round(p.cx)} ${Math.round(p.cy)} ${p.box.join(' ')} ${l.size} ${p.from} ${Math.min(p.to - 1, LAST)}`;
    const years = `${p.from / 10}-${Math.min(p.to - 1, LAST) / 10}`;
    const kind = (word) => (p.region ? `${word}, ` : '');
    // A label's lines as the build laid them out; a region's name as it stands.
    const [enLabel, elLabel] = p.text ? shownNames(p) : [names.en, names.el];
    en.push(`${id}:${enLabel}`, coords(p.labels[0]), `<b>${names.en.replace(/\]/g, ' ')}</b>, ${kind('region')}${years}`);
    el.push(`${id}:${elLabel}`, coords(p.labels[1]), `<b>${names.el.replace(/\]/g, ' ')}</b>, ${kind('περιοχή')}${years}`);
    dnam.push(`${id}:i${p.from}${p.to <= LAST ? ` o${p.to}` : ''}`);
    // Second labels have keys of their own, which no nation's key can be.
    const base = p.track ? `${p.nation.key}_far` : p.nation.key;
    const c = (count.get(base) || 0) + 1;
    count.set(base, c);
    keys.push(`${c === 1 ? base : `${base}.${c}`} ${id} ${years} ${names.en.replace(/\]/g, ' ')}`);
  });
  const cnam = [];
  const maxIndex = Math.max(BACKGROUND, ...nations.map((n) => n.index));
  const byIndex = new Map(nations.map((n) => [n.index, n]));
  for (let k = 1; k <= maxIndex; ++k) {
    const n = byIndex.get(k);
    const toks = [];
    if (n) {
      let lastEra = -1;
      for (const p of places.filter((q) => q.nation === n && !q.region && !q.track)) {
        if (p.era === lastEra) continue;
        lastEra = p.era;
        toks.push(`${toks.length ? p.from : 10000},p${p.id}`);
      }
    }
    cnam.push(`${k}:${toks.join(' ')}`);
  }
  const clrs = [];
  for (let k = 1; k <= maxIndex; ++k) {
    const n = byIndex.get(k);
    if (k === BACKGROUND) clrs.push('background:205,205,198');
    else if (n) clrs.push(`${n.key}:${n.rgb.join(',')}`);
    else clrs.push('unused:230,230,230');
  }
  clrs.push('end');
  const eus = nations.filter((n) => n.eu).map((n) => `${n.index}:i${n.eu}`);
  const bdr = [];
  borders.forEach((b, i) => {
    const pts = shortEnds(b.pts);
    bdr.push(`${i + 1}:`, box(pts).join(' '), pts.map((p) => p.join(',')).join(' '), b.tokens);
  });
  const pt = [];
  points.forEach((g, i) => {
    g.seeds.sort((a, b) => b[3] - a[3] || a[0] - b[0] || a[1] - b[1]);
    pt.push(`${i + 1}:${g.seeds.map((s) => `${s[0]},${s[1]},${s[2]}`).join(' ')}`, g.tokens);
  });

  const write = (rel, text, enc) => fs.writeFileSync(path.join(itemsDir, rel), enc ? enc(text) : Buffer.from(text, 'latin1'));
  write('bdr2.txt', crlf(bdr));
  write('pt1.txt', crlf(pt));
  write('clrs.txt', crlf(clrs));
  write('cnam1.txt', crlf(cnam));
  write('dnam1.txt', crlf(dnam));
  write('eus.txt', crlf(eus));
  write('en/places.mit', crlf(en), cp1252);
  write('el/places.mit', crlf(el), cp1253);
  fs.writeFileSync(path.join(here, 'place-keys.txt'),
    '# key, place number (position in places.mit), years shown, name. Generated by compile.js.\n' + keys.join('\n') + '\n');
  log(`items written to ${itemsDir}`);
}

function compile(provincesFile, itemsDir, workDir) {
  const { src, provinces, tl, takes } = readInputs(provincesFile);
  const { classTl, classOf } = provinceClasses(tl);
  const { shapeKeys, faces, seeds, chains, adjacency, shore, mixed, tool, facesWkt } =
    runGeometry(src, provinces, classOf, classTl.length, itemsDir, workDir);
  ownerHistories(faces, shapeKeys, tl, classTl);
  stop('faces drawn with another history than their land', lostBorders(mixed, faces, classTl));
  // Written before the checks, so that where.js answers on a build they stop.
  fs.writeFileSync(path.join(workDir, 'face-owners.json'),
    JSON.stringify(faces.map((f) => (f ? { tl: f.tl, shapes: f.shapes.map((i) => shapeKeys[i]) } : null))));
  const nations = colourIndexes(src);
  const facePolys = readFaces(fs.readFileSync(facesWkt, 'utf8'));
  const clearOf = historyClearance(src, faces, facePolys);
  const pieces = seedFaces(faces, seeds, clearOf);
  const points = fillPoints(src, faces, workDir);
  const { borders, dates } = gradeBorders(faces, chains, tl);
  const colours = faceColours(src, faces, dates);
  regionPoints(faces, colours, adjacency, dates, points, tool, facesWkt, workDir);
  spanPoints(colours, pieces, dates, points, clearOf);
  proveSealed(src, faces, colours, adjacency, borders, dates, points, facePolys);
  stop('water drawn as land or land as water', waterFaults(shore));
  checkPieces(src, faces, facePolys, adjacency, dates, sourceLines(takes, classOf, faces, shapeKeys), workDir);
  proveStates(faces, tl, dates);
  writeReports(src, faces, chains, nations, facePolys, workDir);
  const places = labelPlaces(nations, faces, facePolys, tool, facesWkt, workDir);
  const boxes = facePolys.map((polys) => polys && polys.reduce((b, p) =>
    [Math.min(b[0], p.box[0]), Math.min(b[1], p.box[1]), Math.max(b[2], p.box[2]), Math.max(b[3], p.box[3])], [Infinity, Infinity, -Infinity, -Infinity]));
  places.push(...regionPlaces(nations, faces, tl.parts, boxes, LAST + 1));
  if (places.length > 1200) throw new SourceError(`${places.length} places: more than 1200`);
  writeItems(nations, places, borders, points, itemsDir);
}

if (require.main === module) {
  const [provincesFile, itemsDir, workDir] = process.argv.slice(2);
  try {
    compile(provincesFile, path.resolve(itemsDir), path.resolve(workDir));
  } catch (e) {
    if (e instanceof SourceError) {
      console.error(`history: ${e.message}`);
      process.exit(1);
    }
    throw e;
  }
}

module.exports = { compile, mergeChains, seedSize, historyClearance };
