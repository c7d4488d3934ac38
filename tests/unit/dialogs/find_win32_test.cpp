#include "dialogs/find_win32.h"

#include <gtest/gtest.h>

#include "report/list_view_fixture_win32.h"

namespace wrenhollow {
namespace {

class FindTest : public ListViewFixture {
 protected:
  void SetUp() override {
    ListViewFixture::SetUp();
    for (const char* name : {"Alpha", "beta", "alphabet", "gamma"}) list_.Add(name, "7");
  }
  // Whether the search found a row, then the selected rows as their first column.
  std::string Find(const char* text, DWORD flags) {
    FINDREPLACEA request{};
    request.Flags = flags;
    request.lpstrFindWhat = const_cast<char*>(text);
    std::string result = FindNext(request, list_.view) ? "found:" : "none:";
    for (int row = 0; row < list_.view.RowCount(); ++row) {
      if (SendMessageA(list_.view.Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) != 0) {
        result += " " + Cell(row, 0);
      }
    }
    return result;
  }
};

TEST_F(FindTest, SearchesAfterTheSelectionWrappingOnceWithTheWholeWordAndCaseOptions) {
  const struct { const char* text; DWORD flags; const char* result; } steps[] = {
      {"alpha", FR_DOWN, "found: Alpha"},  // nothing selected: from the first row
      {"alpha", FR_DOWN, "found: alphabet"}, {"alpha", FR_DOWN, "found: Alpha"},  // wrapped
      {"alpha", 0, "found: alphabet"},                                            // upward from the first row
      {"gamma", FR_DOWN, "found: gamma"}, {"gamma", FR_DOWN, "found: gamma"},     // only the selected row matches
      {"ALPHA", FR_DOWN | FR_WHOLEWORD, "found: Alpha"}, {"alpha", FR_DOWN | FR_MATCHCASE, "found: alphabet"},
      {"alph", FR_DOWN | FR_WHOLEWORD | FR_MATCHCASE, "none: alphabet"},  // a failed search changes nothing
      {"7", FR_DOWN | FR_WHOLEWORD, "found: gamma"},                        // the second column is searched too
  };
  for (const auto& s : steps) EXPECT_EQ(Find(s.text, s.flags), s.result) << s.text << " " << s.flags;
  list_.ClearItems();
  SendMessageA(list_.view.Handle(), LVM_DELETEALLITEMS, 0, 0);
  EXPECT_EQ(Find("a", FR_DOWN) + Find("a", 0), "none:none:");
}

TEST_F(FindTest, OnlyOneDialogAtATimeAndItsClosingIsForgotten) {
  HWND dialog = nullptr;
  ASSERT_TRUE(OpenFind(parent_, &dialog));
  const HWND first = dialog;
  EXPECT_FALSE(OpenFind(parent_, &dialog));
  EXPECT_EQ(dialog, first);
  FINDREPLACEA closing{};
  closing.Flags = FR_DIALOGTERM;
  OnFindMessage(closing, list_.view, &dialog);
  EXPECT_EQ(dialog, nullptr);
  DestroyWindow(first);
}

}  // namespace
}  // namespace wrenhollow
