#include "app/app_options.h"

namespace wrenhollow {

void FlipOption(int32_t* option) { *option ^= 1; }

}  // namespace wrenhollow
