#include "portable/usb_ids_builtin.h"

// The list goes in as raw bytes with the assembler's .incbin, so that no generated source of several megabytes
// has to be compiled. WRENHOLLOW_USB_IDS_FILE is the list's absolute path, set by the build.
asm(".pushsection .rodata\n"
    ".balign 16\n"
    "wrenhollow_usb_ids_begin:\n"
    ".incbin \"" WRENHOLLOW_USB_IDS_FILE "\"\n"
    "wrenhollow_usb_ids_end:\n"
    ".byte 0\n"
    ".popsection\n");

extern "C" const char wrenhollow_usb_ids_begin[];
extern "C" const char wrenhollow_usb_ids_end[];

namespace wrenhollow {

std::string_view BuiltinUsbIds() {
  return std::string_view(wrenhollow_usb_ids_begin,
                          static_cast<size_t>(wrenhollow_usb_ids_end - wrenhollow_usb_ids_begin));
}

}  // namespace wrenhollow
