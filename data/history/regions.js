'use strict';
// Regions: the land of a province, drawn in its state's colour, keeps its name
// for the identify click as a place without a label (size 0): the click names
// the smallest place whose box holds the point and whose seed shows the colour
// clicked, so "Bohemia (State: Austrian Empire)".
const { ownerAt } = require('./history');
const { spans } = require('./states');

// nations: [{ key, names }], faces: [{ held, cx, cy, r }], parts: Map nation ->
// timeline of the state it is part of; boxes: the map box of each face. One
// place for each name a province bears while it is one, and again wherever
// it loses all the land it held at the start: its box spans every face it
// holds then, its seed is the widest point of a face it holds throughout.
function regionPlaces(nations, faces, parts, boxes, last) {
  const places = [];
  for (const n of nations) {
    for (const s of spans(parts.get(n.key) || [], last)) {
      // Dates within the span where the name or the land changes.
      const cuts = new Set([s.from]);
      n.names.forEach((e) => { if (e.from > s.from && e.from < s.to) cuts.add(e.from); });
      faces.forEach((f) => {
        if (f) for (const [d] of f.held) if (d > s.from && d < s.to) cuts.add(d);
      });
      const dates = [...cuts].sort((a, b) => a - b);
      const heldAt = (d) => faces.map((f, i) => (f && ownerAt(f.held, d) === n.key ? i : -1)).filter((i) => i >= 0);
      let cur = null;
      for (const d of dates) {
        const era = n.names.filter((e) => e.from <= d).length - 1;
        const held = heldAt(d);
        if (cur && cur.era === era) {
          const still = cur.common.filter((i) => held.includes(i));
          if (still.length) {
            cur.common = still;
            held.forEach((i) => cur.faces.add(i));
            continue;
          }
        }
        if (cur) places.push({ ...cur, to: d });
        cur = held.length ? { nation: n, era, from: d, common: held, faces: new Set(held) } : null;
      }
      if (cur) places.push({ ...cur, to: s.to });
    }
  }
  for (const p of places) {
    const seed = p.common.reduce((a, b) => (faces[b].r > faces[a].r ? b : a));
    const x = Math.round(faces[seed].cx), y = Math.round(faces[seed].cy);
    let box = [Infinity, Infinity, -Infinity, -Infinity];
    for (const i of p.faces) {
      const b = boxes[i];
      box = [Math.min(box[0], b[0]), Math.min(box[1], b[1]), Math.max(box[2], b[2]), Math.max(box[3], b[3])];
    }
    p.cx = x;
    p.cy = y;
    p.box = box.map((v, k) => (k < 2 ? Math.floor(v) : Math.ceil(v)));
    p.labels = [{ x, y, size: 0 }, { x, y, size: 0 }];
    p.region = true;
    delete p.common;
    delete p.faces;
  }
  return places;
}

module.exports = { regionPlaces };
