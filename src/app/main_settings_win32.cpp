#include <cstring>

#include "app/forwarding_settings.h"
#include "app/main_window_win32.h"
#include "util/files_win32.h"
#include "util/profile_files_win32.h"

namespace wrenhollow {

void MainWindow::LoadSaveSettings(int direction) {
  if (noSaveLoad_ || list_ == nullptr) return;
  char programPath[kPathSize];
  GetProgramPath(programPath);
  char path[kConfigPathSize];
  if (!SettingsPathFor(programPath, path)) return;
  Win32ProfileFiles files;
  ConfigStore store(files, direction, path, kSettingsSection);
  if (store.IsSaving()) {
    // Starting from an empty file drops keys and sections this program no longer writes.
    FileHandle emptied(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  }
  if (store.IsSaving() && hwnd != nullptr) {
    WINDOWPLACEMENT current{};
    current.length = sizeof current;
    if (GetWindowPlacement(hwnd, &current)) std::memcpy(&placement_, &current, sizeof placement_);
  }
  static_assert(sizeof(WINDOWPLACEMENT) == sizeof(WindowPlacementRecord), "the stored block is a WINDOWPLACEMENT");
  if (store.IsSaving()) list_->View().CaptureLayout();

  const ListSettings listSettings{&list_->Layout(), &list_->SortValue(), ReportList::kInitialSortValue};
  const bool columnsFound = ExchangeSettings(store, options_, placement_, listSettings);
  // A section of its own, written back at every save like the rest, so that a hand-written one survives.
  ConfigStore forwardingStore(files, direction, path, kForwardingSection);
  ExchangeForwardingSettings(forwardingStore, forwarding_);
  if (options_.startAsHidden != 0) startHidden_ = true;
  if (store.IsSaving()) return;
  ApplyWindowPlacement();
  if (columnsFound) list_->View().ApplyLayout();
}

void MainWindow::ApplyWindowPlacement() {
  if (hwnd == nullptr) return;
  if (!IsPlacementUsable(placement_, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN))) return;
  const UINT loadedShowCommand = placement_.showCommand;
  WINDOWPLACEMENT applied;
  std::memcpy(&applied, &placement_, sizeof applied);
  applied.length = sizeof applied;
  applied.showCmd = startHidden_ ? SW_HIDE : SW_SHOWDEFAULT;
  SetWindowPlacement(hwnd, &applied);
  placement_.showCommand = loadedShowCommand;
}

}  // namespace wrenhollow
