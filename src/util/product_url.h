#pragma once

namespace wrenhollow {

// The program's web page, which the About box and the credit line of an HTML report link to.
constexpr const char* kProductUrl = "http://wrenhollow.org/";

}  // namespace wrenhollow
