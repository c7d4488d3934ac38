#pragma once

#include <string_view>

namespace wrenhollow {

// Resource id of the usb.ids list carried in the program (type "BIN").
constexpr int kUsbIdsResource = 112;

// The program's own usb.ids resource, up to its first zero byte or its end; empty when the resource is missing
// or cannot be loaded. The bytes live as long as the program's module.
std::string_view ResourceUsbIds();

}  // namespace wrenhollow
