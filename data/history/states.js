'use strict';
// Who is a state: a territory in a colour of its own is a state at that date,
// sovereign or with a ruler of its own under a lord; a province is drawn as the
// state it is part of. The checks of that rule on the faces' histories.
const { ownerAt } = require('./history');

// Spans [from, to) in which a timeline's value is set, to LAST when it stays.
function spans(tl, last) {
  const out = [];
  tl.forEach(([d, v], i) => {
    if (v) out.push({ from: d, to: i + 1 < tl.length ? tl[i + 1][0] : last, value: v });
  });
  return out;
}

// faces: [{ held, tl, cx, cy }] (holder and drawn histories); lords and parts:
// Map nation -> timeline of its lord and of the state it is part of; dates:
// every date where anything changes. Returns the faults, each { date, nation,
// face, text }: a nation drawn in its own colour while it is a province, and a
// nation in or part of a lord that holds no land then (a lord left over from
// an earlier age).
function checkStates({ faces, lords, parts, dates, last }) {
  const faults = [];
  const provinceSpans = new Map([...parts].map(([n, tl]) => [n, spans(tl, last)]));
  faces.forEach((face, fi) => {
    if (!face) return;
    face.tl.forEach(([d, o], i) => {
      if (!o) return;
      const to = i + 1 < face.tl.length ? face.tl[i + 1][0] : last;
      const s = provinceSpans.get(o).find((p) => p.from < to && d < p.to);
      if (s) faults.push({ date: Math.max(d, s.from), nation: o, face: fi, text: `${o} is part of ${s.value} but drawn in its own colour` });
    });
  });
  const seen = new Set();
  for (const d of dates) {
    const holders = new Map();
    faces.forEach((face, fi) => {
      if (!face) return;
      const o = ownerAt(face.held, d);
      if (o && !holders.has(o)) holders.set(o, fi);
    });
    for (const [n, fi] of holders) {
      const lord = ownerAt(lords.get(n) || [], d);
      if (!lord || holders.has(lord) || seen.has(`${n} ${lord}`)) continue;
      seen.add(`${n} ${lord}`);
      const how = ownerAt(parts.get(n) || [], d) ? 'part of' : 'in';
      faults.push({ date: d, nation: n, face: fi, text: `${n} is ${how} ${lord}, which holds no land` });
    }
  }
  return faults.sort((a, b) => a.date - b.date);
}

module.exports = { checkStates, spans };
