#include "util/dpi_scale.h"

#include <climits>
#include <cstdint>
#include <cstdlib>

namespace wrenhollow {
namespace {

int UsableDpi(int dpi) { return dpi < kBaseDpi ? kBaseDpi : dpi; }

// value * numerator / denominator to the nearest integer, halves away from zero, held to the range of int.
int MultiplyDivide(int value, int numerator, int denominator) {
  const int64_t product = static_cast<int64_t>(value) * numerator;
  const int64_t magnitude = (std::llabs(product) + denominator / 2) / denominator;
  const int64_t rounded = product < 0 ? -magnitude : magnitude;
  if (rounded > INT_MAX) return INT_MAX;
  if (rounded < INT_MIN) return INT_MIN;
  return static_cast<int>(rounded);
}

}  // namespace

int ScaleToDpi(int size, int dpi) { return MultiplyDivide(size, UsableDpi(dpi), kBaseDpi); }

int UnscaleFromDpi(int pixels, int dpi) {
  const int size = MultiplyDivide(pixels, kBaseDpi, UsableDpi(dpi));
  if (size == 0 && pixels != 0) return pixels > 0 ? 1 : -1;
  return size;
}

}  // namespace wrenhollow
