// A port without a window system: lines, boxes and dialogs go nowhere. Code
// that drives the core without a front end (benchmarks) overrides what it
// keeps or counts.
#pragma once

#include "port/port.h"

namespace ui {

class NullPort : public Port {
 public:
  void AppendLog(std::string_view) override {}
  void ShowMessage(std::string_view, std::string_view) override {}
  int RunDialog(const res::DialogTemplate&, DialogProc&) override { return 0; }
  WindowHandle MainWindow() const override { return 1; }
  void DestroyMainWindow() override {}
};

}  // namespace ui
