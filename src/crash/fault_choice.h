#pragma once

namespace wrenhollow {

// What the user chose after a fault in a message handler was reported.
constexpr int kFaultChoiceContinue = 1;
constexpr int kFaultChoiceTerminate = 2;

}  // namespace wrenhollow
