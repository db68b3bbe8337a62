#include "ui/terminal/dialog_layout.h"

#include <algorithm>
#include <cstring>

namespace terminal {
namespace {

using K = res::ControlKind;

// A closed combo box is one field high; the template's height includes the list.
constexpr int kComboFieldUnits = 12;

constexpr int RoundDiv(int v, int d) {
  return (v + d / 2) / d;
}
constexpr int CeilDiv(int v, int d) {
  return (v + d - 1) / d;
}

bool IsBox(K k) {
  return k == K::kGroupBox || k == K::kListBox || k == K::kMultiLineEdit;
}
bool ShowsText(K k) {
  return k == K::kLabel || k == K::kRadioButton;
}

ControlPlace Place(const res::Control& c, const Rect& client) {
  ControlPlace p;
  const int col = c.x / kUnitsPerColumn;
  const int w = std::max(1, c.w / kUnitsPerColumn);
  if (IsBox(c.kind)) {
    // Boxes start on the first row fully inside them.
    const int top = CeilDiv(c.y, kUnitsPerRow);
    const int bottom = std::max(top + 2, RoundDiv(c.y + c.h, kUnitsPerRow));
    p.rect = Rect{col, top, w, bottom - top};
  } else {
    // One-row controls sit on the row that holds their middle.
    const int h = IsCombo(c.kind) ? std::min(c.h, kComboFieldUnits) : c.h;
    p.rect = Rect{col, (c.y + h / 2) / kUnitsPerRow, w, 1};
    if (IsCombo(c.kind)) p.drop_rows = std::max(1, (c.h - kComboFieldUnits) / kUnitsPerRow);
  }
  p.rect.x += client.x;
  p.rect.y += client.y;
  // A radio button's text is wider in cells than in the template's font: all
  // of what it shows answers to a click.
  if (c.kind == K::kRadioButton)
    p.rect.w = std::max(p.rect.w, std::min(ShownTextWidth(c), client.right() - p.rect.x));
  return p;
}

// Text in the terminal's fixed-width cells is wider than in the template's
// font: a one-row control that a label's text runs into (or touches) moves
// right, one blank cell after the text.
void MakeRoomForTexts(const res::DialogTemplate& tmpl, const Rect& client,
                      std::vector<ControlPlace>& places) {
  const std::size_t n = places.size();
  for (std::size_t i = 0; i < n; ++i) {
    const res::Control& label = tmpl.controls[i];
    if (!ShowsText(label.kind)) continue;
    const Rect& lr = places[i].rect;
    const int text_end = lr.x + ShownTextWidth(label) + 1;
    for (std::size_t j = 0; j < n; ++j) {
      Rect& r = places[j].rect;
      const K kind = tmpl.controls[j].kind;
      if (j == i || IsBox(kind) || ShowsText(kind) || r.y != lr.y) continue;
      if (r.x > lr.x && r.x < text_end) {
        r.x = text_end;
        r.w = std::max(1, std::min(r.w, client.right() - r.x));
      }
    }
  }
}

}  // namespace

int ShownTextWidth(const res::Control& c) {
  const int text = static_cast<int>(std::strlen(c.text));
  return c.kind == K::kRadioButton ? text + 4 : text;  // "(*) " before it
}

DialogPlace LayoutDialog(const res::DialogTemplate& tmpl, Size screen, int client_top) {
  DialogPlace d;
  if (tmpl.style & res::kMaximized) {
    d.window = Rect{0, 0, screen.width, screen.height};
  } else {
    const int w = RoundDiv(tmpl.w, kUnitsPerColumn) + 2;  // frame
    const int h = RoundDiv(tmpl.h, kUnitsPerRow) + 2;     // caption and bottom frame
    int x = RoundDiv(tmpl.x, kUnitsPerColumn);
    int y = client_top + RoundDiv(tmpl.y, kUnitsPerRow);
    x = std::max(0, std::min(x, screen.width - w));
    y = std::max(0, std::min(y, screen.height - h));
    d.window = Rect{x, y, w, h};
  }
  d.client = Rect{d.window.x + 1, d.window.y + 1, std::max(0, d.window.w - 2),
                  std::max(0, d.window.h - 2)};
  for (const res::Control& c : tmpl.controls) d.controls.push_back(Place(c, d.client));
  MakeRoomForTexts(tmpl, d.client, d.controls);
  return d;
}

}  // namespace terminal
