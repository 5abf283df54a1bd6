'use strict';
// A fault in the sources: the build stops with its message.
class SourceError extends Error {}
module.exports = { SourceError };
