#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <functional>

namespace wrenhollow::test {

// Runs show(), which opens a modal dialog, and calls drive(dialog) from the dialog's own loop once it is up;
// drive must end it. With no drive, show must open no dialog. Returns show's result.
template <typename Show>
auto WhileShown(Show show, std::function<void(HWND)> drive) {
  static std::function<void(HWND)>* pending;
  pending = &drive;
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR id, DWORD) {
    const HWND dialog = FindWindowA("#32770", nullptr);
    if (dialog == nullptr || !IsWindowVisible(dialog) || pending == nullptr) return;
    KillTimer(nullptr, id);
    if (*pending) (*pending)(dialog);
    pending = nullptr;
    // A dialog left open, or one that should not be there, fails the test but not the run.
    if (IsWindowVisible(dialog)) {
      ADD_FAILURE() << "a dialog is open";
      EndDialog(dialog, IDCANCEL);
    }
  });
  auto result = show();
  KillTimer(nullptr, timer);
  EXPECT_EQ(pending == nullptr, static_cast<bool>(drive)) << "whether a dialog was shown";
  pending = nullptr;
  return result;
}

inline void Press(HWND dialog, int id) {
  SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, id)));
}

}  // namespace wrenhollow::test
