#pragma once

namespace wrenhollow {

// The resolution at which the program's fixed sizes are given and its settings store them: 100 % scaling.
constexpr int kBaseDpi = 96;

// A size given as at 96 DPI, in pixels of a screen of dpi dots per inch, rounded to the nearest pixel with
// halves away from zero (as MulDiv rounds). A dpi below 96, 0 included, counts as 96: Windows never scales
// below 100 %, and a smaller scale could not bring every stored size back.
int ScaleToDpi(int size, int dpi);

// The inverse, screen pixels back to the size as at 96 DPI, rounded the same way; a size that is not 0 never
// becomes 0 (a narrow column that shows must not be stored as hidden). For every size and dpi,
// UnscaleFromDpi(ScaleToDpi(size, dpi), dpi) == size, so saving what was loaded changes nothing.
int UnscaleFromDpi(int pixels, int dpi);

}  // namespace wrenhollow
