'use strict';
// Descriptions are shown by the hypertext viewer from a string, so they may
// hold only its plain formatting tags, each closed again; entities are not
// translated there, so "&" is not allowed at all.

const PAIRED = ['b', 'i', 'u', 'big', 'small', 'sup', 'sx'];
const SINGLE = ['br', 'p', 'hr'];

// The first problem of a description, or null.
function checkMarkup(text) {
  if (text.includes('&')) return 'a description may not hold "&" (write "and")';
  const open = [];
  const re = /<([^<>]*)>/g;
  let last = 0;
  let m;
  while ((m = re.exec(text))) {
    if (/[<>]/.test(text.slice(last, m.index))) return 'a stray "<" or ">"';
    last = re.lastIndex;
    const tag = m[1];
    if (SINGLE.includes(tag)) continue;
    if (PAIRED.includes(tag)) {
      open.push(tag);
      continue;
    }
    if (tag.startsWith('/') && PAIRED.includes(tag.slice(1))) {
      if (open.pop() !== tag.slice(1)) return `"<${tag}>" closes nothing open`;
      continue;
    }
    return `unknown tag "<${tag}>"`;
  }
  if (/[<>]/.test(text.slice(last))) return 'a stray "<" or ">"';
  if (open.length) return `"<${open[open.length - 1]}>" is never closed`;
  return null;
}

module.exports = { checkMarkup };
