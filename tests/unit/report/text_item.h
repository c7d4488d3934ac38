// Items whose columns are fixed texts, shared by the tests of what lists do with their items.
#pragma once

#include <cstdio>
#include <cstring>

#include "report/report_item.h"

namespace wrenhollow::test {

inline int releasedItems = 0;

// Columns 0 and 1 compare as text; column 2 answers itself: a shorter text sorts first. Releases are counted.
struct TextItem : ReportItem {
  const char* texts[3];
};

inline const ReportItemOps kTextItemOps = {
    [](const ReportItem& item, int column, char* buffer, size_t size) -> const char* {
      std::snprintf(buffer, size, "%s", static_cast<const TextItem&>(item).texts[column]);
      return buffer;
    },
    [](const ReportItem& item, int column, const ReportItem& other) {
      if (column != 2) return kCompareByText;
      const auto length = [](const ReportItem& each) { return std::strlen(static_cast<const TextItem&>(each).texts[2]); };
      return length(item) < length(other) ? -1 : 0;
    },
    [](const ReportItem&, const ReportItem&) { return 0; },
    [](ReportItem&) { ++releasedItems; },
};

// An image and an overlay that the list must not keep.
inline TextItem Texts(const char* a, const char* b = "", const char* c = "", uint16_t flags = 0) {
  return TextItem{{&kTextItemOps, flags, 0, 7, 7}, {a, b, c}};
}

}  // namespace wrenhollow::test
