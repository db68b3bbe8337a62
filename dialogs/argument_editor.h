// How the Initialize, Open and Ioctl dialogs wire the resource argument
// editor: the Resource names of one list file when the dialog opens, "Add
// Resource", and for the Open and Ioctl dialogs the names of the list file
// that a new choice in the device class or request box picks.
#pragma once

#include <string_view>

#include "dialogs/command_dialogs.h"
#include "port/port.h"

namespace dialogs {

struct ArgumentEditor {
  const char* names_file;  // the Resource names when the dialog opens
  int chooser_id = 0;      // the box whose choice picks other names; 0 for none
  const char* (*names_for)(std::string_view chosen) = nullptr;  // nullptr: keep the names

  // When the dialog opens: the type choices, an empty table, the names.
  void Open(Context& context, ui::Dialog& dialog) const;

  // "Add Resource" and a selection change of the chooser; false for any
  // other command.
  bool Command(Context& context, ui::Dialog& dialog, int id, int notify) const;
};

}  // namespace dialogs
