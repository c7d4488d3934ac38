#include "app/command_line_win32.h"

#include "events/usb_ids_resource_win32.h"
#include "monitor/device_history_win32.h"
#include "report/export_file_win32.h"
#include "util/files_win32.h"
#include "util/window_helpers_win32.h"

namespace wrenhollow {
namespace {

constexpr struct {
  const char* name;
  ExportFormat format;
} kExportSwitches[] = {
    {"/stext", ExportFormat::Text},         {"/stab", ExportFormat::TabDelimited},
    {"/stabular", ExportFormat::Tabular},   {"/scomma", ExportFormat::CommaDelimited},
    {"/shtml", ExportFormat::HtmlHorizontal}, {"/sverhtml", ExportFormat::HtmlVertical},
    {"/sxml", ExportFormat::Xml},           {"/sjsonl", ExportFormat::JsonLines},
};

// Sorts the item array by the "/sort" keys, or by the saved sort value when none was given.
void SortForCommandLine(WindowEventList& list, const ArgumentList& arguments) {
  SortKeyList keys;
  const std::vector<int> visible = list.VisibleColumns();
  for (int i = 0; i < arguments.Count(); ++i) {
    if (!arguments.Is(i, "/sort")) continue;
    const char* value = i + 1 < arguments.Count() ? arguments.Get(i + 1) : "";
    const bool descending = value[0] == '~';
    AddSortKey(keys, descending ? value + 1 : value, descending, visible, list.Columns());
  }
  ShowWaitCursor();
  if (arguments.Find("/nosort") < 0) {
    if (keys.Count() == 0) keys.Add(list.SortValue());
    list.SortItems(keys);
  }
  RestoreCursor();
}

}  // namespace

std::optional<int> RunCommandLineExport(MainWindow& window, const ArgumentList& arguments) {
  const ExportFormat* format = nullptr;
  int fileNameIndex = -1;
  // The last argument is never a switch: no file name could follow it.
  for (int i = 0; i + 1 < arguments.Count(); ++i) {
    for (const auto& exportSwitch : kExportSwitches) {
      if (arguments.Is(i, exportSwitch.name)) {
        format = &exportSwitch.format;
        fileNameIndex = i + 1;
      }
    }
  }
  if (format == nullptr) return std::nullopt;
  WindowEventList& list = window.CreateEventList();
  window.LoadSaveSettings(kConfigLoad);
  if (arguments.Find("/earlier") >= 0) {
    // Rows at last, which need their vendor and product names as the window shows them.
    char programFolder[kPathSize];
    GetProgramFolder(programFolder);
    LoadUsbIds(list.Database(), programFolder, ResourceUsbIds());
    list.Refresh();
    SetupApiDeviceHistory history;
    list.InsertEarlierConnections(history);
  }
  SortForCommandLine(list, arguments);
  // Failures are told in a message box without an owner, as there is no window, and in the exit code.
  const DWORD error = ExportAllItemsWithMessage(list, arguments.Get(fileNameIndex), *format);
  window.DestroyEventList();
  return static_cast<int>(error);
}

}  // namespace wrenhollow
