'use strict';
// Text to bytes in a Windows code page; a character the page lacks is an error.

function encoder(label) {
  const dec = new TextDecoder(label);
  const table = new Map();
  for (let b = 0; b < 256; ++b) {
    const ch = dec.decode(Uint8Array.of(b));
    if (ch !== '\ufffd' && !table.has(ch)) table.set(ch, b);
  }
  return (text) => {
    const out = Buffer.alloc(text.length);
    let n = 0;
    for (const ch of text) {
      const b = table.get(ch);
      if (b === undefined) throw new Error(`"${ch}" (U+${ch.codePointAt(0).toString(16)}) is not in ${label}: ${text.slice(0, 60)}`);
      out[n++] = b;
    }
    return out.subarray(0, n);
  };
}

module.exports = { encoder };
