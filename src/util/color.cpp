#include "util/color.h"

namespace wrenhollow {

Color BlendColor(const Color* stops, int count, int value, int maximum) {
  if (count <= 0) return 0;
  if (count == 1) return stops[0];
  double f = maximum != 0 ? static_cast<double>(value) / maximum : 0.0;
  if (!(f > 0.0)) f = 0.0;
  if (f > 1.0) f = 1.0;
  const double position = (count - 1) * f;
  int segment = static_cast<int>(position);
  if (segment > count - 2) segment = count - 2;
  const double t = position - segment;
  Color result = 0;
  for (int shift = 0; shift < 24; shift += 8) {
    const double a = (stops[segment] >> shift) & 0xFF;
    const double b = (stops[segment + 1] >> shift) & 0xFF;
    result |= static_cast<Color>(a + (b - a) * t) << shift;
  }
  return result;
}

}  // namespace wrenhollow
