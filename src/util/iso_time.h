#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "util/clock.h"

namespace wrenhollow {

// "2026-12-07T02:08:30.123Z": the UTC moment to the millisecond (cut, not rounded); "" for 0.
std::string FormatIsoUtc(FileTime utc);
// The moment such a text names, exactly in that form (years 1601 to 9999); nothing for any other text.
std::optional<FileTime> ParseIsoUtc(std::string_view text);

}  // namespace wrenhollow
