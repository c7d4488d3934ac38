#include "forward/syslog_message.h"

#include <algorithm>

#include "util/iso_time.h"

namespace wrenhollow {
namespace {

// HOSTNAME is at most 255 characters.
constexpr size_t kHostNameMaxLength = 255;

std::string Compose(std::string_view header, const JsonMembers& members, uint64_t dropped) {
  std::string message(header);
  AppendJsonObject(message, members);
  if (dropped > 0) AppendJsonNumberMember(message, "dropped", dropped);
  return message;
}

size_t EscapedLength(std::string_view text) {
  size_t length = 0;
  for (char c : text) length += JsonEscapedLength(c);
  return length;
}

// Cuts the text to the characters whose escaped form fits in limit bytes; a UTF-8 sequence stays whole.
void CutEscaped(std::string& text, size_t limit) {
  size_t length = 0;
  size_t keep = 0;
  while (keep < text.size()) {
    size_t end = keep + 1;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
    const size_t characterLength = EscapedLength(std::string_view(text).substr(keep, end - keep));
    if (length + characterLength > limit) break;
    length += characterLength;
    keep = end;
  }
  text.resize(keep);
}

// How many escaped bytes cutting every value to level saves.
size_t Saving(const std::vector<size_t>& lengths, size_t level) {
  size_t saving = 0;
  for (size_t length : lengths) saving += length > level ? length - level : 0;
  return saving;
}

}  // namespace

std::string SyslogHostName(std::string_view computerName) {
  std::string name;
  for (char c : computerName) {
    if (c > ' ' && c < 0x7F && name.size() < kHostNameMaxLength) name.push_back(c);
  }
  return name.empty() ? "-" : name;
}

std::string FormatSyslogHeader(int facility, FileTime time, std::string_view hostName, uint32_t processId) {
  const std::string timestamp = FormatIsoUtc(time);
  std::string header = "<" + std::to_string(facility * 8 + kSyslogSeverity) + ">1 ";
  header += timestamp.empty() ? "-" : timestamp;
  header += " ";
  header += hostName;
  header += " Wrenhollow " + std::to_string(processId) + " usb - ";
  return header;
}

std::string FormatSyslogMessage(std::string_view header, JsonMembers members, uint64_t dropped, size_t maxLength) {
  std::string message = Compose(header, members, dropped);
  if (message.size() <= maxLength) return message;
  const size_t excess = message.size() - maxLength;
  std::vector<size_t> lengths;
  for (const auto& member : members) lengths.push_back(EscapedLength(member.second));
  // The highest level that saves enough: Saving falls as the level rises.
  size_t low = 0;
  size_t high = *std::max_element(lengths.begin(), lengths.end());
  while (low < high) {
    const size_t level = low + (high - low + 1) / 2;
    if (Saving(lengths, level) >= excess) {
      low = level;
    } else {
      high = level - 1;
    }
  }
  for (size_t i = 0; i < members.size(); ++i) {
    if (lengths[i] > low) CutEscaped(members[i].second, low);
  }
  return Compose(header, members, dropped);
}

std::string FrameOctetCounted(std::string_view message) {
  std::string frame = std::to_string(message.size());
  frame += ' ';
  frame += message;
  return frame;
}

}  // namespace wrenhollow
