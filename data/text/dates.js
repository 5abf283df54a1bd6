'use strict';
// Dates of the sources as the atlas's date10: the year times ten plus the
// tenth of the year. One rule for a dated day serves the text, the narrative
// anchors and the political history alike: the fraction of the year passed
// by the start of the day, rounded to the nearest tenth, late December
// staying in its year.
//
//   1066          10660   (the year alone: its first tenth)
//   1066.8        10668   (a tenth given outright)
//   1066-10       10668   (a month: the tenth of its 15th day)
//   1066-10-14    10668
//   open          20099   (a last date that has not come)
//   <1945-07-05   19454   (the tenth before: a last date that ends where
//                          the next record begins)

const OPEN_END = 20099;
const MONTH_DAYS = [31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31];

// Julian before the Gregorian reform, Gregorian after.
function isLeap(y) {
  return y <= 1582 ? y % 4 === 0 : (y % 4 === 0 && (y % 100 !== 0 || y % 400 === 0));
}

// The tenth (0..9) of a day of the year y; throws on a day that does not exist.
function tenthOf(y, month, day) {
  const days = MONTH_DAYS.slice();
  if (isLeap(y)) days[1] = 29;
  if (!(month >= 1 && month <= 12)) throw new Error(`no month ${month}`);
  if (!(day >= 1 && day <= days[month - 1])) throw new Error(`no day ${day} in month ${month} of ${y}`);
  let doy = day;
  for (let m = 0; m < month - 1; m++) doy += days[m];
  const total = isLeap(y) ? 366 : 365;
  return Math.min(9, Math.round((doy - 1) * 10 / total));
}

// The date10 of a day; a month alone counts from its 15th.
function dayDate10(y, month, day = 15) {
  return y * 10 + tenthOf(y, month, day);
}

// role "first" or "last": only a last date may be open.
function parseDate(text, role) {
  if (text.startsWith('<')) {
    if (role !== 'last') throw new Error('only a last date can end before another');
    return parseDate(text.slice(1), 'first') - 1;
  }
  if (text === 'open') {
    if (role !== 'last') throw new Error('only a last date can be open');
    return OPEN_END;
  }
  let m = /^(\d{3,4})(?:\.(\d))?$/.exec(text);
  if (m) return Number(m[1]) * 10 + (m[2] ? Number(m[2]) : 0);
  m = /^(\d{3,4})-(\d{2})(?:-(\d{2}))?$/.exec(text);
  if (m) return dayDate10(Number(m[1]), Number(m[2]), m[3] ? Number(m[3]) : 15);
  throw new Error(`"${text}" is no date: write 1066, 1066.8, 1066-10, 1066-10-14 or open`);
}

module.exports = { parseDate, dayDate10, OPEN_END };
