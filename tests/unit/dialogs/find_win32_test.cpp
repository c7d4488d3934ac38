#include "dialogs/find_win32.h"

#include <gtest/gtest.h>

#include "report/list_view_fixture_win32.h"

namespace wrenhollow {
namespace {

class FindTest : public ListViewFixture {
 protected:
  void SetUp() override {
    ListViewFixture::SetUp();
    for (const char* name : {"Alpha", "beta", "alphabet", "gamma"}) list_.Add(name, 7);
  }
  // The selected rows, as their first column.
  std::string Selection() {
    std::string names;
    for (int row = 0; row < list_.view.RowCount(); ++row) {
      if (SendMessageA(list_.view.Handle(), LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_SELECTED) != 0) {
        names += Cell(row, 0) + " ";
      }
    }
    return names;
  }
  bool Find(const char* text, DWORD flags) {
    FINDREPLACEA request{};
    request.Flags = flags;
    request.lpstrFindWhat = const_cast<char*>(text);
    return FindNext(request, list_.view);
  }
};

TEST_F(FindTest, SearchesAfterTheSelectionAndWrapsOnce) {
  EXPECT_TRUE(Find("alpha", FR_DOWN));
  EXPECT_EQ(Selection(), "Alpha ");  // nothing selected: from the first row
  EXPECT_TRUE(Find("alpha", FR_DOWN));
  EXPECT_EQ(Selection(), "alphabet ");
  EXPECT_TRUE(Find("alpha", FR_DOWN));
  EXPECT_EQ(Selection(), "Alpha ");  // wrapped
  EXPECT_TRUE(Find("alpha", 0));
  EXPECT_EQ(Selection(), "alphabet ");  // upward from the first row wraps to the last
  EXPECT_TRUE(Find("gamma", FR_DOWN));
  EXPECT_TRUE(Find("gamma", FR_DOWN));
  EXPECT_EQ(Selection(), "gamma ");  // only the selected row matches: found again, last
}

TEST_F(FindTest, WholeWordAndCaseOptions) {
  EXPECT_TRUE(Find("ALPHA", FR_DOWN | FR_WHOLEWORD));
  EXPECT_EQ(Selection(), "Alpha ");
  EXPECT_TRUE(Find("alpha", FR_DOWN | FR_MATCHCASE));
  EXPECT_EQ(Selection(), "alphabet ");
  EXPECT_FALSE(Find("alph", FR_DOWN | FR_WHOLEWORD | FR_MATCHCASE));
  EXPECT_EQ(Selection(), "alphabet ");  // a failed search changes nothing
  EXPECT_TRUE(Find("7", FR_DOWN | FR_WHOLEWORD));  // the second column is searched too
}

TEST_F(FindTest, AnEmptyListFindsNothing) {
  list_.ClearItems();
  SendMessageA(list_.view.Handle(), LVM_DELETEALLITEMS, 0, 0);
  EXPECT_FALSE(Find("a", FR_DOWN));
  EXPECT_FALSE(Find("a", 0));
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
