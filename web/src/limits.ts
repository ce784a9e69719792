// The record holds the positions 0 to 30 cm; the core refuses more (the page only sizes its table by it).
export const kMaxPositions = 31;
