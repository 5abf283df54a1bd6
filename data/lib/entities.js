'use strict';
// The viewer's entity table, in its order. An entity written in a page is
// replaced by the viewer with the character given here.
const ENTITIES = [
  ['&nbsp;', ' '], ['&amp;', '&'], ['&euml;', '\u00eb'], ['&egrave;', '\u00e8'],
  ['&eacute;', '\u00e9'], ['&oacute;', '\u00f3'], ['&ccedil;', '\u00e7'], ['&ouml;', '\u00f6'],
  ['&uuml;', '\u00fc'], ['&ocirc;', '\u00f4'], ['&aacute;', '\u00e1'], ['&auml;', '\u00e4'],
  ['&ntilde;', '\u00f1'], ['&acirc;', '\u00e2'], ['&copy;', '\u00a9'], ['&deg;', '\u00b0'],
  ['&#353;', '\u0161'], ['&3287;', '\u011f'],
];

module.exports = { ENTITIES };
