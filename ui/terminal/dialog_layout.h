// Where a dialog template lands on the screen: dialog units to cells at 4
// across and 8 down per cell, placed relative to the main window's client
// area and shifted to stay on the screen; a maximised template fills it.
#pragma once

#include <vector>

#include "resources/templates.h"
#include "ui/terminal/cell_grid.h"
#include "ui/terminal/device.h"

namespace terminal {

inline constexpr int kUnitsPerColumn = 4, kUnitsPerRow = 8;

struct ControlPlace {
  Rect rect;          // screen cells
  int drop_rows = 0;  // combo boxes: rows of the dropped-down list
};

struct DialogPlace {
  Rect window;  // frame and caption included
  Rect client;
  std::vector<ControlPlace> controls;  // in template order
};

// client_top: the screen row where the main window's client area begins.
DialogPlace LayoutDialog(const res::DialogTemplate& tmpl, Size screen, int client_top);

// The text a label or radio button shows, for the layout's room check.
int ShownTextWidth(const res::Control& c);

inline bool IsCombo(res::ControlKind k) {
  return k == res::ControlKind::kComboDropDown || k == res::ControlKind::kComboDropList;
}
inline bool IsPushButton(res::ControlKind k) {
  return k == res::ControlKind::kPushButton || k == res::ControlKind::kDefPushButton;
}

}  // namespace terminal
