// The record holds the positions 0 to 30 cm; the core refuses more (the page only sizes its table by it).
export const kMaxPositions = 31;
// How much of a chosen or dropped file the page reads: more than any of the core's readers takes (4 MiB for
// a measurement file), so each still refuses a larger file as too large in its own words, and a file of
// gigabytes dropped by mistake is never read whole (a browser cannot).
export const kLargestRead = 16 * 1024 * 1024;
