// The main window as the user meets it: its title, its list's header, and a handler that faults.
#include "e2e_support.h"

namespace wrenhollow::e2e {
namespace {

TEST(MainWindow, TheTitleKeepsTheProgramNameAndAHeaderClickSorts) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(product.Start());
  const AppWindow app = product.App();
  const struct {
    const char* asked;
    bool taken;
  } titles[] = {{"Something else", false}, {"Wrenhollo", false}, {"WRENHOLLOW - 3 devices", true}, {"", false}};
  std::string shown = "Wrenhollow";
  for (const auto& title : titles) {
    const LRESULT taken = SendMessageA(app.handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(title.asked));
    EXPECT_EQ(taken != 0, title.taken) << title.asked;
    if (title.taken) shown = title.asked;
    EXPECT_EQ(WindowText(app.handle()), shown);
  }

  // Logged in the order of their device ids; the Description column sorts them as text, ignoring case.
  ASSERT_TRUE(PlugDevices(app, {"beta", "Alpha", "Gamma"}));
  auto descriptions = [&] {
    std::vector<std::string> texts;
    for (const ListRow& row : app.ReadRows()) texts.push_back(row.texts.at(3));
    return texts;
  };
  ASSERT_EQ(descriptions(), (std::vector<std::string>{"beta", "Alpha", "Gamma"}));
  std::string error;
  ASSERT_TRUE(app.ClickHeader(3, &error)) << error;
  const std::vector<std::string> sorted = {"Alpha", "beta", "Gamma"};
  EXPECT_TRUE(WaitUntil([&] { return descriptions() == sorted; }, kAnswerMs)) << "not sorted by the click";
  KeepScreenshot(product.Window(), "sorted_rows");
  EXPECT_TRUE(product.Exit());
}

TEST(FaultGuard, ContinueKeepsTheProgramWorkingAndTerminateEndsItWithCode1) {
  ASSERT_TRUE(LoadDevices({}));
  Product product;
  ASSERT_TRUE(product.Start());
  for (const int button : {1, 2}) {  // Continue, then Terminate Application
    SCOPED_TRACE(button);
    // A handler that faults: WM_NOTIFY posted with a pointer that points nowhere.
    ASSERT_TRUE(PostMessageA(product.Window(), WM_NOTIFY, 0, 8));
    HWND dialog = WaitForWindow("#32770", product.ProcessId(), kAnswerMs, "Exception !");
    ASSERT_NE(dialog, nullptr) << "no exception dialog";
    const std::string report = WindowText(GetDlgItem(dialog, IDC_EXCEPTION_REPORT));
    EXPECT_EQ(report.rfind("Exception C0000005 at address ", 0), 0u) << report;
    ASSERT_TRUE(CloseDialog(dialog, button));
  }
  DWORD code = 0;
  ASSERT_TRUE(product.WaitForExit(kAnswerMs, &code)) << "still running after Terminate Application";
  EXPECT_EQ(code, 1u);
}

}  // namespace
}  // namespace wrenhollow::e2e
