#pragma once

// The level of a magnitude ratio: ceil(8 * ln|ratio| / ln 2 + 127), 8 levels
// per doubling of amplitude and 127 for the peak. Negative levels become 0,
// and so do a ratio of 0 and the undefined ratio 0/0. There is no upper clamp.
int k5k_scale(double ratio);
