#include "app/app_options.h"

namespace wrenhollow {
namespace {

AppOptions* currentOptions = nullptr;

}  // namespace

void FlipOption(int32_t* option) { *option ^= 1; }

AppOptions* CurrentOptions() { return currentOptions; }

void SetCurrentOptions(AppOptions* options) { currentOptions = options; }

}  // namespace wrenhollow
