'use strict';
// Who held a place at a date, from the last build's faces:
//   node where.js YEAR LON,LAT [LON,LAT ...]
const fs = require('fs');
const path = require('path');
const { insidePolygon } = require('./polygon');
const { toMap } = require('../geo/projection');
const { ownerAt } = require('./history');

const work = path.join(__dirname, '.cache', 'work');
const owners = JSON.parse(fs.readFileSync(path.join(work, 'face-owners.json'), 'utf8'));
const rings = [];
for (const line of fs.readFileSync(path.join(work, 'faces.wkt'), 'utf8').split('\n')) {
  const sp = line.indexOf(' ');
  if (sp < 0) continue;
  const id = Number(line.slice(0, sp));
  const polys = [];
  for (const m of line.slice(sp + 1).matchAll(/\(\(([^()]*(?:\),\([^()]*)*)\)\)/g))
    polys.push(m[1].split('),(').map((r) => r.split(',').map((p) => p.trim().split(' ').map(Number))));
  rings.push({ id, polys });
}
const date = Math.round(Number(process.argv[2]) * 10);
for (const arg of process.argv.slice(3)) {
  const [lon, lat] = arg.split(',').map(Number);
  const [x, y] = toMap(lon, lat);
  const hit = rings.find((r) => r.polys.some((p) => insidePolygon(p, x, y)));
  if (!hit) { console.log(`${arg}: no land face`); continue; }
  const f = owners[hit.id];
  console.log(`${arg}: face ${hit.id} ${ownerAt(f.tl, date)}${f.shapes.length ? ` (cells ${f.shapes.join(',')})` : ''}; ${f.tl.map(([d, o]) => `${d / 10}=${o}`).join(' ')}`);
}
