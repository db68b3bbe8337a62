// The six command dialogs, as the main window runs them from the menu.
#pragma once

#include "dialogs/pos_calls.h"
#include "dialogs/resource_args.h"
#include "names/lookup.h"
#include "port/port.h"

namespace dialogs {

// What every command dialog works with; owned by the application.
struct Context {
  ui::Port& ui;
  names::NameScratch& scratch;
  ResourceArgList& args;  // shared by the Initialize, Open and Ioctl dialogs
  PosCalls& pos;          // BoundPosCalls in the program
};

// Runs the modal dialog of menu command 100..105; other ids do nothing.
void RunCommandDialog(Context& context, int command_id);

}  // namespace dialogs
