'use strict';
// Who held a place at a date, from the last build's faces:
//   node where.js YEAR LON,LAT [LON,LAT ...]
const fs = require('fs');
const path = require('path');
const { toMap } = require('../geo/projection');
const { ownerAt } = require('./history');
const { readFaces, inFace } = require('./seal');

// The face (an index of faces) holding the map point x, y; -1 for none.
function faceAt(faces, x, y) {
  return faces.findIndex((polys) => polys && inFace(polys, x, y));
}

function main() {
  const work = path.join(__dirname, '.cache', 'work');
  const owners = JSON.parse(fs.readFileSync(path.join(work, 'face-owners.json'), 'utf8'));
  const faces = readFaces(fs.readFileSync(path.join(work, 'faces.wkt'), 'utf8'));
  const date = Math.round(Number(process.argv[2]) * 10);
  for (const arg of process.argv.slice(3)) {
    const [lon, lat] = arg.split(',').map(Number);
    const id = faceAt(faces, ...toMap(lon, lat));
    if (id < 0) { console.log(`${arg}: no land face`); continue; }
    const f = owners[id];
    console.log(`${arg}: face ${id} ${ownerAt(f.tl, date)}${f.shapes.length ? ` (cells ${f.shapes.join(',')})` : ''}; ${f.tl.map(([d, o]) => `${d / 10}=${o}`).join(' ')}`);
  }
}

if (require.main === module) main();

module.exports = { faceAt };
