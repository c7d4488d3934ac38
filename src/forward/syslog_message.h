#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "util/clock.h"
#include "util/json.h"

namespace wrenhollow {

// The most bytes of one message sent as a UDP datagram, well below a typical path's MTU so that it is never
// fragmented.
constexpr size_t kSyslogDatagramMaxLength = 1400;
// "notice": a device came or went, which is normal but worth a look.
constexpr int kSyslogSeverity = 5;

// The computer's name as a syslog HOSTNAME: printable US-ASCII characters only (others are left out), at most
// 255 of them, "-" when none is left.
std::string SyslogHostName(std::string_view computerName);

// "<PRI>1 TIMESTAMP HOSTNAME Wrenhollow PROCID usb - ", the header of a message without structured data: PRI is
// facility * 8 + 5, TIMESTAMP the UTC moment to the millisecond ("-" for 0). hostName is a SyslogHostName.
std::string FormatSyslogHeader(int facility, FileTime time, std::string_view hostName, uint32_t processId);

// The header followed by the members as one JSON object, with "dropped":N as a number at its end when events
// were dropped before this one. When that takes more than maxLength bytes, the longest values are cut, each at
// a character's end, to one common length at which the message fits.
std::string FormatSyslogMessage(std::string_view header, JsonMembers members, uint64_t dropped, size_t maxLength);

// "LEN MSG": the message framed by octet counting for a stream, LEN its length in bytes.
std::string FrameOctetCounted(std::string_view message);

}  // namespace wrenhollow
