'use strict';
// For the authors: finds new colours for nations that share a colour with
// another nation, for nations that look too much like a nation they meet at
// any date, by land or across a short sea crossing (the last build's
// neighbour list), and for members of the Communities too like the near-white
// of the membership view. The build refuses all three.
//
//   node recolour.js [--write] [LIMIT]
//
// Prints the changes and any pair it could not part; --write puts the changes
// into src/nations.txt. The nations in KEEP keep the colours readers know them
// by (two of them too alike are for the author to part by hand); the others
// move as little as they can. The same source gives the same colours.
const fs = require('fs');
const path = require('path');
const { colourDistance, lab, ciede2000, shown, nearWhiteDistance, CONTRAST } = require('./report');

const KEEP = new Set(['france', 'england', 'castile', 'portugal', 'russia', 'brandenburg', 'poland', 'sweden', 'italy',
  'germany', 'venice', 'byzantium', 'switzerland', 'netherlands', 'bohemia', 'saxony', 'greece', 'golden-horde',
  'mamluks', 'ilkhanate', 'scotland', 'ireland', 'serbia', 'ottoman', 'hre', 'austria', 'hungary', 'papal']);
const BACKGROUND = [205, 205, 198];

const file = path.join(__dirname, 'src', 'nations.txt');
const write = process.argv.includes('--write');
// A little over the build's limit, so that a colour found is not on its edge.
const limit = Number(process.argv.slice(2).find((a) => /^\d+(\.\d+)?$/.test(a)) || CONTRAST + 0.5);
const text = fs.readFileSync(file, 'utf8');
const first = new Map();
const members = new Set();
let last = null;
for (const line of text.split('\n')) {
  const m = /^nation (\S+) (\d+),(\d+),(\d+) /.exec(line);
  if (m) first.set((last = m[1]), [m[2], m[3], m[4]].map(Number));
  else if (last && /^\s+eu\s/.test(line)) members.add(last);
}
const nations = [...first.keys()];

// Colours by number: pale, clearly coloured candidates away from the
// background grey, then every nation's own colour.
const colours = [];
for (let r = 100; r <= 250; r += 10)
  for (let g = 100; g <= 250; g += 10)
    for (let b = 100; b <= 250; b += 10) {
      const [L, A, B] = lab([r, g, b]);
      const C = Math.hypot(A, B);
      if (L < 65 || L > 92 || C < 12 || C > 50 || colourDistance([r, g, b], BACKGROUND) < CONTRAST) continue;
      colours.push([r, g, b]);
    }
const candidates = colours.length;
const own = new Map(nations.map((n) => [n, colours.push(first.get(n)) - 1]));
const labs = colours.map(lab);
const K = colours.length;
const dist = new Float32Array(K * K);
for (let i = 0; i < K; ++i)
  for (let j = i + 1; j < K; ++j) dist[i * K + j] = dist[j * K + i] = ciede2000(labs[i], labs[j]);
const white = colours.map((c) => nearWhiteDistance(c));
const shownKey = colours.map((c) => shown(c).join(','));

// Who meets whom, weighted: every pair counts, a long border more.
const pairs = JSON.parse(fs.readFileSync(path.join(__dirname, '.cache', 'work', 'neighbours.json'), 'utf8'));
const index = new Map(nations.map((n, i) => [n, i]));
const near = nations.map(() => []);
for (const [key, len] of pairs) {
  const [a, b] = key.split(' ').map((n) => index.get(n));
  const w = 1 + Math.min(len, 2000) / 200;
  near[a].push([b, w]);
  near[b].push([a, w]);
}

// The colour of each nation now, and which nation shows each drawn colour.
const colour = nations.map((n) => own.get(n));
const ownerOf = new Map();
nations.forEach((n, i) => {
  if (!ownerOf.has(shownKey[colour[i]]) || KEEP.has(n)) ownerOf.set(shownKey[colour[i]], i);
});
const free = (i, c) => {
  const o = ownerOf.get(shownKey[c]);
  return o === undefined || o === i;
};
function setColour(i, c) {
  if (ownerOf.get(shownKey[colour[i]]) === i) ownerOf.delete(shownKey[colour[i]]);
  colour[i] = c;
  ownerOf.set(shownKey[c], i);
}

// What a colour costs a nation: how far it falls short of parting from what it
// meets (and a member from the near-white), weighted far above how far it
// moved from its own colour.
const SHORTFALL = 60, MEMBER_WEIGHT = 20;
const MOVE = 0.1;
const isMember = nations.map((n) => members.has(n));
function shortfall(i, c) {
  let s = 0;
  for (const [j, w] of near[i]) {
    const d = dist[c * K + colour[j]];
    if (d < limit) s += w * (limit - d);
  }
  if (isMember[i] && white[c] < limit) s += MEMBER_WEIGHT * (limit - white[c]);
  return s;
}
const cost = (i, c) => SHORTFALL * shortfall(i, c) + MOVE * dist[c * K + own.get(nations[i])] ** 2;

// A colour shared: the nation readers know by it (else the first) keeps it,
// the other takes the cheapest free colour.
const all = [...colours.keys()];
const cheapest = (i, list) => list.filter((c) => free(i, c)).reduce((a, b) => (cost(i, b) < cost(i, a) ? b : a));
nations.forEach((n, i) => {
  if (ownerOf.get(shownKey[colour[i]]) !== i) setColour(i, cheapest(i, all.slice(0, candidates)));
});

// Annealing, the same every run: a nation tries a colour near its own or
// goes back to its first; a worse cost is taken less and less often.
let seed = 20030;
const random = () => {
  seed = (seed + 0x6d2b79f5) | 0;
  let t = Math.imul(seed ^ (seed >>> 15), 1 | seed);
  t = (t + Math.imul(t ^ (t >>> 7), 61 | t)) ^ t;
  return ((t ^ (t >>> 14)) >>> 0) / 4294967296;
};
const nearby = colours.map((_, c) => all.filter((k) => k !== c && k < candidates && dist[c * K + k] < 24));
const movable = nations.map((_, i) => i).filter((i) => !KEEP.has(nations[i]) && (near[i].length || isMember[i]));
const STEPS = 4000000;
for (let step = 0; step < STEPS; ++step) {
  const temp = 40 * Math.pow(0.0005, step / STEPS);
  const i = movable[Math.floor(random() * movable.length)];
  const from = nearby[colour[i]];
  const c = random() < 0.05 || !from.length ? own.get(nations[i]) : from[Math.floor(random() * from.length)];
  if (!free(i, c)) continue;
  const delta = cost(i, c) - cost(i, colour[i]);
  if (delta <= 0 || random() < Math.exp(-delta / temp)) setColour(i, c);
}
// Last, each nation takes the cheapest free colour while that helps.
for (let again = true; again; ) {
  again = false;
  for (const i of movable) {
    const best = cheapest(i, all);
    if (cost(i, best) < cost(i, colour[i]) - 1e-9) {
      setColour(i, best);
      again = true;
    }
  }
}

const rgb = (i) => colours[colour[i]];
const changed = nations.filter((n, i) => rgb(i).join(',') !== first.get(n).join(','));
for (const n of changed) console.log(`${n} ${first.get(n).join(',')} -> ${rgb(index.get(n)).join(',')}`);
for (const [key] of pairs) {
  const [a, b] = key.split(' ').map((n) => index.get(n));
  const d = dist[colour[a] * K + colour[b]];
  if (d < CONTRAST) console.log(`left: ${nations[a]} / ${nations[b]} ${d.toFixed(1)}`);
}
nations.forEach((n, i) => {
  if (isMember[i] && white[colour[i]] < CONTRAST) console.log(`left: ${n} / the near-white`);
});
if (write && changed.length) {
  const out = text.replace(/^nation (\S+) (\d+,\d+,\d+) /gm, (all, n) => `nation ${n} ${rgb(index.get(n)).join(',')} `);
  fs.writeFileSync(file, out);
}
