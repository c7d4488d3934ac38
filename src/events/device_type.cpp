#include "events/device_type.h"

namespace wrenhollow {

unsigned DeviceTypeStringId(uint32_t classCode, uint32_t subclassCode, uint32_t protocolCode) {
  if (classCode > 255) return 2000;
  if (classCode == 0xE0) {
    if (subclassCode == 1 && protocolCode >= 1 && protocolCode <= 3) return 3000 + protocolCode;
    if (subclassCode == 2 && (protocolCode == 1 || protocolCode == 2)) return 3004;
    if (subclassCode == 2 && protocolCode == 3) return 3005;
  }
  if (classCode == 0xEF && subclassCode == 1 && (protocolCode == 1 || protocolCode == 2)) {
    return 3005 + protocolCode;
  }
  return 2000 + classCode;
}

}  // namespace wrenhollow
