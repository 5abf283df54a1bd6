'use strict';
// Writes the geography item "geo2.txt" and the water seed item "wt1.txt".
const fs = require('fs');
const path = require('path');
const { buildFeatures } = require('./features');
const { placeSeeds } = require('./seeds');
const { geoText, seedText } = require('./items');

function main() {
  const outDir = path.resolve(process.argv[2] || path.join(__dirname, '..', 'items'));
  const log = (m) => console.log(m);
  const geo = buildFeatures(log);
  const seeds = placeSeeds(geo, log);
  const g = geoText(geo.features);
  const w = seedText(seeds);
  fs.mkdirSync(outDir, { recursive: true });
  fs.writeFileSync(path.join(outDir, 'geo2.txt'), g, 'latin1');
  fs.writeFileSync(path.join(outDir, 'wt1.txt'), w, 'latin1');
  const points = geo.features.reduce((n, f) => n + f.pts.length, 0);
  log(`geo2.txt: ${geo.features.length} features, ${points} points, ${g.length} bytes`);
  log(`wt1.txt: ${seeds.length} seeds, ${w.length} bytes`);
}

main();
