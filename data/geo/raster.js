'use strict';
// A small rasteriser that draws the geography the way the atlas does: one-pixel
// lines between truncated screen positions, water seeds flood-filled with four
// neighbours, everything clipped to the picture.

const COLOURS = {
  background: 0xd8d4c8,
  water: 0x3070a0,
  coast: 0x204080,
  river: 0x2050a0,
  other: 0xff0000,
};

function lineColour(type) {
  if (type === 'C' || type === 'I' || type === 'L') return COLOURS.coast;
  if (type === 'R') return COLOURS.river;
  if (type === 'E') return COLOURS.water;
  return COLOURS.other;
}

class View {
  // x0, y0: map point drawn at picture position (xc, yc); scale in pixels per unit.
  constructor(x0, y0, scale, width, height, xc = width / 2, yc = height / 2) {
    Object.assign(this, { x0, y0, scale, width, height, xc, yc });
  }
  sx(x) { return (x - this.x0) * this.scale + this.xc; }
  sy(y) { return (y - this.y0) * this.scale + this.yc; }
  mx(sx) { return (sx - this.xc) / this.scale + this.x0; }
  my(sy) { return (sy - this.yc) / this.scale + this.y0; }
}

class Picture {
  constructor(width, height, colour = COLOURS.background) {
    this.width = width;
    this.height = height;
    this.px = new Uint32Array(width * height).fill(colour);
  }

  line(x1, y1, x2, y2, c) {
    const w = this.width, h = this.height;
    if ((x1 < 0 && x2 < 0) || (y1 < 0 && y2 < 0) || (x1 >= w && x2 >= w) || (y1 >= h && y2 >= h)) return;
    const dx = Math.abs(x2 - x1), dy = -Math.abs(y2 - y1);
    const stepx = x1 < x2 ? 1 : -1, stepy = y1 < y2 ? 1 : -1;
    let err = dx + dy, x = x1, y = y1;
    for (;;) {
      if (x >= 0 && y >= 0 && x < w && y < h) this.px[y * w + x] = c;
      if (x === x2 && y === y2) break;
      const e2 = 2 * err;
      if (e2 >= dy) { err += dy; x += stepx; }
      if (e2 <= dx) { err += dx; y += stepy; }
    }
  }

  // Four-neighbour fill of the region of the start pixel's colour.
  fill(x, y, c) {
    const w = this.width, h = this.height, px = this.px;
    const from = px[y * w + x];
    if (from === c) return 0;
    const stack = [y * w + x];
    let n = 0;
    while (stack.length) {
      const i = stack.pop();
      if (px[i] !== from) continue;
      // Run to the left and right, then queue the rows above and below.
      let l = i, r = i;
      const row = i - (i % w);
      while (l > row && px[l - 1] === from) l--;
      while (r < row + w - 1 && px[r + 1] === from) r++;
      for (let k = l; k <= r; k++) px[k] = c;
      n += r - l + 1;
      for (const off of [-w, w]) {
        const start = l + off;
        if (start < 0 || start >= w * h) continue;
        let inRun = false;
        for (let k = start; k <= r + off; k++) {
          if (px[k] === from) { if (!inRun) { stack.push(k); inRun = true; } } else inRun = false;
        }
      }
    }
    return n;
  }
}

// features: [{ kind, pts: [[x, y], ...] }]
function drawFeatures(pic, view, features) {
  const t = Math.trunc;
  const mx1 = view.mx(-1), mx2 = view.mx(pic.width + 1), my1 = view.my(-1), my2 = view.my(pic.height + 1);
  for (const f of features) {
    const c = lineColour(f.kind);
    const pts = f.pts;
    for (let j = 1; j < pts.length; j++) {
      const a = pts[j - 1], b = pts[j];
      if ((a[0] < mx1 && b[0] < mx1) || (a[0] > mx2 && b[0] > mx2) || (a[1] < my1 && b[1] < my1) || (a[1] > my2 && b[1] > my2)) continue;
      pic.line(t(view.sx(a[0])), t(view.sy(a[1])), t(view.sx(b[0])), t(view.sy(b[1])), c);
    }
  }
}

// seeds: [[x, y, size], ...] in id order. Returns the seeds used.
function fillWater(pic, view, seeds) {
  const used = [];
  for (const s of seeds) {
    const sx = view.sx(s[0]), sy = view.sy(s[1]);
    if (!(sx >= 0 && sx <= pic.width - 1 && sy >= 0 && sy <= pic.height - 1 && s[2] * view.scale > 0.1)) continue;
    const x = Math.trunc(sx), y = Math.trunc(sy);
    const p = pic.px[y * pic.width + x];
    if (p !== COLOURS.water && p !== COLOURS.coast) pic.fill(x, y, COLOURS.water);
    used.push(s);
  }
  return used;
}

function render(view, features, seeds) {
  const pic = new Picture(view.width, view.height);
  drawFeatures(pic, view, features);
  if (seeds) fillWater(pic, view, seeds);
  return pic;
}

function writePng(pic, file) {
  const { PNG } = require('pngjs');
  const png = new PNG({ width: pic.width, height: pic.height });
  for (let i = 0; i < pic.px.length; i++) {
    const c = pic.px[i];
    png.data[4 * i] = (c >> 16) & 255;
    png.data[4 * i + 1] = (c >> 8) & 255;
    png.data[4 * i + 2] = c & 255;
    png.data[4 * i + 3] = 255;
  }
  require('fs').writeFileSync(file, PNG.sync.write(png));
}

module.exports = { COLOURS, View, Picture, drawFeatures, fillWater, render, writePng, lineColour };
