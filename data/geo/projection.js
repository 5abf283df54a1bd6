'use strict';
// Lambert conformal conic on WGS84: standard parallels 35N and 65N, origin 48N 20E.
// One map unit is 250 m; x grows east, y grows south.

const A = 6378137;
const F = 1 / 298.257223563;
const E2 = 2 * F - F * F;
const E = Math.sqrt(E2);
const RAD = Math.PI / 180;

const LAT1 = 35 * RAD;
const LAT2 = 65 * RAD;
const LAT0 = 48 * RAD;
const LON0 = 20 * RAD;

const UNIT = 250;
const X_OFFSET = 12804.182;
const Y_OFFSET = 12124.852;

function mFactor(phi) {
  const s = Math.sin(phi);
  return Math.cos(phi) / Math.sqrt(1 - E2 * s * s);
}

function tFactor(phi) {
  const s = Math.sin(phi);
  return Math.tan(Math.PI / 4 - phi / 2) / Math.pow((1 - E * s) / (1 + E * s), E / 2);
}

const N = (Math.log(mFactor(LAT1)) - Math.log(mFactor(LAT2))) /
          (Math.log(tFactor(LAT1)) - Math.log(tFactor(LAT2)));
const AF = A * mFactor(LAT1) / (N * Math.pow(tFactor(LAT1), N));
const RHO0 = AF * Math.pow(tFactor(LAT0), N);

// Easting and northing in metres of a point given in degrees.
function lccForward(lon, lat) {
  const rho = AF * Math.pow(tFactor(lat * RAD), N);
  const theta = N * (lon * RAD - LON0);
  return [rho * Math.sin(theta), RHO0 - rho * Math.cos(theta)];
}

function lccInverse(east, north) {
  const dy = RHO0 - north;
  const rho = Math.sqrt(east * east + dy * dy);
  const t = Math.pow(rho / AF, 1 / N);
  const lon = Math.atan2(east, dy) / N + LON0;
  let phi = Math.PI / 2 - 2 * Math.atan(t);
  for (let i = 0; i < 20; i++) {
    const s = Math.sin(phi);
    const next = Math.PI / 2 - 2 * Math.atan(t * Math.pow((1 - E * s) / (1 + E * s), E / 2));
    if (Math.abs(next - phi) < 1e-13) { phi = next; break; }
    phi = next;
  }
  return [lon / RAD, phi / RAD];
}

// Map units (doubles) of a point given in degrees.
function toMap(lon, lat) {
  const [east, north] = lccForward(lon, lat);
  return [X_OFFSET + east / UNIT, Y_OFFSET - north / UNIT];
}

// Longitude and latitude in degrees of a point given in map units.
function fromMap(x, y) {
  return lccInverse((x - X_OFFSET) * UNIT, (Y_OFFSET - y) * UNIT);
}

module.exports = { toMap, fromMap, lccForward, lccInverse };
