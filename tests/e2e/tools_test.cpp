// The readers the tests rely on must fail on what is not there, or a test could pass by reading nothing: here a
// window of this process with a status bar but no list view, and a handle that is no menu.
#include "e2e_support.h"

#include <commctrl.h>

namespace wrenhollow::e2e {
namespace {

TEST(Tools, ReadersThatSeeNothingFail) {
  HWND window = CreateWindowExA(0, "STATIC", "Tools", WS_OVERLAPPEDWINDOW, 0, 0, 300, 200, nullptr, nullptr,
                                nullptr, nullptr);
  ASSERT_NE(window, nullptr);
  CreateStatusWindowA(WS_CHILD | WS_VISIBLE, "3 item(s)", window, 257);
  const AppWindow app(window);
  EXPECT_EQ(app.StatusText(0), "3 item(s)") << "the reader must see what is there";
  EXPECT_EQ(app.StatusText(4), "");
  EXPECT_EQ(app.RowCount(), -1);
  ListRow row;
  EXPECT_FALSE(app.ReadRow(0, &row));
  EXPECT_TRUE(app.ReadRows().empty());
  std::vector<MenuItem> items;
  std::string error;
  EXPECT_FALSE(ReadMenu(window, reinterpret_cast<HMENU>(0x1234), &items, &error));
  DestroyWindow(window);
}

}  // namespace
}  // namespace wrenhollow::e2e
