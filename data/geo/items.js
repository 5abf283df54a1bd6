'use strict';
// Text of the two stored items, and their parsers (used by the checks and tests).

function bbox(pts) {
  let x1 = Infinity, y1 = Infinity, x2 = -Infinity, y2 = -Infinity;
  for (const [x, y] of pts) {
    if (x < x1) x1 = x; if (x > x2) x2 = x;
    if (y < y1) y1 = y; if (y > y2) y2 = y;
  }
  return [x1, y1, x2, y2];
}

// Three lines a feature: "id,T", its box, its points; every line ends with CR LF.
function geoText(features) {
  let s = '';
  features.forEach((f, id) => {
    s += `${id},${f.kind}\r\n`;
    s += `${bbox(f.pts).join(' ')}\r\n`;
    s += `${f.pts.map((p) => `${p[0]},${p[1]}`).join(' ')}\r\n`;
  });
  return s;
}

// One line a seed: "id:x,y,size", ids from 1.
function seedText(seeds) {
  return seeds.map((s, i) => `${i + 1}:${s[0]},${s[1]},${s[2]}\r\n`).join('');
}

function parseGeo(text) {
  const lines = text.split('\r\n');
  if (lines[lines.length - 1] === '') lines.pop();
  const features = [];
  for (let i = 0; i + 2 < lines.length; i += 3) {
    const comma = lines[i].indexOf(',');
    features.push({
      id: parseInt(lines[i].slice(0, comma), 10),
      kind: lines[i][comma + 1],
      box: lines[i + 1].split(' ').map(Number),
      pts: lines[i + 2].split(' ').map((t) => t.split(',').map(Number)),
    });
  }
  return features;
}

function parseSeeds(text) {
  const out = [];
  for (const line of text.split('\r\n')) {
    if (!line) continue;
    const colon = line.indexOf(':');
    const [x, y, size] = line.slice(colon + 1).split(',').map(Number);
    out.push({ id: parseInt(line.slice(0, colon), 10), x, y, size });
  }
  return out;
}

module.exports = { geoText, seedText, parseGeo, parseSeeds, bbox };
