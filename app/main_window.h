// The main window procedure: menu commands, key echo and device events.
#pragma once

#include <functional>

#include "names/lookup.h"
#include "port/port.h"

namespace app {

class MainWindowProcedure : public ui::MainWindowProc {
 public:
  // run_dialog runs the modal dialog of a menu command 100..105.
  MainWindowProcedure(ui::Port& ui, names::NameScratch& scratch,
                      std::function<void(int)> run_dialog)
      : ui_(ui), scratch_(scratch), run_dialog_(std::move(run_dialog)) {}

  void OnCommand(int id) override;
  void OnKey(ui::KeyMessage kind, unsigned scan_code) override;
  void OnPosted(std::uint32_t message, std::uint32_t wparam, std::uint32_t lparam) override;

 private:
  ui::Port& ui_;
  names::NameScratch& scratch_;
  std::function<void(int)> run_dialog_;
};

}  // namespace app
