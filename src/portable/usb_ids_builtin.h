#pragma once

#include <string_view>

namespace wrenhollow {

// The usb.ids list built into the portable program (resources/usb.ids), standing in for the Windows build's
// resource "BIN" 112. Followed in memory by one zero byte, which the view does not include.
std::string_view BuiltinUsbIds();

}  // namespace wrenhollow
