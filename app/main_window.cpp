#include "app/main_window.h"

#include "app/device_events.h"
#include "names/command_log.h"
#include "resources/templates.h"

namespace app {

void MainWindowProcedure::OnCommand(int id) {
  if (id == res::kIdExit) {
    ui_.DestroyMainWindow();
    return;
  }
  if (res::TemplateForCommand(id) && run_dialog_) run_dialog_(id);
}

void MainWindowProcedure::OnKey(ui::KeyMessage kind, unsigned scan_code) {
  const char* format = "KeyDown ScanCode from KeyBoard = %x \n";
  if (kind == ui::KeyMessage::kChar) format = "WM_CHAR comes ScanCode from KeyBoard = %x \n";
  if (kind == ui::KeyMessage::kKeyUp) format = "KeyUp ScanCode from KeyBoard = %x \n";
  // The scan code is the byte of bits 16 to 23 of a key message's lParam.
  names::AppendToLog(ui_, names::FormatLine(format, scan_code & 0xFF));
}

void MainWindowProcedure::OnPosted(std::uint32_t message, std::uint32_t wparam,
                                   std::uint32_t lparam) {
  HandleDeviceEvent(ui_, scratch_, message, wparam, lparam);
}

}  // namespace app
