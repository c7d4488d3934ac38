#pragma once

#include <optional>
#include <string>
#include <vector>

#include "events/usb_event.h"

namespace wrenhollow {

// What a tray balloon says; both are cut to what the system shows (63 and 255 characters).
struct NotificationText {
  std::string title;
  std::string text;
  std::vector<size_t> rows;  // the positions, in the rows given, of those the balloon is about
};

// The balloon for the rows one reading added, in their order; nothing when none of them is worth one. With
// onlyNew, only the Plug rows of devices never seen before count. One row: what happened as the title, then its
// description, vendor and product names and drive letters, a line each. Several: a summary as the title and their
// descriptions.
std::optional<NotificationText> NotificationFor(const std::vector<const UsbEvent*>& rows, bool onlyNew);

}  // namespace wrenhollow
