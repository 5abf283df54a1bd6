'use strict';
// For the authors: finds new colours for nations that share a colour with
// another nation, and for nations whose neighbours at the check dates look too
// much alike, from the last build's neighbour list. The build refuses both.
//
//   node recolour.js [--write] [LIMIT]
//
// Prints the changes; --write puts them into src/nations.txt. The nations in
// KEEP keep the colours readers know them by.
const fs = require('fs');
const path = require('path');
const { colourDistance, lab } = require('./report');

const KEEP = new Set(['france', 'england', 'castile', 'portugal', 'hre', 'austria', 'russia', 'ottoman', 'brandenburg',
  'poland', 'sweden', 'denmark', 'hungary', 'italy', 'germany', 'venice', 'papal', 'byzantium', 'switzerland',
  'netherlands', 'bohemia', 'bavaria', 'saxony', 'lithuania', 'greece', 'turkey', 'persia', 'golden-horde',
  'mongols', 'mamluks', 'ilkhanate', 'timurids', 'scotland', 'ireland', 'finland', 'serbia', 'bulgaria', 'wallachia']);
const BACKGROUND = [205, 205, 198];

const file = path.join(__dirname, 'src', 'nations.txt');
const write = process.argv.includes('--write');
const limit = Number(process.argv.slice(2).find((a) => /^\d+$/.test(a)) || 16);
const text = fs.readFileSync(file, 'utf8');
const colour = new Map();
for (const m of text.matchAll(/^nation (\S+) (\d+),(\d+),(\d+) /gm)) colour.set(m[1], [m[2], m[3], m[4]].map(Number));

const pairs = JSON.parse(fs.readFileSync(path.join(__dirname, '.cache', 'work', 'neighbours.json'), 'utf8'));
const near = new Map();
for (const [key, len] of pairs) {
  const [a, b] = key.split(' ');
  for (const [x, y] of [[a, b], [b, a]]) {
    if (!near.has(x)) near.set(x, new Map());
    near.get(x).set(y, (near.get(x).get(y) || 0) + len);
  }
}

// Pale, clearly coloured candidates, away from the background grey.
const candidates = [];
for (let r = 130; r <= 250; r += 10)
  for (let g = 130; g <= 250; g += 10)
    for (let b = 110; b <= 250; b += 10) {
      const [L, A, B] = lab([r, g, b]);
      const C = Math.hypot(A, B);
      if (L < 72 || L > 91 || C < 14 || C > 42 || colourDistance([r, g, b], BACKGROUND) < 16) continue;
      candidates.push([r, g, b]);
    }

// The colour as the map shows it: two source colours may become one.
const shown = (rgb) => rgb.map((c) => Math.trunc(255 * Math.pow(c / 255, 1 / 0.7))).join(',');
const taken = (n, rgb) => [...colour].some(([m, c]) => m !== n && shown(c) === shown(rgb));

function conflict(n, rgb) {
  let s = 0;
  for (const [m, len] of near.get(n) || []) {
    const d = colourDistance(rgb, colour.get(m));
    if (d < limit) s += len * (limit - d);
  }
  return s;
}

const changed = new Map();
// The colour nearest the old one among those with the least conflict and no other owner.
function recolour(n) {
  const was = colour.get(n);
  let best = null, bestKey = null;
  for (const c of candidates) {
    if (taken(n, c)) continue;
    const key = [conflict(n, c), colourDistance(c, was)];
    if (!bestKey || key[0] < bestKey[0] || (key[0] === bestKey[0] && key[1] < bestKey[1])) { best = c; bestKey = key; }
  }
  return { best, score: bestKey ? bestKey[0] : Infinity };
}

// A colour shared: the nation readers know by it (else the first) keeps it.
const rank = [...colour.keys()].sort((a, b) => (KEEP.has(b) ? 1 : 0) - (KEEP.has(a) ? 1 : 0));
const owner = new Map();
for (const n of rank) {
  const c = shown(colour.get(n));
  if (!owner.has(c)) { owner.set(c, n); continue; }
  const { best } = recolour(n);
  colour.set(n, best);
  changed.set(n, best);
}

for (let round = 0; round < 400; ++round) {
  let worst = null, worstScore = 0;
  for (const n of colour.keys()) {
    if (KEEP.has(n)) continue;
    const s = conflict(n, colour.get(n));
    if (s > worstScore) { worst = n; worstScore = s; }
  }
  if (!worst) break;
  const { best, score } = recolour(worst);
  if (score >= worstScore) break;
  colour.set(worst, best);
  changed.set(worst, best);
}

for (const [n, c] of changed) console.log(`${n} ${c.join(',')}`);
if (write && changed.size) {
  const out = text.replace(/^nation (\S+) (\d+,\d+,\d+) /gm, (all, n, rgb) => (changed.has(n) ? `nation ${n} ${changed.get(n).join(',')} ` : all));
  fs.writeFileSync(file, out);
}
