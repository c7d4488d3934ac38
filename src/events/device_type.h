#pragma once

#include <cstdint>

namespace wrenhollow {

// The string id of the Device Type column for a device's USB class codes: 2000 + class, with the wireless
// (0xE0) and miscellaneous (0xEF) classes told apart by subclass and protocol; 2000 ("Unknown") for a class
// beyond one byte.
unsigned DeviceTypeStringId(uint32_t classCode, uint32_t subclassCode, uint32_t protocolCode);

}  // namespace wrenhollow
