#include "ui/window_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lang/language_fixture_win32.h"
#include "ui/recording_reporter.h"

namespace wrenhollow {
namespace {

constexpr UINT kFaultMessage = WM_APP + 1;
constexpr WORD kHandledCommand = 7;
constexpr char kClassName[] = "WrenhollowTestWindow";

class TestWindow : public Window {
 public:
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == kFaultMessage) return 5 + ReadThroughNull();
    return DispatchDefault(message, wParam, lParam);
  }
  void OnCreate() override {
    calls.push_back("create found=" + std::to_string(TheWindowMap().Find(hwnd) == this) +
                    " rtl=" + std::to_string((GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_LAYOUTRTL) != 0));
  }
  void OnCommand(WORD notification, WPARAM wParam, LPARAM) override {
    calls.push_back("command " + std::to_string(notification) + " " + std::to_string(LOWORD(wParam)));
    if (LOWORD(wParam) == kHandledCommand) {
      handled = true;
      result = 42;
    }
  }
  void OnSize() override { calls.push_back("size " + std::to_string(message)); }
  void OnDestroy() override { calls.push_back("destroy " + std::to_string(message)); }
  bool Created() const { return created; }

  std::vector<std::string> calls;
};

HWND CreateTestWindow(TestWindow* window) {
  WNDCLASSA windowClass{};
  windowClass.lpfnWndProc = SharedWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kClassName;
  RegisterClassA(&windowClass);  // a second registration fails harmlessly
  return CreateWindowExA(0, kClassName, "Title", WS_OVERLAPPEDWINDOW, 0, 0, 200, 100, nullptr, nullptr,
                         GetModuleHandleA(nullptr), window);
}

TEST(SharedWindowProcTest, HandlersRunThroughTheMapUntilTheWindowIsGone) {
  TestWindow window;
  HWND handle = CreateTestWindow(&window);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(window.Handle(), handle);
  EXPECT_TRUE(window.Created());
  EXPECT_EQ(TheWindowMap().Find(handle), &window);

  EXPECT_EQ(SendMessageA(handle, WM_COMMAND, MAKEWPARAM(kHandledCommand, 0), 0), 42);
  EXPECT_EQ(SendMessageA(handle, WM_COMMAND, MAKEWPARAM(9, 1), 0), 0);
  SendMessageA(handle, WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
  // Unclaimed messages reach DefWindowProcA, which keeps the text.
  SendMessageA(handle, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("Changed"));
  char text[32] = {};
  GetWindowTextA(handle, text, sizeof text);
  EXPECT_STREQ(text, "Changed");

  EXPECT_TRUE(DestroyWindow(handle));
  EXPECT_EQ(TheWindowMap().Find(handle), nullptr);
  const std::vector<std::string> expected = {"create found=1 rtl=0", "command 0 7", "command 1 9", "size 5",
                                             "destroy 2"};
  EXPECT_EQ(window.calls, expected);
}

// The window lays out right to left, for a language that asks for it, before its own OnCreate runs.
TEST(SharedWindowProcTest, ARightToLeftLanguageMirrorsTheWindowBeforeItsOnCreate) {
  for (const char* rtl : {"1", "2"}) {
    test::InstalledLanguage language;
    language.Load(std::string("[general]\r\nrtl=") + rtl);
    TestWindow window;
    DestroyWindow(CreateTestWindow(&window));
    EXPECT_EQ(window.calls.at(0), std::string("create found=1 rtl=") + (rtl[0] == '1' ? "1" : "0")) << rtl;
  }
}

// The reporter's own message loop runs handlers; one that faults then must not report a second time.
HWND faultAgainWindow = nullptr;
int ReportAndFaultAgain(EXCEPTION_POINTERS* pointers, HWND owner) {
  SendMessageA(faultAgainWindow, kFaultMessage, 0, 0);
  return RecordFaultAndContinue(pointers, owner);
}

TEST(SharedWindowProcTest, AFaultingHandlerAnswersZeroIsReportedOnceAndTheWindowGoesOn) {
  const struct { FaultReporter reporter; int expectedCalls; } cases[] = {
      {nullptr, 0}, {RecordFaultAndContinue, 1}, {ReportAndFaultAgain, 1}};
  for (const auto& c : cases) {
    ScopedReporter scoped(c.reporter);
    TestWindow window;
    HWND handle = faultAgainWindow = CreateTestWindow(&window);
    ASSERT_NE(handle, nullptr);
    EXPECT_EQ(SendMessageA(handle, kFaultMessage, 0, 0), 0);
    EXPECT_EQ(reportedFault.calls, c.expectedCalls);
    if (c.expectedCalls > 0) {
      EXPECT_EQ(reportedFault.code, 0xC0000005u);
      EXPECT_EQ(reportedFault.owner, handle);
    }
    EXPECT_EQ(SendMessageA(handle, WM_COMMAND, MAKEWPARAM(kHandledCommand, 0), 0), 42);
    DestroyWindow(handle);
  }
}

// A report whose own dialog faults after disabling its owner.
int DisableOwnerAndFault(EXCEPTION_POINTERS*, HWND owner) {
  ++reportedFault.calls;
  EnableWindow(owner, FALSE);
  return ReadThroughNull();
}

TEST(SharedWindowProcTest, AReportThatFaultsItselfLeavesTheOwnerEnabledAndLaterFaultsReported) {
  ScopedReporter scoped(DisableOwnerAndFault);
  TestWindow window;
  HWND handle = CreateTestWindow(&window);
  ASSERT_NE(handle, nullptr);
  for (int calls : {1, 2}) {
    EXPECT_EQ(SendMessageA(handle, kFaultMessage, 0, 0), 0);
    EXPECT_EQ(reportedFault.calls, calls);
    EXPECT_TRUE(IsWindowEnabled(handle));
  }
  DestroyWindow(handle);
}

}  // namespace
}  // namespace wrenhollow
