#include "ui/dialog_win32.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/recording_reporter.h"
#include "ui/test_dialogs.h"

namespace wrenhollow {
namespace {

constexpr UINT kFaultMessage = WM_APP + 1;
constexpr UINT kStoreResultMessage = WM_APP + 2;

// Presses a button as soon as the dialog is up, so the modal loop ends by itself.
class PressingDialog : public CommandDialog {
 public:
  explicit PressingDialog(WORD button) : CommandDialog(TEST_DIALOG_ID), button(button) {}

  int OnInitDialog() override {
    foundInMap = TheDialogMap().Find(hwnd) == this;
    PostMessageA(hwnd, WM_COMMAND, MAKEWPARAM(button, 0), 0);
    return CommandDialog::OnInitDialog();
  }
  int OnCommand(WORD notification, WPARAM wParam, LPARAM lParam) override {
    calls.push_back("command " + std::to_string(notification) + " " + std::to_string(LOWORD(wParam)));
    return CommandDialog::OnCommand(notification, wParam, lParam);
  }
  void ExchangeData(bool toControls) override { calls.push_back(toControls ? "to controls" : "from controls"); }
  void UpdateControls() override { calls.push_back("update"); }

  WORD button;
  bool foundInMap = false;
  std::vector<std::string> calls;
};

TEST(RunModalTest, ThePressedButtonEndsTheDialogAndAMissingTemplateGivesMinusOne) {
  const struct { WORD button; INT_PTR result; std::vector<std::string> calls; } cases[] = {
      {IDOK, IDOK, {"to controls", "update", "command 0 1", "from controls", "update"}},
      {IDCANCEL, IDCANCEL, {"to controls", "update", "command 0 2", "update"}},
  };
  for (const auto& c : cases) {
    PressingDialog dialog(c.button);
    EXPECT_EQ(RunModal(TEST_DIALOG_ID, &dialog, nullptr), c.result);
    EXPECT_TRUE(dialog.foundInMap);
    EXPECT_EQ(dialog.calls, c.calls);
  }
  PressingDialog dialog(IDOK);
  EXPECT_TRUE(dialog.DoModal(nullptr));
  PressingDialog missing(IDOK);
  EXPECT_EQ(RunModal(TEST_DIALOG_ID + 100, &missing, nullptr), -1);
  EXPECT_TRUE(missing.calls.empty());
}

class ModelessDialog : public Dialog {
 public:
  ModelessDialog() : Dialog(TEST_DIALOG_ID) {}
  INT_PTR DialogProc(UINT message, WPARAM, LPARAM) override {
    if (message == kFaultMessage) return 5 + ReadThroughNull();
    if (message == kStoreResultMessage) {
      resultSet = true;
      result = 99;
      return TRUE;
    }
    return 0;
  }
};

TEST(CreateModelessTest, ShownWithChildControlsAndMappedUntilTheObjectGoes) {
  HWND handle = nullptr;
  {
    ModelessDialog dialog;
    dialog.CreateModeless(nullptr);
    handle = dialog.Handle();
    ASSERT_NE(handle, nullptr);
    EXPECT_TRUE(IsWindowVisible(handle));
    EXPECT_EQ(TheDialogMap().Find(handle), &dialog);
    // A stored result is what the sender of the message gets.
    EXPECT_EQ(SendMessageA(handle, kStoreResultMessage, 0, 0), 99);
    HWND control = dialog.CreateChildControl(0, "STATIC", WS_CHILD | WS_VISIBLE, 1, 2, 30, 10, 1234);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(GetDlgItem(handle, 1234), control);
    EXPECT_EQ(GetParent(control), handle);
    char className[16] = {};
    GetClassNameA(control, className, sizeof className);
    EXPECT_STRCASEEQ(className, "static");
    DestroyWindow(handle);
    EXPECT_EQ(TheDialogMap().Find(handle), &dialog);
  }
  EXPECT_EQ(TheDialogMap().Find(handle), nullptr);
}

TEST(SharedDialogProcTest, AFaultingHandlerIsReportedAndAnswersZero) {
  ScopedReporter scoped(RecordFaultAndContinue);
  ModelessDialog dialog;
  dialog.CreateModeless(nullptr);
  ASSERT_NE(dialog.Handle(), nullptr);
  EXPECT_EQ(SendMessageA(dialog.Handle(), kFaultMessage, 0, 0), 0);
  EXPECT_EQ(reportedFault.calls, 1);
  EXPECT_EQ(reportedFault.code, 0xC0000005u);
  EXPECT_EQ(reportedFault.owner, dialog.Handle());
  EXPECT_EQ(SendMessageA(dialog.Handle(), kStoreResultMessage, 0, 0), 99);
  DestroyWindow(dialog.Handle());
}

}  // namespace
}  // namespace wrenhollow
