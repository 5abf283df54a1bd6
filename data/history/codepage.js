'use strict';
// The history build's code pages are the shared ones.
module.exports = require('../lib/codepage.js');
