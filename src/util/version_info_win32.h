#pragma once

namespace wrenhollow {

// Size of each text of a VersionInfo.
constexpr int kVersionTextSize = 256;

// The texts of a file's version resource; all start empty.
struct VersionInfo {
  char productName[kVersionTextSize] = "";
  char fileDescription[kVersionTextSize] = "";
  char fileVersion[kVersionTextSize] = "";
  char productVersion[kVersionTextSize] = "";
  char companyName[kVersionTextSize] = "";
  char internalName[kVersionTextSize] = "";
  char legalCopyright[kVersionTextSize] = "";
  char originalFileName[kVersionTextSize] = "";
};

// Reads the eight texts from the string table the file's first translation names, or from "040904E4" when it
// names none or a missing one; each is cut to 255 characters and stripped of outer spaces, and a missing key
// leaves its text empty. False, with the record untouched, when the file has no version resource or it
// cannot be read.
bool ReadVersionInfo(const char* fileName, VersionInfo* info);

}  // namespace wrenhollow
