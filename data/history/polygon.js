'use strict';
// Whether a point lies inside a polygon given as rings (even-odd rule).
function insidePolygon(poly, x, y) {
  let c = false;
  for (const ring of poly)
    for (let i = 0, j = ring.length - 1; i < ring.length; j = i++) {
      const [xi, yi] = ring[i], [xj, yj] = ring[j];
      if ((yi > y) !== (yj > y) && x < ((xj - xi) * (y - yi)) / (yj - yi) + xi) c = !c;
    }
  return c;
}

module.exports = { insidePolygon };
